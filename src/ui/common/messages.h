#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message box of the program goes through here, so that tests can read the text and
// answer without a person. A line feed + carriage return pair in a text is one line break.
struct MessageRequest {
    QString title;
    QString text; // as composed by the caller, line breaks as LF CR
    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

using MessageHandler = std::function<QMessageBox::StandardButton(const MessageRequest&)>;

// Shows a modal box (or asks the installed handler) and returns the button pressed.
QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& request);

// Shorthands for the two kinds the program uses.
void showInformation(QWidget* parent, const QString& title, const QString& text);
QMessageBox::StandardButton askQuestion(QWidget* parent, const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton);

// Replaces the real boxes (tests); an empty handler restores them. Returns the previous one.
MessageHandler setMessageHandler(MessageHandler handler);

// The text as shown on screen: each LF CR pair (or a lone CR or LF) becomes one line break.
QString messageDisplayText(const QString& text);

// The system beep, replaceable by tests.
void beep();
void setBeepHandler(std::function<void()> handler);
