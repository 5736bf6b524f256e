#include "designer/GuideIndex.h"

#include <algorithm>
#include <cstdlib>

namespace
{

int Left(const QRect &r)
{
    return r.x();
}
int Right(const QRect &r)
{
    return r.x() + r.width();
}
int Top(const QRect &r)
{
    return r.y();
}
int Bottom(const QRect &r)
{
    return r.y() + r.height();
}
int CentreX(const QRect &r)
{
    return r.x() + r.width() / 2;
}
int CentreY(const QRect &r)
{
    return r.y() + r.height() / 2;
}

// Whether two spans overlap; a span of no length overlaps what touches it,
// so that a control of no size still has neighbours.
bool Overlaps(int a0, int a1, int b0, int b1)
{
    if (a0 == a1 || b0 == b1)
        return a0 <= b1 && b0 <= a1;
    return a0 < b1 && b0 < a1;
}

bool OverlapsAcross(const QRect &a, const QRect &b, bool horizontal)
{
    return horizontal ? Overlaps(Top(a), Bottom(a), Top(b), Bottom(b))
                      : Overlaps(Left(a), Right(a), Left(b), Right(b));
}

// The middle of the overlap of two spans, where a gap between them is drawn.
int MiddleOfOverlap(int a0, int a1, int b0, int b1)
{
    return (std::max(a0, b0) + std::min(a1, b1)) / 2;
}

void Consider(int shift, int reach, int &best, bool &found)
{
    if (std::abs(shift) <= reach && std::abs(shift) < std::abs(best)) {
        best = shift;
        found = true;
    }
}

} // namespace

TGuideIndex::TGuideIndex(const QRect &container, std::vector<QRect> others) : FContainer(container)
{
    // Edges as lambdas rather than function pointers, so that the sorts
    // compare inline.
    const auto left = [](const QRect &r) { return Left(r); };
    const auto right = [](const QRect &r) { return Right(r); };
    const auto top = [](const QRect &r) { return Top(r); };
    const auto bottom = [](const QRect &r) { return Bottom(r); };
    const auto centreX = [](const QRect &r) { return CentreX(r); };
    const auto centreY = [](const QRect &r) { return CentreY(r); };
    auto sorted = [&others](auto edge) {
        std::vector<QRect> result = others;
        std::sort(result.begin(), result.end(),
                  [edge](const QRect &a, const QRect &b) { return edge(a) < edge(b); });
        return result;
    };
    FByLeft = sorted(left);
    FByRight = sorted(right);
    FByTop = sorted(top);
    FByBottom = sorted(bottom);
    // The lines of each kind come in order from the rectangles sorted by
    // that edge; merging them is cheaper than sorting all lines together.
    auto lines = [](const std::vector<QRect> &rects, auto at, auto from, auto to) {
        std::vector<TLine> result;
        result.reserve(rects.size());
        for (const QRect &r : rects)
            result.push_back({at(r), from(r), to(r)});
        return result;
    };
    auto merge = [](const std::vector<TLine> &a, const std::vector<TLine> &b) {
        std::vector<TLine> result(a.size() + b.size());
        std::merge(a.begin(), a.end(), b.begin(), b.end(), result.begin());
        return result;
    };
    FVertical = merge(
        merge(lines(FByLeft, left, top, bottom), lines(sorted(centreX), centreX, top, bottom)),
        lines(FByRight, right, top, bottom));
    FHorizontal =
        merge(merge(lines(FByTop, top, left, right), lines(sorted(centreY), centreY, left, right)),
              lines(FByBottom, bottom, left, right));
    for (int x : {Left(container), CentreX(container), Right(container)})
        FVertical.insert(std::upper_bound(FVertical.begin(), FVertical.end(), TLine{x, 0, 0}),
                         {x, Top(container), Bottom(container)});
    for (int y : {Top(container), CentreY(container), Bottom(container)})
        FHorizontal.insert(std::upper_bound(FHorizontal.begin(), FHorizontal.end(), TLine{y, 0, 0}),
                           {y, Left(container), Right(container)});
}

const QRect *TGuideIndex::Neighbour(const QRect &r, TSide side) const
{
    const bool horizontal = side == sdLeft || side == sdRight;
    // Those before r: the last edge not beyond r's edge, walking back until
    // one overlaps r across; those after: the other way.
    auto backward = [&](const std::vector<QRect> &sorted, int (*edge)(const QRect &),
                        int limit) -> const QRect * {
        auto it = std::upper_bound(sorted.begin(), sorted.end(), limit,
                                   [edge](int v, const QRect &q) { return v < edge(q); });
        while (it != sorted.begin()) {
            --it;
            if (&*it != &r && OverlapsAcross(*it, r, horizontal))
                return &*it;
        }
        return nullptr;
    };
    auto forward = [&](const std::vector<QRect> &sorted, int (*edge)(const QRect &),
                       int limit) -> const QRect * {
        for (auto it = std::lower_bound(sorted.begin(), sorted.end(), limit,
                                        [edge](const QRect &q, int v) { return edge(q) < v; });
             it != sorted.end(); ++it)
            if (&*it != &r && OverlapsAcross(*it, r, horizontal))
                return &*it;
        return nullptr;
    };
    switch (side) {
    case sdLeft:
        return backward(FByRight, Right, Left(r));
    case sdRight:
        return forward(FByLeft, Left, Right(r));
    case sdUp:
        return backward(FByBottom, Bottom, Top(r));
    case sdDown:
        return forward(FByTop, Top, Bottom(r));
    }
    return nullptr;
}

int TGuideIndex::Nearest(const std::vector<TLine> &lines, const std::vector<int> &positions,
                         int reach, bool &found)
{
    int best = reach + 1;
    found = false;
    // Ties go to the first position asked and then to the smaller shift.
    for (int p : positions) {
        auto it = std::lower_bound(lines.begin(), lines.end(), TLine{p, 0, 0});
        if (it != lines.begin())
            Consider(std::prev(it)->Pos - p, reach, best, found);
        if (it != lines.end())
            Consider(it->Pos - p, reach, best, found);
    }
    return best;
}

void TGuideIndex::EqualSpacing(const QRect &moving, bool horizontal, int reach, int &best,
                               bool &found) const
{
    const TSide before = horizontal ? sdLeft : sdUp;
    const TSide after = horizontal ? sdRight : sdDown;
    int (*lo)(const QRect &) = horizontal ? Left : Top;
    int (*hi)(const QRect &) = horizontal ? Right : Bottom;
    const QRect *a = Neighbour(moving, before);
    const QRect *b = Neighbour(moving, after);
    if (a)
        if (const QRect *aa = Neighbour(*a, before))
            Consider(hi(*a) + (lo(*a) - hi(*aa)) - lo(moving), reach, best, found);
    if (b)
        if (const QRect *bb = Neighbour(*b, after))
            Consider(lo(*b) - (lo(*bb) - hi(*b)) - hi(moving), reach, best, found);
    if (a && b) {
        const int room = lo(*b) - hi(*a) - (hi(moving) - lo(moving));
        if (room >= 0)
            Consider(hi(*a) + room / 2 - lo(moving), reach, best, found);
    }
}

TGuideSnap TGuideIndex::Snap(const QRect &moving, int edges, int reach) const
{
    std::vector<int> xs, ys;
    if (edges & geLeft)
        xs.push_back(Left(moving));
    if (edges & geCentreX)
        xs.push_back(CentreX(moving));
    if (edges & geRight)
        xs.push_back(Right(moving));
    if (edges & geTop)
        ys.push_back(Top(moving));
    if (edges & geCentreY)
        ys.push_back(CentreY(moving));
    if (edges & geBottom)
        ys.push_back(Bottom(moving));
    TGuideSnap result;
    int dx = Nearest(FVertical, xs, reach, result.X);
    int dy = Nearest(FHorizontal, ys, reach, result.Y);
    // Only a rectangle that moves whole keeps its width between neighbours.
    if ((edges & (geLeft | geRight)) == (geLeft | geRight))
        EqualSpacing(moving, true, reach, dx, result.X);
    if ((edges & (geTop | geBottom)) == (geTop | geBottom))
        EqualSpacing(moving, false, reach, dy, result.Y);
    result.Offset = {result.X ? dx : 0, result.Y ? dy : 0};
    return result;
}

void TGuideIndex::AddLines(const std::vector<TLine> &lines, int pos, int from, int to,
                           bool vertical, std::vector<TGuideLine> &out)
{
    const auto range = std::equal_range(lines.begin(), lines.end(), TLine{pos, 0, 0});
    if (range.first == range.second)
        return;
    for (const TGuideLine &line : out)
        if (line.Vertical == vertical && line.Pos == pos)
            return;
    TGuideLine line{vertical, pos, from, to};
    for (auto it = range.first; it != range.second; ++it) {
        line.From = std::min(line.From, it->From);
        line.To = std::max(line.To, it->To);
    }
    out.push_back(line);
}

std::vector<TGuideLine> TGuideIndex::LinesAt(const QRect &placed, int edges) const
{
    std::vector<TGuideLine> out;
    const std::pair<int, int> vertical[] = {
        {geLeft, Left(placed)}, {geCentreX, CentreX(placed)}, {geRight, Right(placed)}};
    const std::pair<int, int> horizontal[] = {
        {geTop, Top(placed)}, {geCentreY, CentreY(placed)}, {geBottom, Bottom(placed)}};
    for (auto [edge, x] : vertical)
        if (edges & edge)
            AddLines(FVertical, x, Top(placed), Bottom(placed), true, out);
    for (auto [edge, y] : horizontal)
        if (edges & edge)
            AddLines(FHorizontal, y, Left(placed), Right(placed), false, out);
    return out;
}

std::vector<TGuideDistance> TGuideIndex::DistancesOf(const QRect &placed) const
{
    std::vector<TGuideDistance> out;
    // Where the gaps to neighbours on either side went, to mark them when
    // the selection stands midway.
    int beside[4] = {-1, -1, -1, -1};
    for (TSide side : {sdLeft, sdRight, sdUp, sdDown}) {
        const bool horizontal = side == sdLeft || side == sdRight;
        const bool before = side == sdLeft || side == sdUp;
        int (*lo)(const QRect &) = horizontal ? Left : Top;
        int (*hi)(const QRect &) = horizontal ? Right : Bottom;
        int (*crossLo)(const QRect &) = horizontal ? Top : Left;
        int (*crossHi)(const QRect &) = horizontal ? Bottom : Right;
        // The gap from a to b (b beyond a on this side), drawn where they
        // overlap across.
        auto gap = [&](const QRect &a, const QRect &b) {
            TGuideDistance d;
            d.Horizontal = horizontal;
            d.At = MiddleOfOverlap(crossLo(a), crossHi(a), crossLo(b), crossHi(b));
            d.From = before ? hi(b) : hi(a);
            d.To = before ? lo(a) : lo(b);
            return d;
        };
        const QRect *n = Neighbour(placed, side);
        if (!n) {
            TGuideDistance d = gap(placed, FContainer);
            d.From = before ? lo(FContainer) : hi(placed);
            d.To = before ? lo(placed) : hi(FContainer);
            if (d.Length() > 0)
                out.push_back(d);
            continue;
        }
        TGuideDistance d = gap(placed, *n);
        if (d.Length() <= 0)
            continue;
        if (const QRect *nn = Neighbour(*n, side)) {
            TGuideDistance further = gap(*n, *nn);
            if (further.Length() == d.Length()) {
                d.Equal = further.Equal = true;
                out.push_back(further);
            }
        }
        beside[side] = static_cast<int>(out.size());
        out.push_back(d);
    }
    for (auto [a, b] : {std::pair{sdLeft, sdRight}, {sdUp, sdDown}})
        if (beside[a] >= 0 && beside[b] >= 0 && out[beside[a]].Length() == out[beside[b]].Length())
            out[beside[a]].Equal = out[beside[b]].Equal = true;
    return out;
}
