#include "core/record/lkdfile.h"
#include "support/testrecords.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <optional>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// Fields the file holds (line 3 also gives UnitSystemG) and fields a read must leave alone.
// clang-format off
#define SAVED_FIELDS(X)                                                                            \
    X(ProgramNameG) X(UnitSystemTextG) X(UnitSystemG) X(TestDateTimeG) X(TestingCompanyG)          \
    X(BuildingTestedG) X(BuildingAddressG) X(TechnicianG) X(WindConditionsG) X(InteriorDoorsG)     \
    X(TemporarySealingG) X(BasementDoorG) X(BlowerDoorIdG) X(Comment1G) X(Comment2G) X(Comment3G)  \
    X(Comment4G) X(Comment5G) X(Comment6G) X(BuildingVolumeCuFtG) X(BuildingSurfaceAreaSqFtG)      \
    X(BuildingFloorAreaSqFtG) X(StoriesAboveGradeG) X(TemperatureInsideFG) X(TemperatureOutsideFG) \
    X(WindShieldingFactorG) X(NumberOfOccupantsG) X(NumberofBedroomsG) X(PressurizeOrDepressG)     \
    X(DivideBy20FactorG) X(PreTestStaticPresG) X(PresGageG) X(FlowGageG) X(FlowFitG) X(FlowErrorG) \
    X(LowFlowFactorG) X(PostTestStaticPresG) X(CorrelationG) X(FlowCoefficientG)                   \
    X(PressureExponentG) X(ElaCgsbG) X(ElaLblG) X(LeakageRatioG) X(Ach50G) X(Flow50G)              \
    X(PermeabilityIndexG) X(InfiltrationAchG) X(InfiltrationFlowG) X(InfiltrationPerOccupantG)     \
    X(InfiltrationPerBedroomG) X(BarometricPresG) X(Reserved1G) X(Reserved2G) X(PreTestNegAvgG)    \
    X(PreTestPosAvgG) X(PostTestNegAvgG) X(PostTestPosAvgG)
#define UNSAVED_FIELDS(X)                                                                          \
    X(LanguageG) X(FileNameG) X(FilePathG) X(ProgramVersionG) X(ScratchTextG) X(ExitAfterSaveG)    \
    X(ReportKindG) X(PrintGraphNowG) X(FlowDisplayFactorG) X(PointCountG) X(LowFlowSetupG)         \
    X(FanFlowG) X(StaticPresBaselineG) X(UsaceIndexG) X(Q4PaSurfG) X(InfiltrationDeapIndexG)       \
    X(Flow75G) X(Flow4G)
// clang-format on

// Names of the fields that differ; numbers compare exactly, not within a tolerance.
QString diffs(const TestRecord& a, const TestRecord& b) {
    QStringList out;
#define DIFF(f)                                                                                    \
    if (!(a.f == b.f))                                                                             \
        out << QStringLiteral(#f);
    SAVED_FIELDS(DIFF)
    UNSAVED_FIELDS(DIFF)
#undef DIFF
    return out.join(u' ');
}

// `into` with the saved fields of `from`: what reading a file of `from` into `into` gives.
TestRecord withSaved(const TestRecord& from, TestRecord into) {
#define COPY(f) into.f = from.f;
    SAVED_FIELDS(COPY)
#undef COPY
    return into;
}

// Random values of every kind a field can hold, from one seeded generator.
struct Randomizer {
    QRandomGenerator rng;
    void fill(QString& s) {
        // Most texts stay inside Windows-1252 (all but the last letter) so that both encodings
        // get exercised.
        static const QString letters = u"a7 ,\"\té€Œ—Ł"_qs;
        const int alphabet = int(letters.size()) - (rng.bounded(4) == 0 ? 0 : 1);
        s.clear();
        for (int n = rng.bounded(14); n > 0; --n)
            s += letters[rng.bounded(alphabet)];
    }
    template <typename F> static F finite(F v) { return std::isfinite(v) ? v : F(-0.1); }
    // One number in four is awkward to write: the tiniest, the largest, one that needs all its
    // digits, one at the edge of the exponent form.
    void fill(double& v) {
        static const double odd[] = {4.9406564584124654e-324, DBL_MAX, 0.30000000000000004, 1e15};
        v = rng.bounded(4) ? finite(std::bit_cast<double>(rng.generate64())) : odd[rng.bounded(4)];
    }
    void fill(float& v) {
        static const float odd[] = {std::numeric_limits<float>::denorm_min(), FLT_MAX,
                                    std::nextafter(0.1f, 1.0f), 1e-5f};
        v = rng.bounded(4) ? finite(std::bit_cast<float>(rng.generate())) : odd[rng.bounded(4)];
    }
    void fill(int16_t& v) { v = static_cast<int16_t>(rng.generate()); }
    template <typename T> void fill(TestRecord::PerPoint<T>& a) {
        for (int i = 1; i <= TestRecord::kPoints; ++i) // index 0 is never used
            fill(a[i]);
    }
};

TestRecord randomRecord(quint32 seed) {
    Randomizer z{QRandomGenerator(seed)};
    TestRecord r;
#define FILL(f) z.fill(r.f);
    SAVED_FIELDS(FILL)
    UNSAVED_FIELDS(FILL)
#undef FILL
    // The file holds the text form of the unit system; the number follows it.
    r.UnitSystemTextG = unitSystemText(r.UnitSystemG);
    return r;
}

// A plain ASCII test whose lines are easy to state.
TestRecord plainRecord() {
    TestRecord r = testrecords::newTest(2);
    r.BuildingVolumeCuFtG = 16500;
    r.DivideBy20FactorG = 18.4f;
    r.PreTestStaticPresG = -0.5f;
    r.FlowFitG[1] = 1.5e-5f;
    r.PostTestStaticPresG = 123456789.0f;
    r.BarometricPresG = 29.5f;
    r.PostTestPosAvgG = 0.0024f;
    r.UsaceIndexG = 0.4375f;
    return r;
}

// Lines without their line ends; every line has one.
QList<QByteArray> linesOf(const QByteArray& bytes) {
    return QByteArray(bytes).replace("\r\n", "\n").chopped(1).split('\n');
}

QByteArray joinLines(const QList<QByteArray>& lines, int count, const QByteArray& ending) {
    return lines.mid(0, count).join(ending) + ending;
}

// The plain test's file with one line replaced.
QByteArray withLine(int line, const QByteArray& content) {
    QList<QByteArray> lines = linesOf(composeLkd(plainRecord()));
    lines[line - 1] = content;
    return joinLines(lines, 118, "\r\n");
}

// A mount made for one test, undone when the test ends however it ends.
struct Mount {
    QString point;
    bool made = false;
    Mount(const QStringList& args, const QString& at) : point(at) {
        made = QProcess::execute(u"mount"_qs, args + QStringList{at}) == 0;
    }
    ~Mount() {
        if (made)
            QProcess::execute(u"umount"_qs, {point});
    }
};

} // namespace

class TestLkdFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    static void writeBytes(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    static QByteArray readBytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QVERIFY(QDir(dir_.path()).mkdir(u"folder.lkd"_qs));
        QFile huge(dir_.filePath(u"huge.lkd"_qs));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.write(composeLkd(plainRecord())) > 0);
        QVERIFY(huge.resize(65 * 1024 * 1024)); // sparse: quick to make
    }

    // The line count and ends, numbers in their shortest form, and the lines after 97 (the
    // samples cover the rest of the layout).
    void layout() {
        const QByteArray bytes = composeLkd(plainRecord());
        QCOMPARE(bytes.count("\r\n"), 118);
        QCOMPARE(bytes.count('\n') + bytes.count('\r'), 2 * 118);
        QVERIFY(bytes.endsWith("\r\n\"END\"\r\n"));
        const QList<QByteArray> lines = linesOf(bytes);
        QCOMPARE(lines.at(29), "\"18.4\""_ba); // the factor, as text
        QCOMPARE(lines.at(30), "-.5"_ba);
        QCOMPARE(lines.at(33), ".000015"_ba);
        QCOMPARE(lines.at(76), "123456790"_ba);
        QCOMPARE(lines.mid(97, 20), QList<QByteArray>(20, "\"extra\""_ba));
        // Saved from the measurement page, the file differs only on line 98.
        QCOMPARE(composeLkd(plainRecord(), Line98::UsaceIndex), withLine(98, ".4375"));
    }

    // Random records with awkward numbers in fields of every kind: each saved field comes back
    // exactly and every other field stays, through bytes and through a real file.
    void roundTrip() {
        for (quint32 seed = 1; seed <= 200; ++seed) {
            const TestRecord r = randomRecord(seed);
            const Line98 variant = seed % 2 ? Line98::Extra : Line98::UsaceIndex;
            const QString path = dir_.filePath(u"round.lkd"_qs);
            TestRecord viaBytes = randomRecord(seed + 1000);
            TestRecord viaFile = viaBytes;
            const TestRecord expected = withSaved(r, viaBytes);
            QString why;
            QVERIFY2(parseLkd(composeLkd(r, variant), viaBytes, &why), qPrintable(why));
            QVERIFY2(writeLkdFile(r, path, variant, &why) && readLkdFile(path, viaFile, &why),
                     qPrintable(why));
            QCOMPARE(diffs(expected, viaBytes), QString());
            QCOMPARE(diffs(expected, viaFile), QString());
        }
    }

    // One line of the plain file replaced: the whole file as written again after the read.
    void itemsRead_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("unquoted") << "  Smith, rest"_ba << 8 << "\"Smith\""_ba;
        QTest::newRow("no closing quote") << "\"Smith"_ba << 8 << "\"Smith\""_ba;
        QTest::newRow("UTF-8 unmarked") << "\"M\xC3\xBCller\""_ba << 8 << "\"M\xFCller\""_ba;
        QTest::newRow("surrogate is 1252") << "\"\xED\xA0\x80\""_ba << 8 << "\"\xED\xA0\x80\""_ba;
        QTest::newRow("version not taken") << "\"9.99\""_ba << 2 << "\"2.11 DEMO\""_ba;
        QTest::newRow("unit half to even") << "\" 2.5 \""_ba << 3 << "2"_ba;
        QTest::newRow("unit past 16 bits") << "\"40000\""_ba << 3 << "0"_ba;
        QTest::newRow("D quoted") << "\"1.5E+3\""_ba << 20 << "1500"_ba;
        QTest::newRow("S largest") << "3.4028235E+38"_ba << 24 << "3.4028235E+38"_ba;
        QTest::newRow("factor junk") << "\"x\""_ba << 30 << "\"0\""_ba;
        QTest::newRow("point with unit") << "\"-.25 in\""_ba << 32 << "-.25"_ba;
        QTest::newRow("point Single overflow") << "1e39"_ba << 34 << "0"_ba;
        QTest::newRow("point of 600 characters")
            << "-." + QByteArray(598, '5') << 32 << "-.5555555555555556"_ba;
    }
    void itemsRead() {
        QFETCH(QByteArray, content);
        QFETCH(int, line);
        QFETCH(QByteArray, written);
        TestRecord r = randomRecord(3);
        r.ProgramVersionG = kProgramVersion;
        QString why;
        QVERIFY2(parseLkd(withLine(line, content), r, &why), qPrintable(why));
        QCOMPARE(composeLkd(r), withLine(line, line == 3 ? content : written));
        if (line == 3) // the text stays as read; the unit system is what it gives
            QCOMPARE(QByteArray::number(r.UnitSystemG), written);
    }

    // Whatever is read, written and read again gives the same record.
    void readWriteReadAgrees() {
        TestRecord once, twice;
        QVERIFY(parseLkd(withLine(3, "\"\r2\""), once)); // a CR inside the unit system
        QVERIFY(parseLkd(composeLkd(once), twice));
        QCOMPARE(twice.UnitSystemG, once.UnitSystemG);
        QCOMPARE(composeLkd(twice), composeLkd(once));
    }

    // A text on line 8: its exact bytes, a byte-order mark only when some text has no
    // Windows-1252 form, every other line untouched, and the text read back.
    void textWritten_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<QByteArray>("line8");
        QTest::newRow("comma, quote") << u"6\" duct, Apt 4"_qs << false << "\"6\" duct, Apt 4\""_ba;
        QTest::newRow("line breaks") << u"a\r\nb\nc\r"_qs << false << "\"a  b c \""_ba;
        QTest::newRow("0x80-0x9F letters")
            << u"€Œ–‘’™Ÿž"_qs << false << "\"\x80\x8C\x96\x91\x92\x99\x9F\x9E\""_ba;
        QTest::newRow("unassigned byte") << u"\u0081"_qs << false << "\"\x81\""_ba;
        QTest::newRow("outside 1252")
            << u"Łódź"_qs << true << "\"\xC5\x81\xC3\xB3\x64\xC5\xBA\""_ba;
        QTest::newRow("outside the BMP") << u"😀"_qs << true << "\"\xF0\x9F\x98\x80\""_ba;
        QTest::newRow("1252 bytes that form UTF-8")
            << u"JOSÉ’S HOUSE"_qs << true << "\"JOS\xC3\x89\xE2\x80\x99S HOUSE\""_ba;
        QTest::newRow("C1 control without a byte") << u"\u0080"_qs << true << "\"\xC2\x80\""_ba;
    }
    void textWritten() {
        QFETCH(QString, text);
        QFETCH(bool, utf8);
        QFETCH(QByteArray, line8);
        TestRecord r = plainRecord();
        r.TechnicianG = text;
        const QByteArray bytes = composeLkd(r);
        QCOMPARE(bytes, (utf8 ? "\xEF\xBB\xBF"_ba : ""_ba) + withLine(8, line8));
        TestRecord back;
        QVERIFY(parseLkd(bytes, back));
        QCOMPARE(back.TechnicianG, text.replace(u'\r', u' ').replace(u'\n', u' '));
    }

    // Reading a file: the saved fields it holds, every other field left (a 91-line file of the
    // older form gives the later fields as a new test has them); or a reason that names the file
    // with the record exactly as it was. Null bytes: the file is left as it is.
    void reads_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error"); // empty: the read succeeds
        const QList<QByteArray> lines = linesOf(composeLkd(plainRecord()));
        const QString ok = u"read.lkd"_qs, broken = u"broken.lkd"_qs;
        QTest::newRow("full LF") << ok << joinLines(lines, 118, "\n") << QString();
        QTest::newRow("97 lines") << ok << joinLines(lines, 97, "\r\n") << QString();
        QTest::newRow("91 lines, no last break")
            << ok << joinLines(lines, 91, "\r\n").chopped(2) << QString();
        QTest::newRow("91 lines, blank lines after")
            << ok << joinLines(lines, 91, "\r\n") + "\r\n  \r\n\n"
            << QString();
        QTest::newRow("missing file") << u"missing.lkd"_qs << QByteArray() << u"does not exist"_qs;
        QTest::newRow("folder") << u"folder.lkd"_qs << QByteArray() << u"is a folder"_qs;
        QTest::newRow("far too large") << u"huge.lkd"_qs << QByteArray() << u"too large"_qs;
        QTest::newRow("50 lines") << broken << joinLines(lines, 50, "\r\n")
                                  << u"the file has only 50 lines"_qs;
        QTest::newRow("stops at line 92")
            << broken << joinLines(lines, 92, "\r\n") << u"the file ends after line 92"_qs;
        QTest::newRow("text on a D line")
            << broken << withLine(21, "\"big\"") << u"line 21: a number was expected"_qs;
        QTest::newRow("1e39 on an S line")
            << broken << withLine(25, "1e39") << u"line 25: the number is too large"_qs;
        QTest::newRow("1e39 on line 97") << broken << withLine(97, "1e39") << u"line 97: the"_qs;
        // Blank lines at the end do not count; the lines are looked at one by one, not held.
        QTest::newRow("64 MiB of line feeds")
            << broken << QByteArray(64 * 1024 * 1024, '\n') << u"the file has only 0 lines"_qs;
    }
    void reads() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const QString path = dir_.filePath(name);
        if (!bytes.isNull())
            writeBytes(path, bytes);
        TestRecord r = randomRecord(5);
        TestRecord expected = error.isEmpty() ? withSaved(plainRecord(), r) : r;
        if (error.isEmpty() && linesOf(bytes).size() < 97) {
            expected.BarometricPresG = 29.921f;
            expected.Reserved1G = expected.Reserved2G = expected.PreTestNegAvgG = 0;
            expected.PreTestPosAvgG = expected.PostTestNegAvgG = expected.PostTestPosAvgG = 0;
        }
        QString why;
        QCOMPARE(readLkdFile(path, r, &why), error.isEmpty());
        QVERIFY2(error.isEmpty() ? why.isEmpty() : why.contains(error) && why.contains(path),
                 qPrintable(why));
        QCOMPARE(diffs(expected, r), QString());
        QCOMPARE(readLkdFile(path, r), error.isEmpty()); // without a place for the reason
    }

    // A failed save names the file (and the system's reason) and leaves every file as it was.
    void failedSavesKeepFiles_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << u"no such folder/test.lkd"_qs << QString();
        QTest::newRow("path is a folder") << u"folder.lkd"_qs << QString();
        QTest::newRow("full disk") << u"disk/test.lkd"_qs << u"No space left on device"_qs;
        // The last step, putting the new file in place of the old, fails.
        QTest::newRow("file mounted over the target") << u"bound.lkd"_qs << QString();
    }
    void failedSavesKeepFiles() {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"folder.lkd"_qs) && QDir(dir.path()).mkdir(u"disk"_qs));
        const QString keep = dir.filePath(u"keep.lkd"_qs);
        const QString inside = dir.filePath(u"folder.lkd/inside.lkd"_qs);
        const QString path = dir.filePath(target);
        writeBytes(inside, "inside");
        // A successful write replaces an existing, longer file whole.
        writeBytes(keep, QByteArray(5000, 'x'));
        QVERIFY(writeLkdFile(plainRecord(), keep));
        QCOMPARE(readBytes(keep), composeLkd(plainRecord()));
        std::optional<Mount> mount;
        if (target == u"disk/test.lkd"_qs) {
            mount.emplace(QStringList{u"-t"_qs, u"tmpfs"_qs, u"-o"_qs, u"size=64k"_qs, u"tmpfs"_qs},
                          dir.filePath(u"disk"_qs));
            if (!mount->made)
                QSKIP("a small tmpfs cannot be mounted here (needs root)");
            QVERIFY(writeLkdFile(plainRecord(), path));
            QFile filler(dir.filePath(u"disk/filler"_qs));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            while (filler.write(QByteArray(4096, 'x')) > 0) {
            }
        } else if (target == u"bound.lkd"_qs) {
            writeBytes(path, "old");
            writeBytes(dir.filePath(u"other"_qs), "other");
            mount.emplace(QStringList{u"--bind"_qs, dir.filePath(u"other"_qs)}, path);
            if (!mount->made)
                QSKIP("a file cannot be bind-mounted here (needs root)");
        }
        const QByteArray before = readBytes(path);
        const auto listing = [&] {
            return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden) +
                   QDir(dir.filePath(u"disk"_qs)).entryList(QDir::AllEntries | QDir::Hidden);
        };
        const QStringList files = listing();
        QString why;
        QVERIFY(!writeLkdFile(randomRecord(9), path, Line98::Extra, &why));
        QVERIFY2(why.contains(path) && why.contains(reason), qPrintable(why));
        QCOMPARE(readBytes(path), before);
        QCOMPARE(readBytes(keep), composeLkd(plainRecord()));
        QCOMPARE(readBytes(inside), "inside"_ba);
        QCOMPARE(listing(), files);
    }

    // Reading stops after the last line the format has: what follows is neither read nor
    // looked at (its byte 0xFF would make the UTF-8 text Windows-1252), even when it never ends.
    void junkAfterTheLastLine() {
        const QByteArray bytes = withLine(8, "\"M\xC3\xBCller\"") + "\xFF junk\r\n";
        const QString fifo = dir_.filePath(u"endless.lkd"_qs);
        const QString file = dir_.filePath(u"valid.lkd"_qs);
        writeBytes(file, bytes);
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QProcess feeder;
        feeder.start(u"sh"_qs, {u"-c"_qs, u"{ cat \"$0\"; yes junk; } > \"$1\""_qs, file, fifo});
        QVERIFY(feeder.waitForStarted());
        TestRecord r;
        QString why;
        const bool read = readLkdFile(fifo, r, &why);
        feeder.kill();
        feeder.waitForFinished();
        QVERIFY2(read, qPrintable(why));
        QCOMPARE(r.TechnicianG, u"Müller"_qs);
    }

    // Reading a sample and writing it again gives its very bytes, up to line 97 (the house was
    // saved from the measurement page, with the USACE index on line 98).
    void samples_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("unitSystem");
        QTest::newRow("house") << u"house-depress.lkd"_qs << 118 << 2;
        QTest::newRow("legacy, Windows-1252") << u"legacy-91-lines.lkd"_qs << 91 << 1;
    }
    void samples() {
        QFETCH(QString, file);
        QFETCH(int, lines);
        QFETCH(int, unitSystem);
        const QString path = qEnvironmentVariable("VENTREL_SOURCE_DIR") + u"/samples/"_qs + file;
        const QByteArray bytes = readBytes(path);
        QCOMPARE(bytes.count("\r\n"), lines);
        TestRecord r;
        QString why;
        QVERIFY2(readLkdFile(path, r, &why), qPrintable(why));
        QCOMPARE(r.UnitSystemG, unitSystem);
        r.ProgramVersionG = kProgramVersion;
        const int n = std::min(lines, 97);
        QCOMPARE(linesOf(composeLkd(r)).mid(0, n), linesOf(bytes).mid(0, n));
    }
};

QTEST_GUILESS_MAIN(TestLkdFile)
#include "test_lkdfile.moc"
