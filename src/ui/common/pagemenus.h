#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QWidget;

// Menus and items carry the names the rest of the program and its tests find them by.
namespace pagemenus {

QMenu* addMenu(QMainWindow* page, const QString& name, const QString& caption);
QAction* addItem(QMenu* menu, const QString& name, const QString& caption,
                 std::function<void()> handler);
// An item standing on the menu bar itself ("&Exit" of the start page).
QAction* addBarItem(QMainWindow* page, const QString& name, const QString& caption,
                    std::function<void()> handler);

// Instructions boxes: one after the other, each titled "Instructions".
void showInstructions(QWidget* parent, const QStringList& boxes);

// The line break of every message: line feed, then carriage return.
inline const QString kBreak = QStringLiteral("\n\r");

// A long text of the program's pages (instructions, notices), kept as a resource: its lines
// joined with the message line break, TABs as written.
QString pageText(const QString& name);

} // namespace pagemenus
