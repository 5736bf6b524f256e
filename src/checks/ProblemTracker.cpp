#include "checks/ProblemTracker.h"

#include "controls/AlignLayout.h"

#include <algorithm>

namespace
{

// The control and every designed control below it.
void Subtree(QWidget *control, std::vector<QWidget *> &out)
{
    out.push_back(control);
    for (QWidget *child : TLayoutChecker::DesignedChildren(control))
        Subtree(child, out);
}

} // namespace

void TProblemTracker::Changed(const TDesignChange &change)
{
    if (change.Kind == TDesignChange::Structure || change.Controls.empty()) {
        FWhole = true;
        return;
    }
    // Names and references are the form's: a value may rename a control or
    // point a reference elsewhere.
    FForm = FForm || change.Kind == TDesignChange::Properties;
    FTouched.insert(FTouched.end(), change.Controls.begin(), change.Controls.end());
}

bool TProblemTracker::AddScope(QWidget *root, QWidget *control, std::vector<QWidget *> &containers)
{
    if (!control || control == root || !root->isAncestorOf(control))
        return false;
    QWidget *container = control->parentWidget();
    const std::vector<QWidget *> siblings = TLayoutChecker::DesignedChildren(container);
    // When the container places its children, a change of one (of its
    // place, or of its Align or Anchors) moves the others and theirs.
    if (std::any_of(siblings.begin(), siblings.end(), TAlignLayout::IsPlaced)) {
        if (container == root)
            return false;
        Subtree(container, containers);
        return true;
    }
    containers.push_back(container);
    // Its own children are placed again when it resizes, and they inherit
    // its font.
    Subtree(control, containers);
    return true;
}

bool TProblemTracker::Update(QWidget *root)
{
    std::vector<QWidget *> containers;
    for (size_t i = 0; i < FTouched.size() && !FWhole; ++i)
        FWhole = !AddScope(root, FTouched[i], containers);
    const bool form = FForm;
    FTouched.clear();
    FForm = false;
    if (FWhole) {
        FWhole = false;
        FSet = FChecker.CheckSet(root);
        return true;
    }
    std::sort(containers.begin(), containers.end());
    containers.erase(std::unique(containers.begin(), containers.end()), containers.end());
    bool changed = false;
    for (QWidget *container : containers)
        if (container == root || !TLayoutChecker::DesignedChildren(container).empty())
            changed = FChecker.RecheckChildren(root, container, FSet) || changed;
    if (form)
        changed = FChecker.RecheckForm(root, FSet) || changed;
    return changed;
}
