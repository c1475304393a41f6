#include "calc/analysis.h"

#include "calc/leakagecalc.h"
#include "calc/reentry.h"
#include "util/numtext.h"

#include <vector>

namespace {

struct Scalar {
    const char* key;
    QString value;
};

// The scalar figures in output order; numbers carry the digits that read back to the stored value.
std::vector<Scalar> scalars(const Analysis& a) {
    const TestRecord& r = a.record;
    auto n = [](auto v) { return jsonNumberText(v); };
    return {
        {"unit_system", QString::number(r.UnitSystemG)},
        {"point_count", QString::number(r.PointCountG)},
        {"baseline_inwc", n(r.StaticPresBaselineG)},
        {"correlation", n(r.CorrelationG)},
        {"flow_coefficient", n(r.FlowCoefficientG)},
        {"pressure_exponent", n(r.PressureExponentG)},
        {"ela_cgsb_in2", n(r.ElaCgsbG)},
        {"ela_lbl_in2", n(r.ElaLblG)},
        {"leakage_ratio", n(r.LeakageRatioG)},
        {"flow4_cfm", n(r.Flow4G)},
        {"flow50_cfm", n(r.Flow50G)},
        {"flow75_cfm", n(r.Flow75G)},
        {"ach50", n(r.Ach50G)},
        {"permeability_index", n(r.PermeabilityIndexG)},
        {"usace_index", n(r.UsaceIndexG)},
        {"q4pa_surf", n(r.Q4PaSurfG)},
        {"infiltration_ach", n(r.InfiltrationAchG)},
        {"infiltration_flow_cfm", n(r.InfiltrationFlowG)},
        {"infiltration_per_occupant_cfm", n(r.InfiltrationPerOccupantG)},
        {"infiltration_per_bedroom_cfm", n(r.InfiltrationPerBedroomG)},
        {"deap_index", n(r.InfiltrationDeapIndexG)},
        {"infiltration_factor", n(r.DivideBy20FactorG)},
    };
}

void appendJsonString(QByteArray& out, const QString& text) {
    out += '"';
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"')
            out += "\\\"";
        else if (u == u'\\')
            out += "\\\\";
        else if (u < 0x20)
            out += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0')).toLatin1();
        else
            out += QString(c).toUtf8();
    }
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

Analysis analyse(const QString& file, const TestRecord& stored, bool exact) {
    Analysis a{file, stored, {}, {}};
    calculateAsLoaded(a.record, exact);
    const float density = densityCorrectionFactor(a.record);
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        a.used[i] = isFitPoint(a.record, i, density);
        a.fanFlow[i] = toSingle(fanFlowOf(a.record, i, density));
    }
    return a;
}

void appendJson(QByteArray& out, const Analysis& a) {
    out += "{\"file\":";
    appendJsonString(out, a.file);
    for (const Scalar& s : scalars(a)) {
        out += ",\"";
        out += s.key;
        out += "\":";
        out += s.value.toLatin1();
    }
    out += ",\"points\":[";
    const TestRecord& r = a.record;
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        if (i > 1)
            out += ',';
        out += "{\"point\":" + QByteArray::number(i);
        out += ",\"pressure_inwc\":" + jsonNumberText(r.PresGageG[i]).toLatin1();
        out += ",\"flow_reading_cfm\":" + jsonNumberText(r.FlowGageG[i]).toLatin1();
        out += ",\"plate_factor\":" + jsonNumberText(r.LowFlowFactorG[i]).toLatin1();
        out += ",\"fan_flow_cfm\":" + jsonNumberText(a.fanFlow[i]).toLatin1();
        out += ",\"fit_flow_cfm\":" + jsonNumberText(r.FlowFitG[i]).toLatin1();
        out += ",\"fit_error_pct\":" + jsonNumberText(r.FlowErrorG[i]).toLatin1();
        out += a.used[i] ? ",\"used\":true}" : ",\"used\":false}";
    }
    out += "]}";
}

QByteArray csvHeader() {
    QByteArray out = "file";
    for (const Scalar& s : scalars(Analysis{})) {
        out += ',';
        out += s.key;
    }
    out += '\n';
    return out;
}

void appendCsvRow(QByteArray& out, const Analysis& a) {
    out += csvField(a.file);
    for (const Scalar& s : scalars(a)) {
        out += ',';
        out += s.value.toLatin1();
    }
    out += '\n';
}
