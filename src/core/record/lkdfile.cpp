#include "core/record/lkdfile.h"

#include "core/util/numtext.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr int kOldFormLines = 91;
constexpr int kLastReadLine = 97;
constexpr int kExtraLines = 19; // lines 99 to 117
// A test file is a few kilobytes; anything this big is not one, and reading it whole could
// exhaust memory.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

void setError(QString* error, const QString& why) {
    if (error)
        *error = why;
}

// Bytes 0x80 to 0x9F of Windows-1252. The five bytes the code page leaves unassigned map to
// the control character of the same number, as Windows itself does, so every byte of an old
// file reads in and writes back unchanged.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The Windows-1252 byte of a character, or -1 when the code page has none.
int cp1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == c)
            return 0x80 + i;
    }
    return -1;
}

bool encodeCp1252(QStringView text, QByteArray& out) {
    out.resize(text.size());
    char* p = out.data();
    for (const QChar c : text) {
        const int b = cp1252Byte(c.unicode());
        if (b < 0)
            return false;
        *p++ = static_cast<char>(b);
    }
    return true;
}

// Strict UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF); `multiByte` tells
// whether anything beyond ASCII was seen.
bool isUtf8(QByteArrayView bytes, bool& multiByte) {
    multiByte = false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        multiByte = true;
        int len = 0;
        unsigned lo = 0x80;
        unsigned hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        } else {
            return false;
        }
        if (n - i < len || p[i + 1] < lo || p[i + 1] > hi)
            return false;
        for (int k = 2; k < len; ++k) {
            if (p[i + k] < 0x80 || p[i + k] > 0xBF)
                return false;
        }
        i += len;
    }
    return true;
}

// Whether bytes would be taken for UTF-8 on reading: valid, with something beyond ASCII.
bool readsAsUtf8(QByteArrayView bytes) {
    bool multiByte = false;
    return isUtf8(bytes, multiByte) && multiByte;
}

// Lines 1 to 97 in file order, for the writer and the reader alike, so the two cannot drift
// apart. `Rec` is const for the writer.
template <typename Rec, typename Visitor> void visitLines(Rec& r, Visitor& v) {
    v.text(r.ProgramNameG);
    v.ignoredText(r.ProgramVersionG);
    v.unitSystem(r.UnitSystemTextG, r.UnitSystemG);
    for (auto field :
         {&TestRecord::TestDateTimeG, &TestRecord::TestingCompanyG, &TestRecord::BuildingTestedG,
          &TestRecord::BuildingAddressG, &TestRecord::TechnicianG, &TestRecord::WindConditionsG,
          &TestRecord::InteriorDoorsG, &TestRecord::TemporarySealingG, &TestRecord::BasementDoorG,
          &TestRecord::BlowerDoorIdG, &TestRecord::Comment1G, &TestRecord::Comment2G,
          &TestRecord::Comment3G, &TestRecord::Comment4G, &TestRecord::Comment5G,
          &TestRecord::Comment6G})
        v.text(r.*field);
    v.number(r.BuildingVolumeCuFtG);
    v.number(r.BuildingSurfaceAreaSqFtG);
    v.number(r.BuildingFloorAreaSqFtG);
    v.text(r.StoriesAboveGradeG);
    v.number(r.TemperatureInsideFG);
    v.number(r.TemperatureOutsideFG);
    v.text(r.WindShieldingFactorG);
    v.text(r.NumberOfOccupantsG);
    v.text(r.NumberofBedroomsG);
    v.text(r.PressurizeOrDepressG);
    v.numberAsText(r.DivideBy20FactorG);
    v.number(r.PreTestStaticPresG);
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        v.lenientNumber(r.PresGageG[i]);
        v.lenientNumber(r.FlowGageG[i]);
        v.lenientNumber(r.FlowFitG[i]);
        v.lenientNumber(r.FlowErrorG[i]);
        v.lenientNumber(r.LowFlowFactorG[i]);
    }
    v.number(r.PostTestStaticPresG);
    for (auto field : {&TestRecord::CorrelationG, &TestRecord::FlowCoefficientG,
                       &TestRecord::PressureExponentG, &TestRecord::ElaCgsbG, &TestRecord::ElaLblG,
                       &TestRecord::LeakageRatioG, &TestRecord::Ach50G, &TestRecord::Flow50G,
                       &TestRecord::PermeabilityIndexG, &TestRecord::InfiltrationAchG,
                       &TestRecord::InfiltrationFlowG, &TestRecord::InfiltrationPerOccupantG,
                       &TestRecord::InfiltrationPerBedroomG, &TestRecord::BarometricPresG})
        v.number(r.*field);
    // Older files end here.
    if (!v.continuesAfterOldForm(r))
        return;
    for (auto field :
         {&TestRecord::Reserved1G, &TestRecord::Reserved2G, &TestRecord::PreTestNegAvgG,
          &TestRecord::PreTestPosAvgG, &TestRecord::PostTestNegAvgG, &TestRecord::PostTestPosAvgG})
        v.number(r.*field);
}

class Writer {
  public:
    Writer() { out_.reserve(4096); }

    void text(const QString& s) {
        out_ += u'"';
        // A line break inside a text would split the item over two lines and shift every
        // line after it.
        for (const QChar c : s)
            out_ += (c == u'\r' || c == u'\n') ? QChar(u' ') : c;
        out_ += u'"';
        endLine();
    }
    void ignoredText(const QString& s) { text(s); }
    void unitSystem(const QString& s, int16_t) { text(s); }
    void number(double v) { line(fileNumberText(v)); }
    void number(float v) { line(fileNumberText(v)); }
    void lenientNumber(double v) { number(v); }
    void lenientNumber(float v) { number(v); }
    // Shortest digits rather than the seven-digit display text, so the factor reads back as
    // the same Single.
    void numberAsText(float v) { text(fileNumberText(v)); }
    bool continuesAfterOldForm(const TestRecord&) { return true; }

    void line(const QString& item) {
        out_ += item;
        endLine();
    }
    const QString& result() const { return out_; }

  private:
    void endLine() { out_ += u"\r\n"; }
    QString out_;
};

// The item of a line: what lies between the first and the last double quote; without quotes,
// what comes before a comma, less leading blanks.
QStringView itemOf(QStringView line) {
    const qsizetype first = line.indexOf(u'"');
    if (first >= 0) {
        const qsizetype last = line.lastIndexOf(u'"');
        if (last == first)
            return line.sliced(first + 1);
        return line.sliced(first + 1, last - first - 1);
    }
    const qsizetype comma = line.indexOf(u',');
    QStringView item = comma >= 0 ? line.first(comma) : line;
    qsizetype start = 0;
    while (start < item.size() && (item[start] == u' ' || item[start] == u'\t'))
        ++start;
    return item.sliced(start);
}

class Reader {
  public:
    explicit Reader(const QStringList& lines) : lines_(lines) {}

    void text(QString& field) {
        if (const auto item = take())
            field = item->toString();
    }
    void ignoredText(const QString&) { take(); }
    void unitSystem(QString& textField, int16_t& system) {
        const auto item = take();
        if (!item)
            return;
        textField = item->toString();
        const double v = roundHalfEven(leadingNumber(*item), 0);
        system =
            v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max()
                ? static_cast<int16_t>(v)
                : int16_t(0);
    }
    void number(double& field) {
        double v = 0.0;
        if (strictNumber(v))
            field = v;
    }
    void number(float& field) {
        double v = 0.0;
        if (!strictNumber(v))
            return;
        if (!fitsSingle(v)) {
            fail(QStringLiteral("line %1: the number is too large for this field").arg(lineNo_));
            return;
        }
        field = toSingle(v);
    }
    void lenientNumber(double& field) {
        if (const auto item = take())
            field = leadingNumber(*item);
    }
    void lenientNumber(float& field) {
        if (const auto item = take())
            field = toSingle(leadingNumber(*item));
    }
    void numberAsText(float& field) { lenientNumber(field); }

    bool continuesAfterOldForm(TestRecord& r) {
        if (failed() || lines_.size() > kOldFormLines)
            return !failed();
        r.BarometricPresG = 29.921f;
        r.Reserved1G = r.Reserved2G = 0.0f;
        r.PreTestNegAvgG = r.PreTestPosAvgG = r.PostTestNegAvgG = r.PostTestPosAvgG = 0.0f;
        return false;
    }

    bool failed() const { return !error_.isEmpty(); }
    const QString& error() const { return error_; }

  private:
    std::optional<QStringView> take() {
        if (failed())
            return std::nullopt;
        if (lineNo_ >= lines_.size()) {
            if (lines_.size() < kOldFormLines)
                fail(QStringLiteral("the file has only %1 lines; a test file has at least %2")
                         .arg(lines_.size())
                         .arg(kOldFormLines));
            else
                fail(QStringLiteral("the file ends after line %1, before line %2")
                         .arg(lines_.size())
                         .arg(kLastReadLine));
            return std::nullopt;
        }
        return itemOf(lines_[lineNo_++]);
    }
    bool strictNumber(double& v) {
        const auto item = take();
        if (!item)
            return false;
        if (!parseNumber(*item, v)) {
            fail(QStringLiteral("line %1: a number was expected").arg(lineNo_));
            return false;
        }
        return true;
    }
    void fail(const QString& why) { error_ = why; }

    const QStringList& lines_;
    qsizetype lineNo_ = 0; // lines taken so far = number of the last line taken
    QString error_;
};

bool isBlankLine(QByteArrayView line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return std::isspace(uchar(c)); });
}

// Whether only blank characters follow on the device, read in pieces within `budget`.
std::optional<bool> onlyBlanksFollow(QIODevice& device, qint64& budget) {
    char buf[64 * 1024];
    for (;;) {
        const qint64 n = device.read(buf, std::min<qint64>(sizeof buf, budget + 1));
        if (n <= 0)
            return true;
        budget -= n;
        if (!isBlankLine(QByteArrayView(buf, n)))
            return false;
        if (budget < 0)
            return std::nullopt;
    }
}

// One line, its LF kept, read in small pieces: asking the device for a line of up to the whole
// budget would make it reserve that much memory for every line.
QByteArray readLineWithin(QIODevice& device, qint64 budget) {
    QByteArray line;
    char buf[4096];
    while (line.size() <= budget) {
        const qint64 n = device.readLine(buf, sizeof buf);
        if (n <= 0)
            break;
        line.append(buf, n);
        if (buf[n - 1] == '\n')
            break;
    }
    return line;
}

// The lines the reader needs, decoded: split on LF, a trailing CR dropped, no further than the
// last line read, so memory stays small whatever follows. Blank lines at the very end do not
// count, so a stray empty line does not turn a 91-line file into a broken longer one. On
// failure returns what went wrong, to follow the file's name.
std::optional<QString> readLines(QIODevice& device, QStringList& out) {
    qint64 budget = kMaxFileBytes;
    QList<QByteArray> lines;
    bool atEnd = false;
    while (lines.size() < kLastReadLine) {
        QByteArray line = readLineWithin(device, budget);
        if (line.isEmpty()) {
            atEnd = true;
            break;
        }
        budget -= line.size();
        if (budget < 0)
            return QStringLiteral("is far too large for a test file");
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(std::move(line));
    }
    if (!lines.isEmpty() && isBlankLine(lines.last()) && !atEnd) {
        const std::optional<bool> blanks = onlyBlanksFollow(device, budget);
        if (!blanks)
            return QStringLiteral("is far too large for a test file");
        atEnd = *blanks;
    }
    if (const auto* file = qobject_cast<const QFileDevice*>(&device);
        file && file->error() != QFileDevice::NoError)
        return QStringLiteral("cannot be read: %1").arg(file->errorString());
    if (atEnd) {
        while (!lines.isEmpty() && isBlankLine(lines.last()))
            lines.removeLast();
    }

    bool utf8 = !lines.isEmpty() && lines.first().startsWith(kUtf8Bom);
    if (utf8) {
        lines.first().remove(0, 3);
    } else {
        // A multi-byte sequence never spans a line break, so the lines can be judged alone.
        bool multiByte = false;
        utf8 = std::all_of(lines.begin(), lines.end(),
                           [&multiByte](const QByteArray& line) {
                               bool here = false;
                               const bool valid = isUtf8(line, here);
                               multiByte |= here;
                               return valid;
                           }) &&
               multiByte;
    }
    out.reserve(lines.size());
    for (const QByteArray& line : lines)
        out.append(utf8 ? QString::fromUtf8(line) : decodeWindows1252(line));
    return std::nullopt;
}

// Reads the device into `r`. The reason on failure begins with `name`, the file's path, when
// there is one.
bool parseDevice(QIODevice& device, const QString& name, TestRecord& r, QString* error) {
    QStringList lines;
    if (const auto why = readLines(device, lines)) {
        setError(error, (name.isEmpty() ? QStringLiteral("the data") : name) + u' ' + *why);
        return false;
    }
    Reader reader(lines);
    visitLines(r, reader);
    if (reader.failed()) {
        setError(error,
                 name.isEmpty() ? reader.error() : name + QStringLiteral(", ") + reader.error());
        return false;
    }
    return true;
}

} // namespace

QByteArray composeLkd(const TestRecord& r, Line98 line98) {
    Writer w;
    visitLines(r, w);
    if (line98 == Line98::UsaceIndex)
        w.number(r.UsaceIndexG);
    else
        w.text(QStringLiteral("extra"));
    for (int i = 0; i < kExtraLines; ++i)
        w.text(QStringLiteral("extra"));
    w.text(QStringLiteral("END"));

    QByteArray bytes;
    if (encodeCp1252(w.result(), bytes) && !readsAsUtf8(bytes))
        return bytes;
    // Some text has no Windows-1252 form, or its bytes would be taken for UTF-8 ("JOSÉ’S" is
    // C9 92, the UTF-8 of "ɒ"): the whole file goes out as UTF-8, marked so that the reader
    // cannot mistake it.
    return QByteArray(kUtf8Bom) + w.result().toUtf8();
}

bool parseLkd(const QByteArray& bytes, TestRecord& r, QString* error) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return parseDevice(buffer, QString(), r, error);
}

bool writeLkdFile(const TestRecord& r, const QString& path, Line98 line98, QString* error) {
    if (QFileInfo(path).isDir()) {
        setError(error, QStringLiteral("%1 is a folder, not a file").arg(path));
        return false;
    }
    const QByteArray bytes = composeLkd(r, line98);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, QStringLiteral("%1 cannot be created: %2").arg(path, file.errorString()));
        return false;
    }
    // write() only fills a buffer, and commit() does not report a flush that fails (a full
    // disk would replace the old file with an empty one): flush first, while the old file is
    // still in place.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        setError(error, QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString()));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setError(error, QStringLiteral("%1 cannot be saved: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

bool readLkdFile(const QString& path, TestRecord& r, QString* error) {
    // Open first and ask why only on failure: the analyser reads thousands of files.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QFileInfo info(path);
        if (!info.exists())
            setError(error, QStringLiteral("%1 does not exist").arg(path));
        else if (info.isDir())
            setError(error, QStringLiteral("%1 is a folder, not a file").arg(path));
        else
            setError(error,
                     QStringLiteral("%1 cannot be opened: %2").arg(path, file.errorString()));
        return false;
    }
    if (!file.isSequential() && file.size() > kMaxFileBytes) {
        setError(error, QStringLiteral("%1 is far too large for a test file").arg(path));
        return false;
    }
    TestRecord copy = r;
    if (!parseDevice(file, path, copy, error))
        return false;
    r = std::move(copy);
    return true;
}

bool isUntitledName(const QString& fileName) {
    const QString upper = fileName.toUpper();
    return upper.isEmpty() || upper == u"UNTITLED.LKD" || upper == u"UNTITLED" || upper == u".LKD";
}

QString decodeWindows1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* p = out.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *p++ = QChar(b < 0x80 || b >= 0xA0 ? char16_t(b) : kCp1252High[b - 0x80]);
    }
    return out;
}
