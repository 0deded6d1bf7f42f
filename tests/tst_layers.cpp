#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <tuple>

// Reads every include of src/ that names a folder ("history/...", and the headers of custom widgets
// in .ui files) and holds it against tests/layers.txt: a folder includes only the folders its line
// names, no folders include each other round a circle, and no two files of a folder include each
// other's headers unless the table still lists that pair.
namespace {

const QString Sources = QStringLiteral(KESTOVAN_TEST_DATA "/../../src");
const QString Table = QStringLiteral(KESTOVAN_TEST_DATA "/../layers.txt");

struct Include
{
    QString file;  // from src/, "history/historyitemmodel.cpp"
    int line = 0;
    QString target;  // "common/isync.h"
};

struct Layers
{
    QMap<QString, QSet<QString>> allowed;
    // "a <-> b", the two files' names without extension, in order.
    QSet<QString> knownFilePairs;
    QStringList problems;
};

QString folderOf(const QString &path)
{
    return path.section('/', 0, 0);
}

QString stem(const QString &path)
{
    const qsizetype dot = path.lastIndexOf('.');
    return dot < 0 ? path : path.left(dot);
}

QString pairName(QString a, QString b)
{
    if (b < a)
        std::swap(a, b);
    return a + " <-> " + b;
}

// Lines "folder: other other", then "circle: a <-> b" for a pair of files that may still include
// each other; '#' starts a comment.
Layers readTable(const QString &path)
{
    Layers layers;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        layers.problems << path + ": cannot be read";
        return layers;
    }
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const QString line = QString::fromUtf8(file.readLine()).section('#', 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const QString key = line.section(':', 0, 0).trimmed();
        const QString value = line.section(':', 1).trimmed();
        if (!line.contains(':') || key.isEmpty()) {
            layers.problems << QString("layers.txt:%1: not \"folder: folders\"").arg(number);
        } else if (key == QLatin1String("circle")) {
            const QStringList files = value.split(QStringLiteral("<->"));
            if (files.size() != 2)
                layers.problems << QString("layers.txt:%1: not \"circle: a <-> b\"").arg(number);
            else
                layers.knownFilePairs.insert(pairName(files.at(0).trimmed(), files.at(1).trimmed()));
        } else {
            const QStringList folders = value.split(' ', Qt::SkipEmptyParts);
            layers.allowed[key] = QSet<QString>(folders.cbegin(), folders.cend());
        }
    }
    return layers;
}

QList<Include> readIncludes(const QString &root)
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([a-z0-9_]+/[^\"]+)\""));
    static const QRegularExpression uiHeader(QStringLiteral("<header>([a-z0-9_]+/[^<]+)</header>"));
    QList<Include> includes;
    QDirIterator it(root, {"*.h", "*.cpp", "*.ui"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        const QString relative = QDir(root).relativeFilePath(path);
        const QRegularExpression &pattern = path.endsWith(".ui") ? uiHeader : include;
        int number = 0;
        while (!file.atEnd()) {
            ++number;
            const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(file.readLine()));
            if (match.hasMatch() && QFileInfo::exists(root + '/' + match.captured(1)))
                includes.append({relative, number, match.captured(1)});
        }
    }
    std::sort(includes.begin(), includes.end(), [](const Include &a, const Include &b) {
        return std::tie(a.file, a.line) < std::tie(b.file, b.line);
    });
    return includes;
}

// A circle of the graph as "a -> b -> a", or empty.
QStringList findCircle(const QMap<QString, QSet<QString>> &graph)
{
    QHash<QString, int> state;  // 1 on the path, 2 done
    QStringList path;
    std::function<QStringList(const QString &)> visit = [&](const QString &node) -> QStringList {
        state[node] = 1;
        path.append(node);
        QStringList next(graph.value(node).cbegin(), graph.value(node).cend());
        next.sort();
        for (const QString &other : std::as_const(next)) {
            if (state.value(other) == 1)
                return path.mid(path.indexOf(other)) << other;
            if (state.value(other) == 0) {
                const QStringList circle = visit(other);
                if (!circle.isEmpty())
                    return circle;
            }
        }
        path.removeLast();
        state[node] = 2;
        return {};
    };
    for (auto it = graph.cbegin(); it != graph.cend(); ++it) {
        if (state.value(it.key()) == 0) {
            const QStringList circle = visit(it.key());
            if (!circle.isEmpty())
                return circle;
        }
    }
    return {};
}

// Every problem of the tree at root against the table, one line each, naming file and line.
QStringList check(const QString &root, const QString &tablePath)
{
    const Layers layers = readTable(tablePath);
    QStringList problems = layers.problems;
    const QList<Include> includes = readIncludes(root);

    for (const QString &folder : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!layers.allowed.contains(folder))
            problems << "src/" + folder + " has no line in layers.txt";
    }
    if (const QStringList circle = findCircle(layers.allowed); !circle.isEmpty())
        problems << "layers.txt allows a circle: " + circle.join(" -> ");

    QMap<QString, QSet<QString>> folders;
    QHash<QString, Include> witness;
    // A source file without a header of its own is part of the class whose header it includes first.
    QHash<QString, QString> unitOf;
    for (const Include &include : includes) {
        const QString from = folderOf(include.file);
        const QString to = folderOf(include.target);
        if (from == to) {
            if (include.file.endsWith(".cpp") && !QFileInfo::exists(root + '/' + stem(include.file) + ".h")
                && !unitOf.contains(include.file))
                unitOf.insert(include.file, stem(include.target));
            continue;
        }
        folders[from].insert(to);
        witness.insert(from + ' ' + to, include);
        if (!layers.allowed.value(from).contains(to))
            problems << QString("src/%1:%2: %3 may not include %4 (%5)")
                            .arg(include.file).arg(include.line).arg(from, to, include.target);
    }
    if (const QStringList circle = findCircle(folders); !circle.isEmpty()) {
        QStringList steps;
        for (qsizetype i = 0; i + 1 < circle.size(); ++i) {
            const Include &step = witness.value(circle.at(i) + ' ' + circle.at(i + 1));
            steps << QString("src/%1:%2 includes %3").arg(step.file).arg(step.line).arg(step.target);
        }
        problems << "folders include each other: " + circle.join(" -> ") + " (" + steps.join("; ") + ")";
    }

    // Two files of one folder that include each other's headers.
    QHash<QString, Include> fileEdges;
    for (const Include &include : includes) {
        if (folderOf(include.file) != folderOf(include.target) || include.file.endsWith(".ui"))
            continue;
        const QString from = unitOf.value(include.file, stem(include.file));
        const QString to = stem(include.target);
        if (from != to && !fileEdges.contains(from + ' ' + to))
            fileEdges.insert(from + ' ' + to, include);
    }
    QSet<QString> filePairs;
    for (auto it = fileEdges.cbegin(); it != fileEdges.cend(); ++it) {
        const QString from = it.key().section(' ', 0, 0);
        const QString to = it.key().section(' ', 1, 1);
        if (from > to || !fileEdges.contains(to + ' ' + from))
            continue;
        const QString pair = pairName(from, to);
        filePairs.insert(pair);
        if (layers.knownFilePairs.contains(pair))
            continue;
        const Include &back = fileEdges.value(to + ' ' + from);
        problems << QString("files include each other: src/%1:%2 includes %3, src/%4:%5 includes %6")
                        .arg(it->file).arg(it->line).arg(it->target, back.file).arg(back.line).arg(back.target);
    }
    for (const QString &pair : layers.knownFilePairs) {
        if (!filePairs.contains(pair))
            problems << "layers.txt lists " + pair + ", which no longer include each other: remove the line";
    }
    problems.sort();
    return problems;
}

void write(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

class TestLayers : public QObject
{
    Q_OBJECT

private slots:
    void testCheckFindsWhatBreaksTheLayers_data()
    {
        QTest::addColumn<QByteArrayList>("files");  // "path|text"
        QTest::addColumn<QStringList>("expected");
        const QByteArray table = "low:\nhigh: low\n";
        const QByteArrayList clean = {"layers.txt|" + table, "src/low/a.h|", "src/high/b.cpp|#include \"low/a.h\"\n"};
        // Later entries overwrite earlier ones of the same path.
        const auto with = [](QByteArrayList files, const QByteArrayList &more) { return files << more; };

        QTest::newRow("includes follow the table") << clean << QStringList();
        QTest::newRow("a lower folder includes a higher one")
            << with(clean, {"src/low/a.cpp|#include \"low/a.h\"\n\n#include \"high/b.h\"\n", "src/high/b.h|"})
            << QStringList{"folders include each other: high -> low -> high (src/high/b.cpp:1 includes low/a.h; "
                           "src/low/a.cpp:3 includes high/b.h)",
                           "src/low/a.cpp:3: low may not include high (high/b.h)"};
        QTest::newRow("a custom widget of a form counts as an include")
            << with(clean, {"src/low/a.ui|<ui>\n<header>high/b.h</header>\n", "src/high/b.h|"})
            << QStringList{"folders include each other: high -> low -> high (src/high/b.cpp:1 includes low/a.h; "
                           "src/low/a.ui:2 includes high/b.h)",
                           "src/low/a.ui:2: low may not include high (high/b.h)"};
        QTest::newRow("a header that does not exist is not a folder's")
            << with(clean, {"src/low/a.cpp|#include \"ui_a.h\"\n#include \"high/none.h\"\n"}) << QStringList();
        QTest::newRow("a folder without a line")
            << with(clean, {"src/new/c.h|"}) << QStringList{"src/new has no line in layers.txt"};
        QTest::newRow("folders round a circle, though the table allows it")
            << QByteArrayList{"layers.txt|a: c\nb: a\nc: b\n", "src/a/x.cpp|#include \"c/z.h\"\n",
                              "src/b/y.cpp|#include \"a/x.h\"\n", "src/c/z.cpp|#include \"b/y.h\"\n",
                              "src/a/x.h|", "src/b/y.h|", "src/c/z.h|"}
            << QStringList{"folders include each other: a -> c -> b -> a (src/a/x.cpp:1 includes c/z.h; "
                           "src/c/z.cpp:1 includes b/y.h; src/b/y.cpp:1 includes a/x.h)",
                           "layers.txt allows a circle: a -> c -> b -> a"};
        const QByteArrayList mutual = with(clean, {"src/low/p.h|", "src/low/p.cpp|#include \"low/p.h\"\n#include \"low/q.h\"\n",
                                                   "src/low/q.h|", "src/low/q.cpp|#include \"low/q.h\"\n#include \"low/p.h\"\n"});
        QTest::newRow("two files of a folder include each other")
            << mutual
            << QStringList{"files include each other: src/low/p.cpp:2 includes low/q.h, "
                           "src/low/q.cpp:2 includes low/p.h"};
        QTest::newRow("a listed pair of files is tolerated")
            << with(mutual, {"layers.txt|" + table + "circle: low/q <-> low/p\n"}) << QStringList();
        QTest::newRow("a listed pair that no longer exists")
            << with(clean, {"layers.txt|" + table + "circle: low/p <-> low/q\n"})
            << QStringList{"layers.txt lists low/p <-> low/q, which no longer include each other: remove the line"};
        QTest::newRow("a part of a class in a file of its own")
            << with(clean, {"src/low/m.h|", "src/low/mrules.cpp|// rules\n#include \"low/m.h\"\n#include \"low/i.h\"\n",
                            "src/low/i.h|", "src/low/i.cpp|#include \"low/i.h\"\n#include \"low/m.h\"\n"})
            << QStringList{"files include each other: src/low/i.cpp:2 includes low/m.h, "
                           "src/low/mrules.cpp:3 includes low/i.h"};
    }

    void testCheckFindsWhatBreaksTheLayers()
    {
        QFETCH(QByteArrayList, files);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const QByteArray &entry : files) {
            const qsizetype bar = entry.indexOf('|');
            write(dir.filePath(QString::fromUtf8(entry.left(bar))), entry.mid(bar + 1));
        }
        QCOMPARE(check(dir.filePath("src"), dir.filePath("layers.txt")), expected);
    }

    void testSourcesKeepTheLayers()
    {
        QVERIFY(QFileInfo(Sources + "/app").isDir());
        const QStringList problems = check(Sources, Table);
        // One line each: a test message would be cut short.
        for (const QString &problem : problems)
            qWarning().noquote() << problem;
        QVERIFY2(problems.isEmpty(), "see the warnings above");
    }
};

QTEST_GUILESS_MAIN(TestLayers)
#include "tst_layers.moc"
