#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The fourteen low-flow plate settings. A positive value is a plate factor that divides the
// flow-gauge reading; a negative value is a code for a reading used undivided.
namespace plates {

struct Setting {
    QString text;
    float factor;
};

// In list order, "MAG:Plate Off" first.
const QList<Setting>& settings();
QStringList settingTexts();

// The stored value of a setting text (exact comparison); nothing for a text not in the table.
std::optional<float> factorOf(const QString& text);

// The setting text of a stored value; nothing when no setting has that value (0 included).
std::optional<QString> textOf(float factor);

// Fan flow before density correction divides only by a positive factor.
inline double divisor(float factor) {
    return factor > 0.0f ? static_cast<double>(factor) : 1.0;
}

} // namespace plates
