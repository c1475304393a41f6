#include "core/calc/plates.h"

namespace plates {

const QList<Setting>& settings() {
    static const QList<Setting> table = {
        {QStringLiteral("MAG:Plate Off"), 1.0f},     {QStringLiteral("PG5:Plate Off"), -10.0f},
        {QStringLiteral("MAG:7 Holes Open"), -1.0f}, {QStringLiteral("PG5:7 Holes Open"), -17.0f},
        {QStringLiteral("MAG:4 Holes Open"), 1.69f}, {QStringLiteral("PG5:4 Holes Open"), -14.0f},
        {QStringLiteral("MAG:3 Holes Open"), 2.32f}, {QStringLiteral("PG5:3 Holes Open"), -13.0f},
        {QStringLiteral("MAG:2 Holes Open"), 3.68f}, {QStringLiteral("PG5:2 Holes Open"), -12.0f},
        {QStringLiteral("MAG:1 Hole Open"), 9.52f},  {QStringLiteral("PG5:1 Hole Open"), -11.0f},
        {QStringLiteral("PG5:R21 fan"), -20.0f},     {QStringLiteral("PG5:K76 fan"), -21.0f},
    };
    return table;
}

QStringList settingTexts() {
    QStringList out;
    for (const Setting& s : settings())
        out << s.text;
    return out;
}

std::optional<float> factorOf(const QString& text) {
    for (const Setting& s : settings()) {
        if (s.text == text)
            return s.factor;
    }
    return std::nullopt;
}

std::optional<QString> textOf(float factor) {
    for (const Setting& s : settings()) {
        if (s.factor == factor)
            return s.text;
    }
    return std::nullopt;
}

} // namespace plates
