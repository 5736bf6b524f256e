#include "app/SurfaceAccessible.h"

#include "controls/ControlsFactory.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/LXControlsContainer.h"
#include "platform/AccessibleEvents.h"

#include <QStringList>

TSurfaceAccessible::TSurfaceAccessible(TLXControlsContainer *surface)
    : QAccessibleWidget(surface, QAccessible::Pane)
{
}

QString TSurfaceAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return widget()->accessibleName().isEmpty() ? QStringLiteral("Design surface")
                                                    : widget()->accessibleName();
    case QAccessible::Value:
    case QAccessible::Description:
        return SelectionText();
    default:
        return QAccessibleWidget::text(t);
    }
}

QString TSurfaceAccessible::SelectionText()
{
    const std::vector<QWidget *> selection =
        DesignerHandler ? DesignerHandler->Selection() : std::vector<QWidget *>();
    if (selection.empty())
        return QStringLiteral("No control selected");
    if (selection.size() == 1)
        return selection.front()->objectName() + QStringLiteral(": ") +
               ControlsFactory->GetKindName(selection.front());
    QStringList names;
    for (const QWidget *control : selection)
        names.append(control->objectName());
    return QStringLiteral("%1 controls selected: %2").arg(selection.size()).arg(names.join(", "));
}

void TSurfaceAccessible::AnnounceSelection(TLXControlsContainer *surface)
{
    if (!surface)
        return;
    QAccessibleEvent changed(surface, QAccessible::DescriptionChanged);
    AccessibleEvents::Send(&changed);
    QAccessibleEvent selection(surface, QAccessible::SelectionWithin);
    AccessibleEvents::Send(&selection);
    // The window's focus, which it keeps also while another window is active;
    // the surface's own remembers a child after the focus went elsewhere.
    const QWidget *focus = surface->window()->focusWidget();
    if (focus && (focus == surface || surface->isAncestorOf(focus))) {
        QAccessibleEvent focused(surface, QAccessible::Focus);
        AccessibleEvents::Send(&focused);
    }
}
