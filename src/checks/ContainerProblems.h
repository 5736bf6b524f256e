#pragma once

#include "checks/LayoutProblem.h"

#include <QList>
#include <QRect>
#include <optional>
#include <unordered_map>
#include <vector>

class QObject;
class QWidget;
class TLayoutChecker;
class TLXDesigned;

// The problems among the children of one container, kept per child so that
// after a change of a few children only theirs are checked again: each
// child's own problems (its text, caption, picture), whether it lies outside
// the container, which siblings it overlaps; the tab order is checked again
// whole after a change of values.
class TContainerProblems
{
public:
    // Checks every child.
    TContainerProblems(const TLayoutChecker &checker, QWidget *root, QWidget *container);

    // Whether the container's children are still those checked, in that
    // stacking order.
    bool Current() const;
    // Checks again what a change of these children can have altered;
    // values tells that more than their places and sizes changed.
    void Update(const std::vector<QWidget *> &changed, bool values);
    // As a whole check lists them.
    std::vector<TLayoutProblem> Problems() const;

private:
    void CheckChild(size_t i);
    void CheckTabOrder();
    void AddOverlap(size_t i, size_t j);

    const TLayoutChecker &FChecker;
    QWidget *FRoot;
    QWidget *FContainer;
    // The container's list of children as checked: shared with the
    // container until a child comes, goes or is restacked.
    QList<QObject *> FSeen;
    std::vector<QWidget *> FChildren;
    std::vector<TLXDesigned *> FDesigned;
    std::unordered_map<const QWidget *, size_t> FIndex;
    std::vector<std::vector<TLayoutProblem>> FOwn;
    std::vector<std::optional<TLayoutProblem>> FOffArea;
    // Each child's place when shown, else empty.
    std::vector<QRect> FShown;
    // The overlaps by the lower and the upper child, and each child's
    // partners in them.
    std::unordered_map<uint64_t, TLayoutProblem> FOverlaps;
    std::vector<std::vector<size_t>> FPartners;
    std::vector<TLayoutProblem> FTabOrder;
};
