#pragma once

#include "core/record/testrecord.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>

// The customer report: a letter whose wording comes from a template ("Customer.txt"). The
// template's items are filled in with the test's identification and its figures, converted to
// metric units in unit system 3.
namespace report {

inline const QString kCustomerTemplateName = QStringLiteral("Customer.txt");

// The template's items in order, as the report takes them: at most 100, ending before the
// first that is "END", empty, or 256 characters or longer, or at the end of the text.
QStringList templateItems(QStringView templateText);

// As the printer gets it: each item after two TABs, each ended by CR LF.
QString customerReportText(const TestRecord& r, int16_t system, QStringView templateText);

// As the preview shows it: each item after one TAB. In systems 1 and 2 an item with the
// recommended area first refreshes the infiltration factor and air changes in `r`.
QString customerScreenText(TestRecord& r, int16_t system, QStringView templateText);

// What that refresh stores: DivideBy20FactorG from the stories and the wind shielding, then
// InfiltrationAchG = Ach50G / DivideBy20FactorG. A factor that is not above 0 (a wind
// shielding that is no number) would give no air changes, so then nothing is changed.
void refreshInfiltrationAch(TestRecord& r);

// The preview's load: the screen text in the record's unit system.
QString previewCustomerReport(TestRecord& r, QStringView templateText);

// Finding and reading the template: beside the program first, then in the installed data
// folder. Read as Windows-1252 (UTF-8 when it starts with a byte-order mark), CR LF or LF.
QStringList customerTemplateFolders();
// The first folder's Customer.txt that exists, or an empty text.
QString findCustomerTemplate();
// The template's bytes as text: UTF-8 after a byte-order mark, Windows-1252 otherwise.
QString decodeCustomerTemplate(QByteArrayView bytes);
// False with the reason when the file cannot be read.
[[nodiscard]] bool readCustomerTemplate(const QString& path, QString& text, QString& error);
// What the user is told when no template is found; `lineBreak` as the caller shows breaks.
QString missingTemplateMessage(const QString& lineBreak);

} // namespace report
