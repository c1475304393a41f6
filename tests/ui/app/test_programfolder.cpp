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

    static QString documents() {
        return QDir::toNativeSeparators(
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        // A home of its own, without a documents folder yet: the flow must make it.
        qputenv("HOME", dir.filePath(QStringLiteral("home")).toLocal8Bit());
        QVERIFY(documents().startsWith(dir.path()));
        QVERIFY(!QFileInfo::exists(documents()));
    }

    void writableFolderIsUsed() {
        QCOMPARE(PageFlow::programFolderFor(dir.path()), QDir::toNativeSeparators(dir.path()));
    }

    void otherwiseTheDocumentsFolder_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("missing") << dir.filePath(QStringLiteral("gone"));
        QTest::newRow("a file") << dir.filePath(QStringLiteral("plain-file"));
        QTest::newRow("read-only") << dir.filePath(QStringLiteral("ro"));
        QTest::newRow("unknown") << QString();
    }
    void otherwiseTheDocumentsFolder() {
        QFETCH(QString, folder);
        if (folder.endsWith(u"plain-file")) {
            QFile f(folder);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        if (folder.endsWith(u"/ro")) {
            if (geteuid() == 0)
                QSKIP("root writes into any folder");
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        }
        const QString got = PageFlow::programFolderFor(folder);
        QCOMPARE(got, documents());
        QVERIFY(QFileInfo(got).isDir()); // made, so the file pages can list it
    }
};

QTEST_MAIN(TestProgramFolder)
#include "test_programfolder.moc"
