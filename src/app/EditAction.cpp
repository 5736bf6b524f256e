#include "app/EditAction.h"

#include <QEvent>

TEditAction::TEditAction(const QString &caption, const QKeySequence &key,
                         std::function<bool()> blocked, QObject *parent)
    : QAction(caption, parent), FBlocked(std::move(blocked))
{
    setShortcut(key);
}

bool TEditAction::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && FBlocked())
        return true;
    return QAction::event(event);
}
