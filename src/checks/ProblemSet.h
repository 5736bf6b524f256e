#pragma once

#include "checks/LayoutProblem.h"

#include <unordered_map>
#include <vector>

class QWidget;

// The problems of a design kept by the container whose children they
// concern, so that a re-check after a change replaces those of the one or
// two containers the change touched without looking at the others.
class TProblemSet
{
public:
    // Every problem: by container in the order they were first checked,
    // then those of the whole form.
    std::vector<TLayoutProblem> All() const;

    // The problems among a container's children, replacing those it had.
    void Put(const QWidget *container, std::vector<TLayoutProblem> problems);
    void PutForm(std::vector<TLayoutProblem> problems) { FForm = std::move(problems); }

private:
    std::unordered_map<const QWidget *, std::vector<TLayoutProblem>> FLocal;
    std::vector<const QWidget *> FOrder;
    std::vector<TLayoutProblem> FForm;
};
