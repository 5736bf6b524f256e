#include "designer/StructureCommand.h"

#include "controls/AlignLayout.h"
#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "designer/DesignHistory.h"

#include <QWidget>
#include <algorithm>
#include <set>

TStructureCommand::TStructureCommand(TDesignHistory &history, const QString &text, TKind kind,
                                     const std::vector<QWidget *> &controls)
    : TDesignCommand(history, text, kind == Insert), FKind(kind)
{
    QWidget *root = History.Root();
    const std::vector<TControlPath> selves = TControlPath::OfAll(controls, root);
    std::vector<QWidget *> parents;
    for (QWidget *c : controls)
        parents.push_back(TControlPath::DesignParent(c, root));
    const std::vector<TControlPath> parentPaths = TControlPath::OfAll(parents, root);
    for (size_t i = 0; i < controls.size(); ++i)
        FEntries.push_back(
            {parentPaths[i], TControlPath::IndexOf(controls[i], root), selves[i], {}});
    // Put back in stacking order, each parent's first place first.
    std::vector<size_t> order(FEntries.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [this](size_t a, size_t b) { return FEntries[a].Index < FEntries[b].Index; });
    std::vector<TEntry> sorted;
    for (size_t i : order)
        sorted.push_back(std::move(FEntries[i]));
    FEntries = std::move(sorted);
}

TStructureCommand::~TStructureCommand()
{
    for (TEntry &e : FEntries)
        if (e.Kept && e.Kept->parentWidget() == History.Parking())
            delete e.Kept.data();
}

void TStructureCommand::TakeOut()
{
    std::vector<TControlPath> paths;
    for (const TEntry &e : FEntries)
        paths.push_back(e.Self);
    const std::vector<QWidget *> controls = History.Resolve(paths);
    History.ForgetSelection();
    for (size_t i = 0; i < controls.size(); ++i) {
        FEntries[i].Kept = controls[i];
        controls[i]->setParent(History.Parking());
    }
}

void TStructureCommand::PutBack()
{
    std::vector<TControlPath> paths;
    for (const TEntry &e : FEntries)
        paths.push_back(e.Parent);
    const std::vector<QWidget *> parents = History.Resolve(paths);
    std::set<QWidget *> clients;
    for (size_t i = 0; i < FEntries.size(); ++i) {
        QWidget *control = FEntries[i].Kept;
        if (!control)
            continue;
        QWidget *client = TControlsFactory::ClientOf(parents[i]);
        const QList<QWidget *> siblings = TControlsFactory::DesignedChildren(parents[i]);
        control->setParent(client);
        if (FEntries[i].Index < siblings.size())
            control->stackUnder(siblings[FEntries[i].Index]);
        if (TLXDesigned *designed = AsDesigned(control))
            designed->ApplyVisibility();
        FEntries[i].Kept = nullptr;
        clients.insert(client);
    }
    // Aligned siblings make room again for the controls that came back.
    for (QWidget *client : clients)
        TAlignLayout::Realign(client);
}

void TStructureCommand::Undo()
{
    if (FKind == Insert)
        TakeOut();
    else
        PutBack();
}

void TStructureCommand::Redo()
{
    if (FKind == Insert)
        PutBack();
    else
        TakeOut();
}

std::vector<TControlPath> TStructureCommand::Touched(bool undone) const
{
    std::vector<TControlPath> paths;
    if ((FKind == Insert) != undone)
        for (const TEntry &e : FEntries)
            paths.push_back(e.Self);
    return paths;
}
