#include "designer/ReparentCommand.h"

#include "controls/AlignLayout.h"
#include "controls/ControlsFactory.h"
#include "controls/DropTarget.h"
#include "controls/LXDesigned.h"
#include "designer/DesignHistory.h"
#include "designer/DesignerMessagesHandler.h"

#include <QWidget>
#include <algorithm>
#include <set>

namespace
{

// The place of a control of the given size inside a client area: as near
// to the wanted place as the area allows, on the grid.
QPoint PlaceInside(const QPoint &wanted, const QSize &size, const QSize &area)
{
    const int step = DesignerHandler ? std::max(DesignerHandler->GridStep, 1) : 5;
    const auto fit = [step](int value, int extent, int room) {
        value = std::min(value, room - extent);
        value = std::max(value, 0);
        return value - value % step;
    };
    return {fit(wanted.x(), size.width(), area.width()),
            fit(wanted.y(), size.height(), area.height())};
}

} // namespace

bool TReparentCommand::CanMove(const std::vector<QWidget *> &controls, QWidget *target,
                               QWidget *root)
{
    if (controls.empty() || !target)
        return false;
    if (target != root && !(AsDesigned(target) && dynamic_cast<TDropTarget *>(target)))
        return false;
    bool allThere = true;
    for (QWidget *c : controls) {
        if (!AsDesigned(c) || c == target || c->isAncestorOf(target))
            return false;
        if (TControlPath::DesignParent(c, root) != target)
            allThere = false;
    }
    return !allThere;
}

TReparentCommand::TReparentCommand(TDesignHistory &history, const QString &text,
                                   const std::vector<QWidget *> &controls, QWidget *target,
                                   const std::function<QString(QWidget *)> &newControlName)
    : TDesignCommand(history, text, false), FNewControlName(newControlName)
{
    QWidget *root = History.Root();
    FTarget = TControlPath::Of(target, root);
    const std::vector<TControlPath> selves = TControlPath::OfAll(controls, root);
    std::vector<QWidget *> parents;
    for (QWidget *c : controls)
        parents.push_back(TControlPath::DesignParent(c, root));
    const std::vector<TControlPath> parentPaths = TControlPath::OfAll(parents, root);
    for (size_t i = 0; i < controls.size(); ++i)
        FEntries.push_back({selves[i],
                            parentPaths[i],
                            TControlPath::IndexOf(controls[i], root),
                            controls[i]->geometry(),
                            controls[i]->objectName(),
                            {}});
}

void TReparentCommand::Redo()
{
    std::vector<TControlPath> paths;
    for (const TEntry &e : FEntries)
        paths.push_back(e.From);
    const std::vector<QWidget *> controls = History.Resolve(paths);
    QWidget *target = History.Resolve({FTarget}).front();
    QWidget *client = TControlsFactory::ClientOf(target);
    std::set<QWidget *> oldClients;
    History.ForgetSelection();
    for (QWidget *control : controls) {
        // Where it lies now, seen from the new parent (which need not hold
        // the old one).
        const QPoint wanted =
            client->mapFromGlobal(control->parentWidget()->mapToGlobal(control->pos()));
        oldClients.insert(control->parentWidget());
        control->setParent(client);
        control->move(PlaceInside(wanted, control->size(), client->size()));
        TLXDesigned *designed = AsDesigned(control);
        const QList<QWidget *> siblings = TControlsFactory::DesignedChildren(target);
        const bool clash = std::any_of(siblings.begin(), siblings.end(), [&](QWidget *w) {
            return w != control && w->objectName() == control->objectName();
        });
        if (clash && FNewControlName)
            designed->SetName(FNewControlName(target));
        designed->ApplyVisibility();
    }
    for (QWidget *c : oldClients)
        TAlignLayout::Realign(c);
    TAlignLayout::Realign(client);
    const std::vector<TControlPath> to = TControlPath::OfAll(controls, History.Root());
    for (size_t i = 0; i < FEntries.size(); ++i)
        FEntries[i].To = to[i];
}

void TReparentCommand::Undo()
{
    std::vector<TControlPath> paths;
    for (const TEntry &e : FEntries)
        paths.push_back(e.To);
    const std::vector<QWidget *> controls = History.Resolve(paths);
    paths.clear();
    for (const TEntry &e : FEntries)
        paths.push_back(e.FromParent);
    const std::vector<QWidget *> parents = History.Resolve(paths);
    History.ForgetSelection();
    // Each control first leaves the target, then they return in stacking
    // order, each parent's lowest place first.
    QWidget *parking = History.Parking();
    for (QWidget *c : controls)
        c->setParent(parking);
    std::vector<size_t> order(FEntries.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [this](size_t a, size_t b) {
        return FEntries[a].FromIndex < FEntries[b].FromIndex;
    });
    std::set<QWidget *> clients;
    for (size_t i : order) {
        const TEntry &e = FEntries[i];
        QWidget *control = controls[i];
        QWidget *client = TControlsFactory::ClientOf(parents[i]);
        const QList<QWidget *> siblings = TControlsFactory::DesignedChildren(parents[i]);
        control->setParent(client);
        if (e.FromIndex < siblings.size())
            control->stackUnder(siblings[e.FromIndex]);
        control->setGeometry(e.FromGeometry);
        if (control->objectName() != e.FromName)
            AsDesigned(control)->SetName(e.FromName);
        AsDesigned(control)->ApplyVisibility();
        clients.insert(client);
    }
    TAlignLayout::Realign(TControlsFactory::ClientOf(History.Resolve({FTarget}).front()));
    for (QWidget *c : clients)
        TAlignLayout::Realign(c);
}

std::vector<TControlPath> TReparentCommand::Touched(bool undone) const
{
    std::vector<TControlPath> paths;
    for (const TEntry &e : FEntries)
        paths.push_back(undone ? e.From : e.To);
    return paths;
}
