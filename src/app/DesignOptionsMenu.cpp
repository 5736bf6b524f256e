#include "app/DesignOptionsMenu.h"

#include "crash/Command.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/DesignerOptions.h"

#include <QInputDialog>
#include <QMenu>
#include <QWidget>

namespace
{

void Changed(QWidget *window)
{
    for (QWidget *w : window->findChildren<QWidget *>())
        w->update();
    TDesignerOptions::Store(*DesignerHandler);
}

} // namespace

void TDesignOptionsMenu::Add(QMenu *options, QWidget *window)
{
    if (!DesignerHandler)
        return;
    TDesignerOptions::Restore(*DesignerHandler);
    options->addSeparator();
    QAction *step = options->addAction(QStringLiteral("Grid Step..."));
    step->setObjectName(QStringLiteral("GridStepAction"));
    Command::Connect(step, &QAction::triggered, window, [window] {
        bool ok = false;
        const int value = QInputDialog::getInt(
            window, QStringLiteral("Grid Step"), QStringLiteral("Grid step in pixels:"),
            DesignerHandler->GridStep, 1, TDesignerOptions::MaxGridStep, 1, &ok);
        if (!ok || !DesignerHandler)
            return;
        DesignerHandler->GridStep = value;
        Changed(window);
    });
    auto toggle = [&](const QString &caption, const QString &name,
                      bool TDesignerMessagesHandler::*flag) {
        QAction *action = options->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(true);
        action->setChecked(DesignerHandler->*flag);
        Command::Connect(action, &QAction::triggered, window, [window, action, flag] {
            if (!DesignerHandler)
                return;
            DesignerHandler->*flag = action->isChecked();
            Changed(window);
        });
    };
    toggle(QStringLiteral("Show Grid"), QStringLiteral("ShowGridAction"),
           &TDesignerMessagesHandler::ShowGrid);
    toggle(QStringLiteral("Snap to Grid"), QStringLiteral("SnapToGridAction"),
           &TDesignerMessagesHandler::SnapToGrid);
    toggle(QStringLiteral("Snap to Guides"), QStringLiteral("SnapToGuidesAction"),
           &TDesignerMessagesHandler::SnapToGuides);
}
