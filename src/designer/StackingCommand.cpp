#include "designer/StackingCommand.h"

#include "controls/ControlsFactory.h"
#include "designer/DesignHistory.h"

#include <QWidget>
#include <algorithm>

namespace
{

void ApplyOrder(const std::vector<QWidget *> &order)
{
    for (QWidget *w : order)
        w->raise();
}

} // namespace

TStackingCommand::TStackingCommand(TDesignHistory &history, const QString &text,
                                   const std::vector<QWidget *> &controls, bool toFront)
    : TDesignCommand(history, text, false)
{
    QWidget *root = History.Root();
    QWidget *parent = controls.empty() ? root : TControlPath::DesignParent(controls.front(), root);
    FParent = TControlPath::Of(parent, root);
    FMovedBefore = TControlPath::OfAll(controls, root);
    const QList<QWidget *> children = TControlsFactory::DesignedChildren(parent);
    std::vector<QWidget *> after(children.begin(), children.end());
    // Each control in turn goes to the top (or the bottom) of its siblings.
    for (QWidget *c : controls) {
        const auto it = std::find(after.begin(), after.end(), c);
        if (it == after.end())
            continue;
        after.erase(it);
        if (toFront)
            after.push_back(c);
        else
            after.insert(after.begin(), c);
    }
    for (QWidget *c : after)
        FFrom.push_back(static_cast<int>(children.indexOf(c)));
    // The paths after the change, for selecting the controls then: names
    // shared by siblings count occurrences in the new order.
    for (QWidget *c : controls) {
        int occurrence = 0;
        for (QWidget *sibling : after) {
            if (sibling == c)
                break;
            if (sibling->objectName() == c->objectName())
                ++occurrence;
        }
        FMovedAfter.push_back(FParent.Child(c->objectName(), occurrence));
    }
}

void TStackingCommand::Redo()
{
    const QList<QWidget *> current =
        TControlsFactory::DesignedChildren(History.Resolve({FParent}).front());
    std::vector<QWidget *> order;
    for (int from : FFrom)
        order.push_back(current[from]);
    ApplyOrder(order);
}

void TStackingCommand::Undo()
{
    const QList<QWidget *> current =
        TControlsFactory::DesignedChildren(History.Resolve({FParent}).front());
    std::vector<QWidget *> order(current.size());
    for (size_t i = 0; i < FFrom.size(); ++i)
        order[static_cast<size_t>(FFrom[i])] = current[static_cast<qsizetype>(i)];
    ApplyOrder(order);
}

std::vector<TControlPath> TStackingCommand::Touched(bool undone) const
{
    return undone ? FMovedBefore : FMovedAfter;
}
