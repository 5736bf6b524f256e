#include "checks/ContainerProblems.h"

#include "checks/LayoutChecker.h"
#include "controls/LXDesigned.h"

#include <QStringList>
#include <algorithm>
#include <climits>
#include <tuple>

namespace
{

using namespace CheckId;

// The area a container gives its children: inside its frame, border and
// title; the design surface grows to the right and down, so only its left
// and top edges bound it.
QRect ClientArea(QWidget *container, QWidget *root)
{
    if (container == root)
        return QRect(0, 0, INT_MAX / 2, INT_MAX / 2);
    return container->contentsRect();
}

// The cell of a grid of cells of a size that a coordinate falls in.
int CellOf(int at, int size)
{
    return at >= 0 ? at / size : -((-at + size - 1) / size);
}

// The pairs of rectangles that share pixels, as (i, j) with i < j. Each
// rectangle is put in the square cells of a grid it covers and met only by
// those sharing a cell, so that a container of thousands of controls costs
// about as much per control as a small one; a pair met in several cells is
// told in the cell where their common part begins.
std::vector<std::pair<size_t, size_t>> IntersectingPairs(const std::vector<QRect> &rects)
{
    std::vector<std::pair<size_t, size_t>> pairs;
    if (rects.size() < 2)
        return pairs;
    int64_t widths = 0;
    int64_t heights = 0;
    for (const QRect &r : rects) {
        widths += r.width();
        heights += r.height();
    }
    const int count = static_cast<int>(rects.size());
    const int cellWidth = static_cast<int>(std::clamp<int64_t>(2 * widths / count, 8, 1 << 20));
    const int cellHeight = static_cast<int>(std::clamp<int64_t>(2 * heights / count, 8, 1 << 20));
    // A rectangle covering many cells is met with every other instead.
    constexpr int64_t manyCells = 64;
    std::vector<size_t> large;
    std::unordered_map<uint64_t, std::vector<size_t>> cells;
    const auto key = [](int x, int y) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(y);
    };
    for (size_t i = 0; i < rects.size(); ++i) {
        const QRect &r = rects[i];
        const int x0 = CellOf(r.left(), cellWidth), x1 = CellOf(r.right(), cellWidth);
        const int y0 = CellOf(r.top(), cellHeight), y1 = CellOf(r.bottom(), cellHeight);
        if (int64_t(x1 - x0 + 1) * (y1 - y0 + 1) > manyCells) {
            large.push_back(i);
            continue;
        }
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y)
                cells[key(x, y)].push_back(i);
    }
    const auto add = [&](size_t i, size_t j) {
        pairs.emplace_back(std::min(i, j), std::max(i, j));
    };
    for (const auto &[cell, members] : cells)
        for (size_t a = 0; a < members.size(); ++a)
            for (size_t b = a + 1; b < members.size(); ++b) {
                const QRect common = rects[members[a]] & rects[members[b]];
                if (!common.isEmpty() &&
                    key(CellOf(common.left(), cellWidth), CellOf(common.top(), cellHeight)) == cell)
                    add(members[a], members[b]);
            }
    std::vector<bool> isLarge(rects.size(), false);
    for (const size_t i : large)
        isLarge[i] = true;
    for (const size_t i : large)
        for (size_t j = 0; j < rects.size(); ++j)
            if (j != i && (!isLarge[j] || j > i) && rects[i].intersects(rects[j]))
                add(i, j);
    return pairs;
}

uint64_t PairKey(size_t lower, size_t upper)
{
    return (static_cast<uint64_t>(lower) << 32) | upper;
}

} // namespace

TContainerProblems::TContainerProblems(const TLayoutChecker &checker, QWidget *root,
                                       QWidget *container)
    : FChecker(checker), FRoot(root), FContainer(container), FSeen(container->children())
{
    FChildren = TLayoutChecker::DesignedChildren(container);
    const size_t count = FChildren.size();
    FIndex.reserve(count);
    FDesigned.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        FIndex.emplace(FChildren[i], i);
        FDesigned.push_back(AsDesigned(FChildren[i]));
    }
    FOwn.resize(count);
    FOffArea.resize(count);
    FShown.resize(count);
    FPartners.resize(count);
    for (size_t i = 0; i < count; ++i)
        CheckChild(i);
    if (FChecker.Runs(Overlap)) {
        std::vector<QRect> rects;
        std::vector<size_t> of;
        for (size_t i = 0; i < count; ++i)
            if (!FShown[i].isEmpty()) {
                rects.push_back(FShown[i]);
                of.push_back(i);
            }
        for (const auto &[a, b] : IntersectingPairs(rects))
            AddOverlap(of[a], of[b]);
    }
    CheckTabOrder();
}

bool TContainerProblems::Current() const
{
    const QList<QObject *> &now = FContainer->children();
    return now.constData() == FSeen.constData() && now.size() == FSeen.size();
}

void TContainerProblems::Update(const std::vector<QWidget *> &changed, bool values)
{
    for (QWidget *control : changed) {
        const auto at = FIndex.find(control);
        if (at == FIndex.end())
            continue;
        const size_t i = at->second;
        for (const size_t j : FPartners[i]) {
            FOverlaps.erase(PairKey(std::min(i, j), std::max(i, j)));
            std::vector<size_t> &theirs = FPartners[j];
            theirs.erase(std::find(theirs.begin(), theirs.end(), i));
        }
        FPartners[i].clear();
        CheckChild(i);
        // One child's new place meets every sibling's: a comparison of two
        // rectangles each, far cheaper than a grid made anew.
        if (FChecker.Runs(Overlap) && !FShown[i].isEmpty())
            for (size_t j = 0; j < FChildren.size(); ++j)
                if (j != i && FShown[i].intersects(FShown[j]))
                    AddOverlap(i, j);
    }
    if (values)
        CheckTabOrder();
}

void TContainerProblems::CheckChild(size_t i)
{
    QWidget *child = FChildren[i];
    FOwn[i].clear();
    FChecker.CheckControl(FRoot, child, FOwn[i]);
    const QRect g = child->geometry();
    FShown[i] = TLayoutChecker::Shown(child) && !g.isEmpty() ? g : QRect();
    FOffArea[i].reset();
    if (!FChecker.Runs(OffArea) || FShown[i].isEmpty())
        return;
    const QRect area = ClientArea(FContainer, FRoot);
    if (area.contains(g))
        return;
    const QString where =
        FContainer == FRoot ? QStringLiteral("the design") : QStringLiteral("its container");
    const QString message =
        area.intersects(g)
            ? QStringLiteral("lies partly outside %1 (%2, %3, %4 x %5 against %6, %7, %8 x %9)")
                  .arg(where)
                  .arg(g.x())
                  .arg(g.y())
                  .arg(g.width())
                  .arg(g.height())
                  .arg(area.x())
                  .arg(area.y())
                  .arg(area.width())
                  .arg(area.height())
            : QStringLiteral("lies wholly outside %1").arg(where);
    FOffArea[i] = TLayoutProblem{OffArea, child, TLayoutChecker::PathOf(child, FRoot),
                                 QStringLiteral("Left"), message};
}

void TContainerProblems::AddOverlap(size_t i, size_t j)
{
    // Told at the control on top, which hides the other.
    const size_t lower = std::min(i, j);
    const size_t upper = std::max(i, j);
    FOverlaps.emplace(
        PairKey(lower, upper),
        TLayoutProblem{
            Overlap, FChildren[upper], TLayoutChecker::PathOf(FChildren[upper], FRoot),
            QStringLiteral("Left"),
            QStringLiteral("overlaps %1").arg(TLayoutChecker::PathOf(FChildren[lower], FRoot))});
    FPartners[i].push_back(j);
    FPartners[j].push_back(i);
}

void TContainerProblems::CheckTabOrder()
{
    FTabOrder.clear();
    if (!FChecker.Runs(TabOrder))
        return;
    // Each child's position with its place in the stacking order: the first
    // child of a position holds it, each later one is told.
    std::vector<std::pair<int64_t, size_t>> orders;
    orders.reserve(FChildren.size());
    for (size_t i = 0; i < FChildren.size(); ++i) {
        const int64_t order = FDesigned[i]->StoredValue("TabOrder", INT64_MIN);
        if (order != INT64_MIN)
            orders.emplace_back(order, i);
    }
    std::sort(orders.begin(), orders.end());
    std::vector<std::pair<size_t, size_t>> shared;
    for (size_t k = 1; k < orders.size(); ++k)
        if (orders[k].first == orders[k - 1].first)
            shared.emplace_back(orders[k].second, k);
    std::sort(shared.begin(), shared.end());
    for (const auto &[child, k] : shared) {
        size_t holder = k;
        while (holder > 0 && orders[holder - 1].first == orders[k].first)
            --holder;
        FTabOrder.push_back(
            {TabOrder, FChildren[child], TLayoutChecker::PathOf(FChildren[child], FRoot),
             QStringLiteral("TabOrder"),
             QStringLiteral("tab position %1 is also %2's")
                 .arg(orders[k].first)
                 .arg(TLayoutChecker::PathOf(FChildren[orders[holder].second], FRoot))});
    }
    QStringList missing;
    if (orders.size() == FChildren.size()) {
        size_t k = 0;
        for (int64_t place = 0; place < static_cast<int64_t>(FChildren.size()); ++place) {
            while (k < orders.size() && orders[k].first < place)
                ++k;
            if (k == orders.size() || orders[k].first != place)
                missing << QString::number(place);
        }
    }
    if (!missing.isEmpty()) {
        QWidget *at = FContainer == FRoot ? FChildren.front() : FContainer;
        FTabOrder.push_back(
            {TabOrder, at, TLayoutChecker::PathOf(at, FRoot), QStringLiteral("TabOrder"),
             QStringLiteral("tab positions missing in %1: %2")
                 .arg(FContainer == FRoot ? QStringLiteral("the design")
                                          : TLayoutChecker::PathOf(FContainer, FRoot),
                      missing.join(QStringLiteral(", ")))});
    }
}

std::vector<TLayoutProblem> TContainerProblems::Problems() const
{
    std::vector<TLayoutProblem> out;
    for (const std::vector<TLayoutProblem> &own : FOwn)
        out.insert(out.end(), own.begin(), own.end());
    for (const std::optional<TLayoutProblem> &off : FOffArea)
        if (off)
            out.push_back(*off);
    // Overlaps from left to right: by the left edge, then the stacking
    // order, of the first of the two and then of the second.
    const auto place = [this](size_t i) { return std::make_pair(FShown[i].left(), i); };
    using TPlace = std::pair<int, size_t>;
    std::vector<std::tuple<TPlace, TPlace, const TLayoutProblem *>> overlaps;
    overlaps.reserve(FOverlaps.size());
    for (const auto &[key, problem] : FOverlaps) {
        const TPlace a = place(static_cast<size_t>(key >> 32));
        const TPlace b = place(static_cast<size_t>(key & 0xffffffffu));
        overlaps.emplace_back(std::min(a, b), std::max(a, b), &problem);
    }
    std::sort(overlaps.begin(), overlaps.end());
    for (const auto &overlap : overlaps)
        out.push_back(*std::get<2>(overlap));
    out.insert(out.end(), FTabOrder.begin(), FTabOrder.end());
    return out;
}
