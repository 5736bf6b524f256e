#include "checks/ProblemTracker.h"

#include "checks/ContainerProblems.h"
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

TProblemTracker::TProblemTracker(const TLayoutChecker &checker) : FChecker(checker) {}

TProblemTracker::~TProblemTracker() = default;

void TProblemTracker::Changed(const TDesignChange &change)
{
    if (change.Kind == TDesignChange::Structure || change.Controls.empty()) {
        FWhole = true;
        return;
    }
    // Values, unlike places, may rename a control or point a reference
    // elsewhere (the form's concerns) or change a tab position.
    FValues = FValues || change.Kind == TDesignChange::Properties;
    FTouched.insert(FTouched.end(), change.Controls.begin(), change.Controls.end());
}

bool TProblemTracker::AddScope(QWidget *root, QWidget *control, std::vector<QWidget *> &whole,
                               std::unordered_map<QWidget *, std::vector<QWidget *>> &changed)
{
    if (!control || control == root || !root->isAncestorOf(control))
        return false;
    QWidget *container = control->parentWidget();
    // When the container places its children, a change of one (of its
    // place, or of its Align or Anchors) moves the others and theirs.
    if (TAlignLayout::PlacesChildren(container)) {
        if (container == root)
            return false;
        Subtree(container, whole);
        return true;
    }
    changed[container].push_back(control);
    // Its own children are placed again when it resizes, and they inherit
    // its font and its name is in their paths.
    Subtree(control, whole);
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

bool TProblemTracker::Recheck(QWidget *root, QWidget *container,
                              const std::vector<QWidget *> *changed, bool values)
{
    auto &kept = FKept[container];
    // A child that came, went or was restacked since is no change of one.
    if (changed && kept && kept->Current()) {
        kept->Update(*changed, values);
    } else {
        kept = std::make_unique<TContainerProblems>(FChecker, root, container);
        if (container != root && TLayoutChecker::DesignedChildren(container).empty())
            return false;
    }
    return FSet.Put(container, kept->Problems());
}

bool TProblemTracker::Update(QWidget *root)
{
    std::vector<QWidget *> whole;
    std::unordered_map<QWidget *, std::vector<QWidget *>> changed;
    for (size_t i = 0; i < FTouched.size() && !FWhole; ++i)
        FWhole = !AddScope(root, FTouched[i], whole, changed);
    const bool form = FValues && !FWhole && FormTouched();
    const bool values = FValues;
    for (const QPointer<QWidget> &control : FTouched)
        if (control)
            FNames[control] = control->objectName();
    FTouched.clear();
    FValues = false;
    if (FWhole) {
        FWhole = false;
        FKept.clear();
        FSet = FChecker.CheckSet(root, &FKept);
        KeepNames(root);
        return true;
    }
    std::sort(whole.begin(), whole.end());
    whole.erase(std::unique(whole.begin(), whole.end()), whole.end());
    bool result = false;
    for (QWidget *container : whole)
        result = Recheck(root, container, nullptr, values) || result;
    for (const auto &[container, controls] : changed)
        if (!std::binary_search(whole.begin(), whole.end(), container))
            result = Recheck(root, container, &controls, values) || result;
    if (form)
        result = FChecker.RecheckForm(root, FSet) || result;
    return result;
}
