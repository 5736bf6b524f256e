#include "checks/ProblemSet.h"

std::vector<TLayoutProblem> TProblemSet::All() const
{
    std::vector<TLayoutProblem> all;
    for (const QWidget *container : FOrder)
        for (const TLayoutProblem &p : FLocal.at(container))
            // A container deleted since it was checked leaves problems of
            // controls that are gone.
            if (p.Control)
                all.push_back(p);
    all.insert(all.end(), FForm.begin(), FForm.end());
    return all;
}

void TProblemSet::Put(const QWidget *container, std::vector<TLayoutProblem> problems)
{
    const auto [at, added] = FLocal.try_emplace(container);
    if (added)
        FOrder.push_back(container);
    at->second = std::move(problems);
}
