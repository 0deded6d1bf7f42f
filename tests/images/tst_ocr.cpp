#include "window/viewtestsupport.h"

#include "clipboardtestsupport.h"
#include "images/ocr.h"

#include <QPainter>

namespace {

const char *const ProgramVariable = "KESTOVAN_OCR_PROGRAM";

} // namespace

class TestOcr : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_image;

    QString argsFile() const { return m_dir.path() + "/args"; }

    // A stand-in for the OCR program: records its arguments, then runs the given shell lines.
    QString writeProgram(const QString &name, const QString &body, const QString &interpreter = "/bin/sh",
                         bool executable = true)
    {
        const QString path = m_dir.path() + "/" + name;
        const QString script = QString("#!%1\nprintf '%s\\n' \"$@\" > '%2'\n%3\n").arg(interpreter, argsFile(), body);
        HistoryTest::writeFile(path, script.toUtf8());
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (executable)
            permissions |= QFile::ExeOwner;
        QFile::setPermissions(path, permissions);
        return path;
    }

    void useProgram(const QString &path) { qputenv(ProgramVariable, path.toLocal8Bit()); }

    // Lets a finished process be handled, with a bound.
    void settle(int milliseconds = 300)
    {
        bool done = false;
        QTimer::singleShot(milliseconds, this, [&done] { done = true; });
        QTRY_VERIFY(done);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_image = m_dir.path() + "/image.png";
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(Qt::white);
        QVERIFY(image.save(m_image));
    }

    void init()
    {
        QFile::remove(argsFile());
        ClipboardTest::setText("before");
    }

    void cleanup() { qunsetenv(ProgramVariable); }

    void testRecognisedTextGoesToTheClipboardTrimmed()
    {
        useProgram(writeProgram("ocr", "printf '\\n\\n  Hello\\n\\nWorld  \\n\\n'\n"
                                       "echo 'Estimating resolution as 300' >&2"));
        ViewTest::MessageBoxRecorder boxes;
        QVERIFY(OCR::extractTexts(m_image));
        QTRY_COMPARE(ClipboardTest::clipboard()->text(), QString("Hello\n\nWorld"));
        QCOMPARE(QString::fromUtf8(HistoryTest::readFile(argsFile())), m_image + "\nstdout\n");
        QCOMPARE(boxes.texts, QStringList());
    }

    void testNoTextWithNotesOnErrorOutputIsNotAFailure()
    {
        useProgram(writeProgram("ocr", "echo 'Estimating resolution as 300' >&2\nexit 0"));
        ViewTest::MessageBoxRecorder boxes;
        QVERIFY(OCR::extractTexts(m_image));
        QTRY_COMPARE(boxes.texts, QStringList{"Unable to find any texts in the image."});
        QCOMPARE(boxes.titles, QStringList{"Extract texts"});
        QCOMPARE(boxes.icons, QList<QMessageBox::Icon>{QMessageBox::Information});
        QCOMPARE(ClipboardTest::clipboard()->text(), QString("before"));
    }

    void testFailureIsDecidedByTheExitStatus()
    {
        useProgram(writeProgram("ocr", "echo 'partial'\necho 'Error: cannot read image' >&2\nexit 1"));
        ViewTest::MessageBoxRecorder boxes;
        QVERIFY(OCR::extractTexts(m_image));
        QTRY_COMPARE(boxes.texts, QStringList{"Failed to extract texts from the image.\n\nError: cannot read image\n"});
        QCOMPARE(boxes.icons, QList<QMessageBox::Icon>{QMessageBox::Warning});
        QCOMPARE(ClipboardTest::clipboard()->text(), QString("before"));

        // Without error output the exit code says what happened.
        useProgram(writeProgram("quiet", "exit 3"));
        QVERIFY(OCR::extractTexts(m_image));
        QTRY_COMPARE(boxes.texts.size(), 2);
        QVERIFY(boxes.texts.last().startsWith("Failed to extract texts from the image.\n\n"));
        QVERIFY(boxes.texts.last().contains("3"));
    }

    void testProgramThatCannotRunIsReported()
    {
        ViewTest::MessageBoxRecorder boxes;
        useProgram(writeProgram("not-executable", "echo 'text'", "/bin/sh", false));
        QVERIFY(!OCR::extractTexts(m_image));
        QCOMPARE(boxes.texts.size(), 1);
        QVERIFY(boxes.texts.first().startsWith("Failed to extract texts from the image.\n\n"));
        QVERIFY(!QFile::exists(argsFile()));

        // Starts, but the system cannot run it: reported once the start has failed.
        useProgram(writeProgram("bad-interpreter", "echo 'text'", "/nonexistent/interpreter"));
        QVERIFY(OCR::extractTexts(m_image));
        QTRY_COMPARE(boxes.texts.size(), 2);
        QVERIFY(boxes.texts.last().startsWith("Failed to extract texts from the image.\n\n"));
        QCOMPARE(boxes.titles, QStringList({"Extract texts", "Extract texts"}));
        settle();
        QCOMPARE(boxes.texts.size(), 2);
        QCOMPARE(ClipboardTest::clipboard()->text(), QString("before"));
    }

    void testMissingProgramNamesTheInstallCommand()
    {
        if (QFile::exists("/usr/local/bin/tesseract"))
            QSKIP("An OCR program is installed in /usr/local/bin");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", m_dir.path().toLocal8Bit());
        useProgram(m_dir.path() + "/no-such-program");
        QCOMPARE(OCR::getTesseractPath(), QString());
        ViewTest::MessageBoxRecorder boxes;
        const bool started = OCR::extractTexts(m_image);
        qputenv("PATH", path);
        QVERIFY(!started);
        QCOMPARE(boxes.titles, QStringList{"Extract texts"});
        QVERIFY(boxes.texts.first().contains("<pre>sudo apt install tesseract-ocr</pre>"));
        QVERIFY(boxes.texts.first().contains("Tesseract OCR"));
    }

    void testProgramIsLookedUpInOrder()
    {
        const QString own = writeProgram("own", "true");
        useProgram(own);
        QCOMPARE(OCR::getTesseractPath(), own);
        if (QFile::exists("/usr/local/bin/tesseract"))
            QSKIP("An OCR program is installed in /usr/local/bin");
        useProgram(m_dir.path() + "/no-such-program");
        QCOMPARE(OCR::getTesseractPath(), QStandardPaths::findExecutable("tesseract"));
    }

    void testRealTesseractReadsRenderedText()
    {
        if (!QFile::exists("/usr/bin/tesseract"))
            QSKIP("tesseract is not installed");
        if (QFile::exists("/usr/local/bin/tesseract"))
            QSKIP("Another OCR program is installed in /usr/local/bin");
        const QString path = m_dir.path() + "/words.png";
        QImage image(900, 220, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QFont font("DejaVu Sans");
            font.setPixelSize(64);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(image.rect(), Qt::AlignCenter, "Hello Kestovan");
        }
        QVERIFY(image.save(path));
        ViewTest::MessageBoxRecorder boxes;
        QVERIFY(OCR::extractTexts(path));
        QTRY_VERIFY_WITH_TIMEOUT(ClipboardTest::clipboard()->text() != "before" || !boxes.texts.isEmpty(), 60000);
        QCOMPARE(boxes.texts, QStringList());
        QCOMPARE(ClipboardTest::clipboard()->text(), QString("Hello Kestovan"));
    }
};

KESTOVAN_VIEW_TEST_MAIN(TestOcr)
#include "tst_ocr.moc"
