#pragma once

#include <QPoint>
#include <QRect>
#include <vector>

// A line of another control (or of the container) that an edge or centre
// line of the dragged selection lies on: vertical lines at x = Pos, from y
// From to To; horizontal ones the other way round.
struct TGuideLine {
    bool Vertical = false;
    int Pos = 0;
    int From = 0;
    int To = 0;
};

// A gap shown as a number while dragging: along x when Horizontal, from
// From to To at the cross coordinate At. Equal marks a gap between two
// other controls that the selection's gap repeats.
struct TGuideDistance {
    bool Horizontal = false;
    int At = 0;
    int From = 0;
    int To = 0;
    bool Equal = false;
    int Length() const { return To - From; }
};

// How far to shift the dragged edges so that they lie on guides; X and Y
// tell on which axes a guide was found.
struct TGuideSnap {
    QPoint Offset;
    bool X = false;
    bool Y = false;
};

// The edges and centre lines of the controls of one container, sorted once
// when a drag starts, so that each mouse step finds the nearest ones by
// binary search. Rectangles use exclusive right and bottom edges
// (left + width), as the layout stores them.
class TGuideIndex
{
public:
    enum TEdge {
        geLeft = 1,
        geCentreX = 2,
        geRight = 4,
        geTop = 8,
        geCentreY = 16,
        geBottom = 32,
        geAll = 63,
    };

    TGuideIndex() = default;
    // container: the container's client area; others: the controls in it
    // that do not move.
    TGuideIndex(const QRect &container, std::vector<QRect> others);

    // The shift within reach pixels that puts one of the given edges of
    // moving on a guide, or keeps the gap to a neighbour equal to one
    // between two other controls (only when the whole rectangle moves).
    TGuideSnap Snap(const QRect &moving, int edges, int reach) const;
    // The guides the given edges of placed lie on, each spanning placed too.
    std::vector<TGuideLine> LinesAt(const QRect &placed, int edges) const;
    // The gaps from placed to its nearest neighbour (or the container's
    // edge) on each side, and the gaps between other controls they repeat.
    std::vector<TGuideDistance> DistancesOf(const QRect &placed) const;

    int Size() const { return static_cast<int>(FByLeft.size()); }

private:
    struct TLine {
        int Pos;
        int From;
        int To;
        bool operator<(const TLine &other) const { return Pos < other.Pos; }
    };
    enum TSide { sdLeft, sdRight, sdUp, sdDown };

    // The nearest control beside r on a side that overlaps it across;
    // nullptr when there is none.
    const QRect *Neighbour(const QRect &r, TSide side) const;
    // The shift (|shift| <= reach, smallest first) putting one of the
    // positions on a line; found tells whether there was one.
    static int Nearest(const std::vector<TLine> &lines, const std::vector<int> &positions,
                       int reach, bool &found);
    void EqualSpacing(const QRect &moving, bool horizontal, int reach, int &best,
                      bool &found) const;
    static void AddLines(const std::vector<TLine> &lines, int pos, int from, int to, bool vertical,
                         std::vector<TGuideLine> &out);

    QRect FContainer;
    std::vector<TLine> FVertical;
    std::vector<TLine> FHorizontal;
    std::vector<QRect> FByLeft, FByRight, FByTop, FByBottom;
};
