#include "designer/SurfaceKeys.h"

#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "designer/DesignHistory.h"
#include "designer/DesignerMessagesHandler.h"

#include <QKeyEvent>
#include <QWidget>

TSurfaceKeys::TSurfaceKeys(TDesignHistory &history, QWidget *surface)
    : QObject(surface), FHistory(history), FSurface(surface)
{
    surface->installEventFilter(this);
}

bool TSurfaceKeys::IsDesignKey(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Escape:
        return true;
    case Qt::Key_A:
        return event->modifiers() & Qt::ControlModifier;
    default:
        return false;
    }
}

bool TSurfaceKeys::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // The surface takes its keys before any shortcut of the window.
        if (DesignerHandler && DesignerHandler->Enabled() &&
            IsDesignKey(static_cast<QKeyEvent *>(event))) {
            event->accept();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::KeyPress)
        return HandleKey(static_cast<QKeyEvent *>(event));
    return false;
}

bool TSurfaceKeys::HandleKey(QKeyEvent *event)
{
    TDesignerMessagesHandler *handler = DesignerHandler;
    if (!handler || !handler->Enabled() || !IsDesignKey(event))
        return false;
    const std::vector<QWidget *> selection = handler->Selection();
    const Qt::KeyboardModifiers mods = event->modifiers();
    QWidget *container =
        selection.empty() ? FSurface : TControlPath::DesignParent(selection.front(), FSurface);
    if (event->key() == Qt::Key_A) {
        const QList<QWidget *> all = TControlsFactory::DesignedChildren(container);
        handler->SelectControls(std::vector<QWidget *>(all.begin(), all.end()), false);
        return true;
    }
    if (event->key() == Qt::Key_Escape) {
        if (container && container != FSurface)
            handler->SelectControls({container}, false);
        else
            handler->ClearSelection();
        return true;
    }
    if (selection.empty())
        return true;
    int dx = 0, dy = 0;
    const bool byGrid = mods & Qt::ControlModifier;
    const int step = byGrid ? handler->GridStep : 1;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -step;
        break;
    case Qt::Key_Right:
        dx = step;
        break;
    case Qt::Key_Up:
        dy = -step;
        break;
    default:
        dy = step;
        break;
    }
    FHistory.Nudge(selection, dx, dy, mods & Qt::ShiftModifier, byGrid);
    return true;
}
