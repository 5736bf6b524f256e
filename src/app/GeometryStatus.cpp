#include "app/GeometryStatus.h"

#include <QEvent>

TGeometryStatus::TGeometryStatus(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("GeometryStatus"));
    setToolTip(QStringLiteral("Position and size of the selection"));
}

void TGeometryStatus::Show(const std::vector<QWidget *> &controls)
{
    Watch(false);
    FControls.assign(controls.begin(), controls.end());
    Watch(true);
    Refresh();
}

void TGeometryStatus::Watch(bool on)
{
    for (const QPointer<QWidget> &c : FControls)
        if (c)
            on ? c->installEventFilter(this) : c->removeEventFilter(this);
}

bool TGeometryStatus::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        RequestRefresh();
    return false;
}

void TGeometryStatus::RequestRefresh()
{
    if (FRefreshPending)
        return;
    FRefreshPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FRefreshPending = false;
            Refresh();
        },
        Qt::QueuedConnection);
}

void TGeometryStatus::Refresh()
{
    QRect bounds;
    bool any = false;
    for (const QPointer<QWidget> &c : FControls)
        if (c) {
            bounds = any ? bounds.united(c->geometry()) : c->geometry();
            any = true;
        }
    setText(any ? QStringLiteral("%1, %2   %3 \u00d7 %4")
                      .arg(bounds.x())
                      .arg(bounds.y())
                      .arg(bounds.width())
                      .arg(bounds.height())
                : QString());
}
