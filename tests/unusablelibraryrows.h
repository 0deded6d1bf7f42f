#pragma once

#include "common/ownlibrary.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The rows of a test over library files that cannot serve: a missing file, a file that is no
// library, and a real library without the entry points. Each row names the file and what its
// error must name: `missingName` for the missing file, `firstEntryPoint` for the real library.
inline void addUnusableLibraryRows(const QTemporaryDir &dir, const QString &missingName, const QString &firstEntryPoint)
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");

    QVERIFY(dir.isValid());
    QTest::newRow("no such file") << dir.filePath(missingName) << missingName;

    const QString junk = dir.filePath("libjunk.so");
    QFile file(junk);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a shared library");
    file.close();
    QTest::newRow("not a library") << junk << "libjunk.so";

    // The sound player's library has entry points, none of them the ones asked for.
    QTest::newRow("no entry points") << OwnLibrary::path("kestovansound") << firstEntryPoint;
}
