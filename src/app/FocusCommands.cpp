#include "app/FocusCommands.h"

#include "crash/Command.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

TFocusCommands::TFocusCommands(QMenu *view, const std::vector<TTarget> &targets) : QObject(view)
{
    for (const TTarget &target : targets) {
        QAction *action = view->addAction(target.Caption);
        action->setShortcut(target.Key);
        Command::Connect(action, &QAction::triggered, this, [target] {
            Focus(target.Widget ? target.Widget() : nullptr, target.Caption);
        });
        FActions.push_back(action);
    }
}

void TFocusCommands::Focus(QWidget *widget, const QString &caption)
{
    if (!widget || !widget->isVisible())
        throw Exception(CodePage::FromQString(
            QStringLiteral("The %1 is not shown: turn \"Disable Designer\" off to reach it.")
                .arg(caption.toLower())));
    widget->activateWindow();
    widget->setFocus(Qt::ShortcutFocusReason);
}
