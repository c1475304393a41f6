// Where the file pages start: beside the program when its folder can be written, otherwise in
// the user's documents folder (an installed program cannot write into /usr/bin).

#include "ui/app/pageflow.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

class TestProgramFolder : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

  private slots:
    // The program's folder is named by the row ("unknown": none given).
    void startFolder_data() {
        QTest::addColumn<bool>("used");
        QTest::newRow("writable") << true;
        for (const char* name : {"missing", "a file", "read-only", "unknown"})
            QTest::newRow(name) << false;
    }
    void startFolder() {
        QFETCH(bool, used);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        const QString folder = name == u"unknown" ? QString() : dir.filePath(name);
        // A home of its own, without a documents folder yet: the flow must make it.
        qputenv("HOME", dir.filePath(u"home of "_qs + name).toLocal8Bit());
        const QString documents = QDir::toNativeSeparators(
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        QVERIFY(documents.startsWith(dir.path()) && !QFileInfo::exists(documents));
        if (name == u"a file")
            QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
        if (name == u"writable" || name == u"read-only")
            QVERIFY(QDir().mkpath(folder));
        if (name == u"read-only" && geteuid() == 0)
            QSKIP("root writes into any folder");
        if (name == u"read-only")
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const QString got = PageFlow::programFolderFor(folder);
        QCOMPARE(got, used ? QDir::toNativeSeparators(folder) : documents);
        QVERIFY(QFileInfo(got).isDir()); // made, so the file pages can list it
    }
};

QTEST_MAIN(TestProgramFolder)
#include "test_programfolder.moc"
