#include "images/ocr.h"

#include "clipboard/clipboardtools.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

namespace {

const char *const ProgramVariable = "KESTOVAN_OCR_PROGRAM";
const char *const LocalProgram = "/usr/local/bin/tesseract";
const char *const InstallPage = "https://tesseract-ocr.github.io/tessdoc/Installation.html";

void reportFailure(const QString &details)
{
    QMessageBox::warning(nullptr, OCR::tr("Extract texts"),
                         OCR::tr("Failed to extract texts from the image.\n\n") + details, QMessageBox::Ok);
}

void recognitionFinished(QProcess *process, int exitCode, QProcess::ExitStatus exitStatus)
{
    const QString out = QString::fromUtf8(process->readAllStandardOutput());
    const QString err = QString::fromUtf8(process->readAllStandardError());
    const QString program = process->program();

    // Tesseract writes notes to its error output also when it succeeds: only the exit tells.
    if (exitStatus != QProcess::NormalExit) {
        reportFailure(err.isEmpty() ? OCR::tr("%1 crashed.").arg(program) : err);
    } else if (exitCode != 0) {
        reportFailure(err.isEmpty() ? OCR::tr("%1 ended with exit code %2.").arg(program).arg(exitCode) : err);
    } else if (out.trimmed().isEmpty()) {
        QMessageBox::information(nullptr, OCR::tr("Extract texts"), OCR::tr("Unable to find any texts in the image."),
                                 QMessageBox::Ok);
    } else {
        ClipboardTools::setTextToClipboard(out.trimmed());
    }
    // Only now: the message boxes above run while the process is still emitting its signal.
    process->deleteLater();
}

} // namespace

QString OCR::getTesseractPath()
{
    const QString configured = qEnvironmentVariable(ProgramVariable);
    if (!configured.isEmpty() && QFile::exists(configured))
        return configured;
    if (QFile::exists(LocalProgram))
        return LocalProgram;
    return QStandardPaths::findExecutable("tesseract");
}

bool OCR::extractTexts(QString file)
{
    const QString program = getTesseractPath();
    if (program.isEmpty()) {
        offerInstall();
        return false;
    }
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable()) {
        reportFailure(tr("%1 is not a program that can be run.").arg(program));
        return false;
    }

    auto *process = new QProcess(QCoreApplication::instance());
    QObject::connect(process, &QProcess::finished, process,
                     [process](int exitCode, QProcess::ExitStatus exitStatus) {
                         recognitionFinished(process, exitCode, exitStatus);
                     });
    // A process that cannot be started never finishes; say why instead of staying silent.
    QObject::connect(process, &QProcess::errorOccurred, process, [process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        reportFailure(process->errorString());
        process->deleteLater();
    });
    // With the output base "stdout" the program writes the text to its standard output.
    process->start(program, {file, "stdout"}, QIODevice::ReadWrite);
    return true;
}

void OCR::offerInstall()
{
    QMessageBox box;
    box.setWindowTitle(tr("Extract texts"));
    box.setTextFormat(Qt::RichText);
    const QString required = tr("Kestovan requires a free tool called Tesseract OCR for the extract texts feature.");
    box.setText(QString("<p>%1</p>").arg(required) + "<p>" +
                tr("You can install it with your package manager, for example:") + "</p>" +
                "<pre>sudo apt install tesseract-ocr</pre>" + "<p>" + tr("You can download the tool from here:") +
                "</p>" + QString("<a href=\"%1\">%1</a>").arg(InstallPage));
    box.addButton(tr("Ok"), QMessageBox::AcceptRole);
    box.exec();
}
