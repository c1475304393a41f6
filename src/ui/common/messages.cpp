#include "ui/common/messages.h"

#include <QApplication>

namespace {
MessageHandler& installedHandler() {
    static MessageHandler handler;
    return handler;
}
std::function<void()>& installedBeep() {
    static std::function<void()> handler;
    return handler;
}
} // namespace

QString messageDisplayText(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& request) {
    if (installedHandler())
        return installedHandler()(request);
    QMessageBox box(request.icon, request.title, messageDisplayText(request.text), request.buttons,
                    parent);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void showInformation(QWidget* parent, const QString& title, const QString& text) {
    showMessage(parent, {title, text, QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok});
}

QMessageBox::StandardButton askQuestion(QWidget* parent, const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) {
    return showMessage(parent, {title, text, QMessageBox::Question, buttons, defaultButton});
}

MessageHandler setMessageHandler(MessageHandler handler) {
    MessageHandler previous = std::move(installedHandler());
    installedHandler() = std::move(handler);
    return previous;
}

void beep() {
    if (installedBeep())
        installedBeep()();
    else
        QApplication::beep();
}

void setBeepHandler(std::function<void()> handler) {
    installedBeep() = std::move(handler);
}
