#include "checks/ProblemTracker.h"

#include "controls/AlignLayout.h"
#include "controls/LXLabel.h"

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
    size_t first = containers.size();
    // When the container places its children, a change of one (of its
    // place, or of its Align or Anchors) moves the others and theirs.
    if (TAlignLayout::PlacesChildren(container)) {
        if (container == root)
            return false;
        Subtree(container, containers);
    } else {
        containers.push_back(container);
        // Its own children are placed again when it resizes, and they
        // inherit its font.
        Subtree(control, containers);
        ++first;
    }
    for (size_t i = first; i < containers.size(); ++i)
        FKnown.erase(containers[i]);
    return true;
}

bool TProblemTracker::FormTouched()
{
    for (const QPointer<QWidget> &control : FTouched) {
        if (!control)
            continue;
        const auto name = FNames.find(control);
        if (name == FNames.end() || name->second != control->objectName() ||
            dynamic_cast<TLXLabel *>(control.data()))
            return true;
    }
    return false;
}

void TProblemTracker::KeepNames(QWidget *root)
{
    FNames.clear();
    std::vector<QWidget *> all;
    for (QWidget *child : TLayoutChecker::DesignedChildren(root))
        Subtree(child, all);
    for (QWidget *control : all)
        FNames.emplace(control, control->objectName());
}

bool TProblemTracker::Update(QWidget *root)
{
    std::vector<QWidget *> containers;
    for (size_t i = 0; i < FTouched.size() && !FWhole; ++i)
        FWhole = !AddScope(root, FTouched[i], containers);
    const bool form = FForm && !FWhole && FormTouched();
    for (const QPointer<QWidget> &control : FTouched)
        if (control)
            FNames[control] = control->objectName();
    FTouched.clear();
    FForm = false;
    if (FWhole) {
        FWhole = false;
        FKnown.clear();
        FSet = FChecker.CheckSet(root, &FKnown);
        KeepNames(root);
        return true;
    }
    std::sort(containers.begin(), containers.end());
    containers.erase(std::unique(containers.begin(), containers.end()), containers.end());
    bool changed = false;
    for (QWidget *container : containers)
        if (container == root || !TLayoutChecker::DesignedChildren(container).empty())
            changed = FChecker.RecheckChildren(root, container, FSet, &FKnown) || changed;
    if (form)
        changed = FChecker.RecheckForm(root, FSet) || changed;
    return changed;
}
