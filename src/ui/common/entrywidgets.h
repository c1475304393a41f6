#pragma once

#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

// Controls shared by the input pages, placed in twips.
namespace entrywidgets {

// A display-only text box: names and units beside the entries.
QLineEdit* nameBox(QWidget* parent, const QString& name, const QString& text, int left, int top,
                   int width, int height);

// An entry box.
QLineEdit* entryBox(QWidget* parent, const QString& name, int left, int top, int width, int height);

// "Next", "Back" and "Clear All" along the bottom of the frame.
QPushButton* commandButton(QWidget* parent, const QString& name, const QString& caption, int left,
                           int top);

// Sets a box's text only when it differs, so loading a page runs each change handler once.
void setBoxText(QLineEdit* box, const QString& text);

} // namespace entrywidgets
