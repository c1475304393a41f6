#include "core/report/customerreport.h"

#include "core/calc/buildingvalues.h"
#include "core/record/lkdfile.h"
#include "core/report/reporttext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

#ifndef VENTREL_DATA_DIR
#define VENTREL_DATA_DIR "/usr/local/share/ventrel"
#endif
#ifndef VENTREL_DATA_FROM_BIN
#define VENTREL_DATA_FROM_BIN "../share/ventrel"
#endif

namespace report {

namespace {

constexpr int kMaxItems = 100;
constexpr qsizetype kMaxItemLength = 256; // an item this long ends the report
// A template is a page or two; reading stops here so a wrong file cannot fill the memory.
constexpr qint64 kMaxTemplateBytes = 1 << 20;

bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

// Reads one item from `pos`; false at the end of the text. An item longer than the limit is
// returned cut at the limit (it stops the report all the same).
bool nextItem(QStringView text, qsizetype& pos, QString& item) {
    const qsizetype n = text.size();
    while (pos < n && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
    if (pos >= n)
        return false;
    item.clear();
    if (text[pos] == u'"') {
        // To the closing quote; a quote left open ends at its line end, so that one stray
        // quote cannot swallow the rest of the file.
        ++pos;
        while (pos < n && text[pos] != u'"' && !isLineEnd(text[pos])) {
            if (item.size() < kMaxItemLength)
                item += text[pos];
            ++pos;
        }
        if (pos < n && text[pos] == u'"')
            ++pos;
        // Whatever stands between the closing quote and the next comma belongs to no item.
        while (pos < n && text[pos] != u',' && !isLineEnd(text[pos]))
            ++pos;
    } else {
        while (pos < n && text[pos] != u',' && !isLineEnd(text[pos])) {
            if (item.size() < kMaxItemLength)
                item += text[pos];
            ++pos;
        }
        while (!item.isEmpty() && (item.back() == u' ' || item.back() == u'\t'))
            item.chop(1);
    }
    if (pos < n && text[pos] == u',') {
        ++pos;
    } else if (pos < n) {
        if (text[pos] == u'\r' && pos + 1 < n && text[pos + 1] == u'\n')
            ++pos;
        ++pos;
    }
    return true;
}

bool replaceFirst(QString& s, QStringView what, const QString& with) {
    const qsizetype at = s.indexOf(what);
    if (at < 0)
        return false;
    s.replace(at, what.size(), with);
    return true;
}

double finiteOrZero(double v) {
    return std::isfinite(v) ? v : 0.0;
}

class Composer {
  public:
    Composer(const TestRecord& r, TestRecord* writable, int16_t system)
        : r_(r), writable_(writable), system_(system) {}

    QString compose(QStringView templateText) {
        QString out;
        const QString lead = screen() ? QStringLiteral("\t") : QStringLiteral("\t\t");
        for (const QString& item : templateItems(templateText))
            out += lead + process(item) + kLineEnd;
        return out;
    }

  private:
    bool screen() const { return writable_ != nullptr; }
    bool metric() const { return system_ == 3; }

    double ela() const { return static_cast<double>(r_.ElaCgsbG); }
    double ach() const { return static_cast<double>(r_.InfiltrationAchG); }
    double measuredArea() const { return ela() / 144.0; }
    // With no air changes there is no area that would give 0.35 of them: 0, not infinity.
    double recommendedArea() const {
        return ach() == 0.0 ? 0.0 : finiteOrZero((0.35 / ach()) * ela() / 144.0);
    }

    static QString figure(double value, int k, const QString& unit) {
        return firstOf(num(finiteOrZero(value)), k) + unit;
    }

    void append(QString& item, const QString& value) {
        item += QStringLiteral("\t\t") + field(value);
    }

    QString process(QString item) {
        if (item.contains(u"AIR LEAKAGE TEST")) {
            const int n = screen() ? 2 : (metric() ? 2 : 3);
            return QString(n, u'\t') + item;
        }
        if (replaceFirst(item, u"[TAB1]", QStringLiteral("\t")))
            return item;
        if (replaceFirst(item, u"[TAB2]", QStringLiteral("\t\t")))
            return item;
        struct Marker {
            const char16_t* phrase;
            const char16_t* marker;
            const QString& value;
        };
        const Marker markers[] = {
            {u"Report Prepared For", u"[BuildingID]", r_.BuildingTestedG},
            {u"Prepared By", u"[Technician]", r_.TechnicianG},
            {u"Testing Company", u"[TestingCompany]", r_.TestingCompanyG},
            {u"Date of Test", u"[TestDateAndTime]", r_.TestDateTimeG},
        };
        for (const Marker& m : markers) {
            if (item.contains(QStringView(m.phrase))) {
                append(item, m.value);
                return item;
            }
            if (replaceFirst(item, QStringView(m.marker), QString())) {
                append(item, m.value);
                return item;
            }
        }
        if (item.contains(u"HOW MUCH AIR LEAKAGE DO") || item.contains(u"HOW MUCH LEAKAGE DID"))
            return QStringLiteral("\t") + item;

        if (metric() ? metricFigures(item) : imperialFigures(item))
            return item;
        // Only an item that no rule has touched: a figure just written may begin with 34.0.
        if (replaceFirst(item, u"34.0", QStringLiteral("123.45")))
            return QStringLiteral("\t") + item;
        return item;
    }

    bool imperialFigures(QString& item) {
        if (item.contains(u"[ASHRAErecommendedELA]") || item.contains(u"1.3 square feet")) {
            if (writable_)
                refreshInfiltrationAch(*writable_);
            current_ = recommendedArea();
            const QString area = figure(current_, 5, QStringLiteral(" square feet "));
            replaceFirst(item, u"1.3 square feet", area);
            replaceFirst(item, u"[ASHRAErecommendedELA]", area);
            return true;
        }
        if (replaceFirst(item, u"7.7 inches",
                         figure(current_ * 144 / 24, 5, QStringLiteral(" inches "))))
            return true;
        if (item.contains(u"2.8 square feet")) {
            current_ = measuredArea();
            replaceFirst(item, u"2.8 square feet",
                         figure(current_, 5, QStringLiteral(" square feet ")));
            return true;
        }
        if (replaceFirst(item, u"17.0 inches",
                         figure(current_ * 144 / 24, 5, QStringLiteral(" inches "))))
            return true;
        if (replaceFirst(item, u"34.0 feet", figure(current_ * 12, 5, QStringLiteral(" feet "))))
            return true;
        return dailyFigures(item);
    }

    bool metricFigures(QString& item) {
        const QString wide = figure(60.96, 5, QStringLiteral(" centimeters "));
        if (item.contains(u"[ASHRAErecommendedELA]") || item.contains(u"1.3 square feet")) {
            current_ = recommendedArea();
            const double cm2 = current_ * 0.0929 * 100 * 100;
            replaceFirst(item, u"1.3 square feet",
                         figure(cm2, 6, QStringLiteral(" centimeters2 ")));
            replaceFirst(item, u"[ASHRAErecommendedELA]",
                         figure(cm2, 5, QStringLiteral(" centimeters2 ")));
            return true;
        }
        if (item.contains(u"7.7 inches")) {
            current_ = recommendedArea();
            replaceFirst(item, u"7.7 inches",
                         figure(144.0 / 24 * current_ * 2.54, 5, QStringLiteral(" centimeters ")));
            if (screen())
                replaceFirst(item, u"24 inch", wide);
            return true;
        }
        if (item.contains(u"2.8 square feet")) {
            current_ = measuredArea();
            replaceFirst(
                item, u"2.8 square feet",
                figure(current_ * 0.0929 * 100 * 100, 6, QStringLiteral(" centimeters2 ")));
            return true;
        }
        if (item.contains(u"17.0 inches")) {
            current_ = measuredArea();
            replaceFirst(item, u"17.0 inches",
                         figure(current_ * 144 / 24 * 2.54, 5, QStringLiteral(" centimeters ")));
            replaceFirst(item, u"24 inch", wide);
            return true;
        }
        if (replaceFirst(item, u"24 inch", figure(60.96, 5, QStringLiteral(" centimeter "))))
            return true;
        if (item.contains(u"34.0 feet")) {
            current_ = measuredArea();
            replaceFirst(item, u"34.0 feet",
                         figure(current_ * 12 * 2.54 * 0.3048, 5, QStringLiteral(" meters ")));
            replaceFirst(item, screen() ? u"1 inch wide" : u"1 inch",
                         QStringLiteral(" 1 centimeter "));
            return true;
        }
        if (replaceFirst(item, u"1 inch", figure(1, 2, QStringLiteral(" centimeter "))))
            return true;
        return dailyFigures(item);
    }

    bool dailyFigures(QString& item) {
        if (replaceFirst(item, u"19.4", figure(ach() * 24, 5, QStringLiteral(" "))))
            return true;
        return replaceFirst(item, u"11.0", figure((ach() - 0.35) * 24, 5, QStringLiteral(" ")));
    }

    const TestRecord& r_;
    TestRecord* writable_;
    int16_t system_;
    double current_ = 0.0; // square feet, from item to item
};

} // namespace

QStringList templateItems(QStringView templateText) {
    QStringList items;
    qsizetype pos = 0;
    QString item;
    while (items.size() < kMaxItems && nextItem(templateText, pos, item)) {
        if (item.isEmpty() || item == QLatin1String("END") || item.size() >= kMaxItemLength)
            break;
        items << item;
    }
    return items;
}

QString customerReportText(const TestRecord& r, int16_t system, QStringView templateText) {
    return Composer(r, nullptr, system).compose(templateText);
}

QString customerScreenText(TestRecord& r, int16_t system, QStringView templateText) {
    return Composer(r, &r, system).compose(templateText);
}

void refreshInfiltrationAch(TestRecord& r) {
    const float factor = infiltrationFactor(r.StoriesAboveGradeG, r.WindShieldingFactorG);
    if (!(factor > 0.0f))
        return;
    r.DivideBy20FactorG = factor;
    r.InfiltrationAchG = r.Ach50G / factor;
}

QString previewCustomerReport(TestRecord& r, QStringView templateText) {
    return customerScreenText(r, r.UnitSystemG, templateText);
}

QStringList customerTemplateFolders() {
    QStringList folders;
    const QString own = QCoreApplication::applicationDirPath();
    if (!own.isEmpty())
        folders << QDir::toNativeSeparators(own);
    // Installed under any prefix: the data folder lies beside bin/ (/usr/bin -> /usr/share);
    // the folder fixed at build time serves a program moved elsewhere.
    QStringList installed;
    if (!own.isEmpty())
        installed << QDir::cleanPath(own + QStringLiteral("/" VENTREL_DATA_FROM_BIN));
    installed << QStringLiteral(VENTREL_DATA_DIR);
    for (const QString& folder : installed) {
        const QString native = QDir::toNativeSeparators(folder);
        if (!folders.contains(native))
            folders << native;
    }
    return folders;
}

QString findCustomerTemplate() {
    for (const QString& folder : customerTemplateFolders()) {
        const QFileInfo info(QDir(folder), kCustomerTemplateName);
        if (info.isFile())
            return QDir::toNativeSeparators(info.absoluteFilePath());
    }
    return QString();
}

bool readCustomerTemplate(const QString& path, QString& text, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.read(kMaxTemplateBytes);
    if (bytes.isEmpty() && file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    text = decodeCustomerTemplate(bytes);
    return true;
}

QString decodeCustomerTemplate(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    return decodeWindows1252(bytes);
}

QString missingTemplateMessage(const QString& lineBreak) {
    QString text = QStringLiteral("The customer report template \"%1\" was not found in:")
                       .arg(kCustomerTemplateName);
    for (const QString& folder : customerTemplateFolders())
        text += lineBreak + folder;
    return text;
}

} // namespace report
