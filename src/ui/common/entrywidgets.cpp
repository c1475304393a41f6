#include "ui/common/entrywidgets.h"

#include "ui/common/twips.h"

#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace entrywidgets {

QLineEdit* nameBox(QWidget* parent, const QString& name, const QString& text, int left, int top,
                   int width, int height) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    box->setPalette(palette);
    box->setCursorPosition(0);
    twips::place(box, left, top, width, height);
    return box;
}

QLineEdit* entryBox(QWidget* parent, const QString& name, int left, int top, int width,
                    int height) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    twips::place(box, left, top, width, height);
    return box;
}

QPushButton* commandButton(QWidget* parent, const QString& name, const QString& caption, int left,
                           int top) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    twips::place(button, left, top, 1500, 480);
    return button;
}

void setBoxText(QLineEdit* box, const QString& text) {
    if (box->text() != text)
        box->setText(text);
    box->setCursorPosition(0);
}

} // namespace entrywidgets
