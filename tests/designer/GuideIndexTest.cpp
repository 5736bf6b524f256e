#include "designer/GuideIndex.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

const QRect Container(0, 0, 1000, 1000);

bool HasLine(const std::vector<TGuideLine> &lines, bool vertical, int pos, int from, int to)
{
    return std::any_of(lines.begin(), lines.end(), [&](const TGuideLine &l) {
        return l.Vertical == vertical && l.Pos == pos && l.From == from && l.To == to;
    });
}

const TGuideDistance *Gap(const std::vector<TGuideDistance> &gaps, bool horizontal, int from,
                          int to)
{
    for (const TGuideDistance &d : gaps)
        if (d.Horizontal == horizontal && d.From == from && d.To == to)
            return &d;
    return nullptr;
}

TEST(GuideIndexTest, EdgesAndCentresWithinReachAreFoundOnEachAxis)
{
    const TGuideIndex index(Container, {QRect(100, 50, 80, 30)});
    // Left 102 onto the left edge 100; the top finds nothing near 200.
    TGuideSnap s = index.Snap(QRect(102, 200, 50, 20), TGuideIndex::geAll, 4);
    EXPECT_TRUE(s.X);
    EXPECT_FALSE(s.Y);
    EXPECT_EQ(s.Offset, QPoint(-2, 0));
    // Right edge 183 onto 180; centre 138 onto the centre 140.
    EXPECT_EQ(index.Snap(QRect(143, 200, 40, 20), TGuideIndex::geAll, 4).Offset.x(), -3);
    EXPECT_EQ(index.Snap(QRect(118, 200, 40, 20), TGuideIndex::geAll, 4).Offset.x(), 2);
    // Bottom 497 onto the container's middle line 500, top 47 onto 50.
    EXPECT_EQ(index.Snap(QRect(300, 477, 10, 20), TGuideIndex::geAll, 4).Offset, QPoint(0, 3));
    EXPECT_EQ(index.Snap(QRect(300, 47, 10, 9), TGuideIndex::geTop, 4).Offset, QPoint(0, 3));
    // Five pixels is beyond reach; edges not asked for are not matched.
    EXPECT_FALSE(index.Snap(QRect(105, 200, 50, 20), TGuideIndex::geAll, 4).X);
    EXPECT_FALSE(index.Snap(QRect(102, 200, 50, 20), TGuideIndex::geRight, 4).X);

    const std::vector<TGuideLine> lines =
        index.LinesAt(QRect(100, 200, 80, 20), TGuideIndex::geAll);
    EXPECT_TRUE(HasLine(lines, true, 100, 50, 220))
        << "spans the matched control and the moved one";
    EXPECT_TRUE(HasLine(lines, true, 140, 50, 220));
    EXPECT_TRUE(HasLine(lines, true, 180, 50, 220));
    EXPECT_EQ(lines.size(), 3u);
}

TEST(GuideIndexTest, TiesGoToTheFirstEdgeAndTheSmallerShiftAndSharedLinesMerge)
{
    const TGuideIndex index(
        Container, {QRect(100, 0, 50, 20), QRect(104, 50, 20, 20), QRect(100, 300, 50, 20)});
    // Left 102 is 2 from 100 and from 104: the shift to the left wins.
    EXPECT_EQ(index.Snap(QRect(102, 600, 30, 10), TGuideIndex::geLeft, 4).Offset.x(), -2);
    // Left 152 is 2 from 150, right 248 is 2 from 250 (the container has
    // none there): the left edge decides.
    const TGuideIndex wide(Container, {QRect(100, 0, 50, 20), QRect(250, 50, 50, 20)});
    EXPECT_EQ(wide.Snap(QRect(152, 600, 96, 10), TGuideIndex::geLeft | TGuideIndex::geRight, 4)
                  .Offset.x(),
              -2);
    // Two controls on the same line give one line spanning all three.
    const std::vector<TGuideLine> lines =
        index.LinesAt(QRect(100, 600, 30, 10), TGuideIndex::geLeft);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(HasLine(lines, true, 100, 0, 610));
}

TEST(GuideIndexTest, GapsToNeighboursAndToTheContainerAreMeasured)
{
    const TGuideIndex index(QRect(0, 0, 400, 300), {QRect(10, 100, 50, 20), QRect(210, 90, 50, 40),
                                                    QRect(120, 250, 30, 20)});
    const QRect placed(100, 100, 60, 20);
    const std::vector<TGuideDistance> gaps = index.DistancesOf(placed);
    const TGuideDistance *left = Gap(gaps, true, 60, 100);
    const TGuideDistance *right = Gap(gaps, true, 160, 210);
    ASSERT_TRUE(left && right);
    EXPECT_EQ(left->At, 110);
    EXPECT_EQ(right->Length(), 50);
    EXPECT_FALSE(left->Equal);
    EXPECT_TRUE(Gap(gaps, false, 120, 250)) << "down to the control below";
    EXPECT_TRUE(Gap(gaps, false, 0, 100)) << "up to the container's edge";
    EXPECT_EQ(gaps.size(), 4u);
}

TEST(GuideIndexTest, RepeatingAGapOrStandingMidwaySnapsAndIsMarked)
{
    // A row 0-50, 70-120: a third at 143 moves to 140 to repeat the gap 20.
    const TGuideIndex row(Container, {QRect(0, 0, 50, 20), QRect(70, 0, 50, 20)});
    const TGuideSnap s = row.Snap(QRect(143, 0, 51, 20), TGuideIndex::geAll, 4);
    EXPECT_TRUE(s.X);
    EXPECT_EQ(s.Offset.x(), -3);
    const std::vector<TGuideDistance> gaps = row.DistancesOf(QRect(140, 0, 51, 20));
    const TGuideDistance *mine = Gap(gaps, true, 120, 140);
    const TGuideDistance *theirs = Gap(gaps, true, 50, 70);
    ASSERT_TRUE(mine && theirs);
    EXPECT_TRUE(mine->Equal && theirs->Equal);

    // Between 0-50 and 150-200, a 40 wide control at 33 moves to 80.
    const TGuideIndex pair(Container, {QRect(0, 300, 50, 20), QRect(150, 300, 50, 20)});
    EXPECT_FALSE(pair.Snap(QRect(60, 300, 40, 20), TGuideIndex::geAll, 4).X)
        << "nothing within reach";
    EXPECT_EQ(pair.Snap(QRect(78, 310, 40, 7), TGuideIndex::geAll, 4).Offset.x(), 2);
    const std::vector<TGuideDistance> midway = pair.DistancesOf(QRect(80, 305, 40, 10));
    ASSERT_TRUE(Gap(midway, true, 50, 80) && Gap(midway, true, 120, 150));
    EXPECT_TRUE(Gap(midway, true, 50, 80)->Equal);
}

TEST(GuideIndexTest, ControlsOfNoSizeHaveLinesAndNeighbours)
{
    const TGuideIndex index(Container, {QRect(200, 100, 0, 0), QRect(300, 100, 20, 20)});
    EXPECT_EQ(index.Snap(QRect(203, 500, 10, 10), TGuideIndex::geLeft, 4).Offset.x(), -3);
    // A moved control of no size snaps and measures its gaps.
    EXPECT_EQ(index.Snap(QRect(297, 600, 0, 0), TGuideIndex::geAll, 4).Offset.x(), 3);
    const std::vector<TGuideDistance> gaps = index.DistancesOf(QRect(250, 100, 0, 0));
    EXPECT_TRUE(Gap(gaps, true, 200, 250));
    EXPECT_TRUE(Gap(gaps, true, 250, 300));
    EXPECT_EQ(TGuideIndex().Snap(QRect(1, 1, 0, 0), TGuideIndex::geAll, 4).X, false)
        << "an empty index finds nothing";
}

} // namespace
