#include "core/calc/analysis.h"

#include "core/calc/leakagecalc.h"
#include "core/util/numtext.h"

#include <vector>

namespace {

// The scalar figures in output order, handed to `visit(key, value)` one by one; numbers carry
// the digits that read back to the stored value.
template <typename Emit> void forEachScalar(const Analysis& a, Emit&& visit) {
    const TestRecord& r = a.record;
    visit("unit_system", int(r.UnitSystemG));
    visit("point_count", int(r.PointCountG));
    visit("baseline_inwc", r.StaticPresBaselineG);
    visit("correlation", r.CorrelationG);
    visit("flow_coefficient", r.FlowCoefficientG);
    visit("pressure_exponent", r.PressureExponentG);
    visit("ela_cgsb_in2", r.ElaCgsbG);
    visit("ela_lbl_in2", r.ElaLblG);
    visit("leakage_ratio", r.LeakageRatioG);
    visit("flow4_cfm", r.Flow4G);
    visit("flow50_cfm", r.Flow50G);
    visit("flow75_cfm", r.Flow75G);
    visit("ach50", r.Ach50G);
    visit("permeability_index", r.PermeabilityIndexG);
    visit("usace_index", r.UsaceIndexG);
    visit("q4pa_surf", r.Q4PaSurfG);
    visit("infiltration_ach", r.InfiltrationAchG);
    visit("infiltration_flow_cfm", r.InfiltrationFlowG);
    visit("infiltration_per_occupant_cfm", r.InfiltrationPerOccupantG);
    visit("infiltration_per_bedroom_cfm", r.InfiltrationPerBedroomG);
    visit("deap_index", r.InfiltrationDeapIndexG);
    visit("infiltration_factor", r.DivideBy20FactorG);
}

// The four intervals of the quality result, in the analyser's order and names.
template <typename Emit> void forEachInterval(const Analysis& a, Emit&& visit) {
    const testquality::Quality& q = a.quality;
    visit("n_ci95", q.exponent);
    visit("c_ci95", q.coefficient);
    visit("flow50_ci95_cfm", q.flow50);
    visit("ach50_ci95", q.ach50);
}

void appendValue(QByteArray& out, int value) {
    out += QByteArray::number(value);
}
void appendValue(QByteArray& out, float value) {
    appendJsonNumber(out, value);
}
void appendValue(QByteArray& out, double value) {
    appendJsonNumber(out, value);
}

void appendJsonKey(QByteArray& out, const char* key) {
    out += ",\"";
    out += key;
    out += "\":";
}

void appendJsonString(QByteArray& out, const QString& text) {
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"')
            escaped += QStringLiteral("\\\"");
        else if (u == u'\\')
            escaped += QStringLiteral("\\\\");
        else if (u < 0x20)
            escaped += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
        else
            escaped += c;
    }
    out += '"';
    out += escaped.toUtf8();
    out += '"';
}

QByteArray csvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text.toUtf8();
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return '"' + quoted.toUtf8() + '"';
}

} // namespace

Analysis analyse(const QString& file, const TestRecord& stored) {
    Analysis a{file, stored, {}, {}, {}};
    calculateTest(a.record);
    const float density = densityCorrectionFactor(a.record);
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        a.used[i] = isFitPoint(a.record, i, density);
        a.fanFlow[i] = a.record.FanFlowG[i];
    }
    a.quality = testquality::assess(a.record);
    return a;
}

void appendJson(QByteArray& out, const Analysis& a) {
    out += "{\"file\":";
    appendJsonString(out, a.file);
    forEachScalar(a, [&out](const char* key, auto value) {
        appendJsonKey(out, key);
        appendValue(out, value);
    });
    out += ",\"points\":[";
    const TestRecord& r = a.record;
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        out += i > 1 ? ",{\"point\":" : "{\"point\":";
        appendValue(out, i);
        appendJsonKey(out, "pressure_inwc");
        appendValue(out, r.PresGageG[i]);
        appendJsonKey(out, "flow_reading_cfm");
        appendValue(out, r.FlowGageG[i]);
        appendJsonKey(out, "plate_factor");
        appendValue(out, r.LowFlowFactorG[i]);
        appendJsonKey(out, "fan_flow_cfm");
        appendValue(out, a.fanFlow[i]);
        appendJsonKey(out, "fit_flow_cfm");
        appendValue(out, r.FlowFitG[i]);
        appendJsonKey(out, "fit_error_pct");
        appendValue(out, r.FlowErrorG[i]);
        out += a.used[i] ? ",\"used\":true}" : ",\"used\":false}";
    }
    out += "],\"quality\":{";
    bool first = true;
    forEachInterval(a, [&](const char* key, const std::optional<testquality::Interval>& i) {
        out += first ? "\"" : ",\"";
        first = false;
        out += key;
        out += "\":";
        if (!i) {
            out += "null";
            return;
        }
        out += '[';
        appendValue(out, i->low);
        out += ',';
        appendValue(out, i->high);
        out += ']';
    });
    out += ",\"checks\":[";
    for (qsizetype k = 0; k < a.quality.checks.size(); ++k) {
        const testquality::Check& c = a.quality.checks[k];
        out += k ? ",{\"name\":" : "{\"name\":";
        appendJsonString(out, c.name);
        out += c.pass ? ",\"pass\":true" : ",\"pass\":false";
        out += ",\"reason\":";
        appendJsonString(out, c.reason);
        out += '}';
    }
    out += "]}}";
}

QByteArray csvHeader() {
    QByteArray out = "file";
    forEachScalar(Analysis{}, [&out](const char* key, auto) {
        out += ',';
        out += key;
    });
    forEachInterval(Analysis{}, [&out](const char* key, const auto&) {
        for (const char* end : {"_low", "_high"}) {
            out += ',';
            out += key;
            out += end;
        }
    });
    out += '\n';
    return out;
}

void appendCsvRow(QByteArray& out, const Analysis& a) {
    out += csvField(a.file);
    forEachScalar(a, [&out](const char*, auto value) {
        out += ',';
        appendValue(out, value);
    });
    // An interval that does not exist leaves its two fields empty.
    forEachInterval(a, [&out](const char*, const std::optional<testquality::Interval>& i) {
        out += ',';
        if (i)
            appendValue(out, i->low);
        out += ',';
        if (i)
            appendValue(out, i->high);
    });
    out += '\n';
}
