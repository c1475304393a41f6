#include "ui/common/pagemenus.h"

#include "ui/common/messages.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace pagemenus {

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
