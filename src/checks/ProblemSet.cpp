#include "checks/ProblemSet.h"

#include <algorithm>

bool TProblemSet::Put(const QWidget *container, std::vector<TLayoutProblem> problems)
{
    const auto [at, added] = FLocal.try_emplace(container);
    TBlock &block = at->second;
    if (added) {
        block.Order = FSizes.size();
        FSizes.push_back(0);
    }
    if (block.Problems == problems)
        return false;
    // The blocks before it are counted rather than indexed: a design has
    // far fewer containers than problems, and a whole check appends.
    size_t first = FAll.size() - FForm.size();
    if (!added) {
        first = 0;
        for (size_t i = 0; i < block.Order; ++i)
            first += FSizes[i];
    }
    Splice(first, block.Problems.size(), problems);
    FSizes[block.Order] = problems.size();
    block.Problems = std::move(problems);
    return true;
}

bool TProblemSet::PutForm(std::vector<TLayoutProblem> problems)
{
    if (FForm == problems)
        return false;
    Splice(FAll.size() - FForm.size(), FForm.size(), problems);
    FForm = std::move(problems);
    return true;
}

void TProblemSet::Splice(size_t first, size_t count, const std::vector<TLayoutProblem> &problems)
{
    const auto at = FAll.begin() + static_cast<std::ptrdiff_t>(first);
    const size_t kept = std::min(count, problems.size());
    std::copy(problems.begin(), problems.begin() + static_cast<std::ptrdiff_t>(kept), at);
    if (count > kept)
        FAll.erase(at + static_cast<std::ptrdiff_t>(kept), at + static_cast<std::ptrdiff_t>(count));
    else
        FAll.insert(at + static_cast<std::ptrdiff_t>(kept),
                    problems.begin() + static_cast<std::ptrdiff_t>(kept), problems.end());
}
