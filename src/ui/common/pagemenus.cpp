#include "ui/common/pagemenus.h"

#include "ui/common/messages.h"

#include <QAction>
#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

// The texts are linked from a static library: their resource registers itself only when asked.
static void registerPageTexts() {
    static const bool done = [] {
        Q_INIT_RESOURCE(pagetexts);
        return true;
    }();
    (void)done;
}

namespace pagemenus {

QString pageText(const QString& name) {
    registerPageTexts();
    QFile file(QStringLiteral(":/texts/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("page text %s is not built into the program", qPrintable(name));
    QString text = QString::fromUtf8(file.readAll());
    text.chop(1); // the file's own last line end
    text.replace(QLatin1Char('\n'), kBreak);
    return text;
}

QMenu* addMenu(QMainWindow* page, const QString& name, const QString& caption) {
    QMenu* menu = page->menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction* addItem(QMenu* menu, const QString& name, const QString& caption,
                 std::function<void()> handler) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, menu,
                     [handler = std::move(handler)] { handler(); });
    return action;
}

QAction* addBarItem(QMainWindow* page, const QString& name, const QString& caption,
                    std::function<void()> handler) {
    QAction* action = page->menuBar()->addAction(caption);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, page,
                     [handler = std::move(handler)] { handler(); });
    return action;
}

void showInstructions(QWidget* parent, const QStringList& boxes) {
    for (const QString& text : boxes)
        showInformation(parent, QStringLiteral("Instructions"), text);
}

} // namespace pagemenus
