#pragma once

#include "checks/LayoutProblem.h"

#include <unordered_map>
#include <vector>

class QWidget;

// The problems of a design kept by the container whose children they
// concern, so that a re-check after a change replaces those of the one or
// two containers the change touched without looking at the others. A
// change that deletes a container needs a new set.
class TProblemSet
{
public:
    // Every problem: by container in the order they were first checked,
    // then those of the whole form.
    const std::vector<TLayoutProblem> &All() const { return FAll; }

    // The problems among a container's children, replacing those it had;
    // true when they differ from those.
    bool Put(const QWidget *container, std::vector<TLayoutProblem> problems);
    bool PutForm(std::vector<TLayoutProblem> problems);

private:
    // Puts problems in the place of count problems at first in the list of
    // all.
    void Splice(size_t first, size_t count, const std::vector<TLayoutProblem> &problems);

    struct TBlock {
        size_t Order;
        std::vector<TLayoutProblem> Problems;
    };
    std::unordered_map<const QWidget *, TBlock> FLocal;
    // The count of problems of each block, in the order of the list.
    std::vector<size_t> FSizes;
    std::vector<TLayoutProblem> FForm;
    std::vector<TLayoutProblem> FAll;
};
