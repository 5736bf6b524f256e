#include "designer/FormAlignment.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace
{

class AlignmentTest : public ::testing::Test
{
protected:
    QWidget *Control(int x, int y, int w, int h)
    {
        auto *c = new QWidget(&parent);
        c->setGeometry(x, y, w, h);
        controls.push_back(c);
        return c;
    }
    std::vector<QRect> Geometries() const
    {
        std::vector<QRect> out;
        for (QWidget *c : controls)
            out.push_back(c->geometry());
        return out;
    }

    QWidget parent;
    std::vector<QWidget *> controls;
};

TEST_F(AlignmentTest, LeftAndRightSidesUseTheOutermostEdge)
{
    Control(10, 0, 50, 10);
    Control(40, 20, 30, 10);
    Control(25, 40, 40, 10);
    TAlignmentForm form(nullptr, controls);
    form.SetHorizontal(1);
    form.ApplyAlignment();
    for (QWidget *c : controls)
        EXPECT_EQ(c->x(), 10);

    controls[0]->move(10, 0);
    controls[1]->move(40, 20);
    controls[2]->move(25, 40);
    form.SetHorizontal(3);
    form.ApplyAlignment();
    EXPECT_EQ(controls[0]->x(), 20);
    EXPECT_EQ(controls[1]->x(), 40);
    EXPECT_EQ(controls[2]->x(), 30);
    EXPECT_EQ(controls[2]->width(), 40) << "sizes never change";
}

TEST_F(AlignmentTest, CentresFollowTheFirstControlAndBothDirectionsApplyTogether)
{
    Control(100, 100, 51, 21); // centre (125, 110)
    Control(0, 0, 20, 10);
    Control(300, 500, 30, 40);
    TAlignmentForm form(nullptr, controls);
    form.SetHorizontal(2);
    form.SetVertical(3);
    form.btnOkClick();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(controls[1]->geometry(), QRect(115, 530, 20, 10));
    EXPECT_EQ(controls[2]->geometry(), QRect(110, 500, 30, 40));
    EXPECT_EQ(controls[0]->geometry(), QRect(100, 519, 51, 21));

    form.SetHorizontal(0);
    form.SetVertical(2);
    const std::vector<QRect> before = Geometries();
    form.SetVertical(0);
    form.ApplyAlignment();
    EXPECT_EQ(Geometries(), before) << "no change on both groups moves nothing";
}

TEST_F(AlignmentTest, TopsAndEmptySelection)
{
    Control(0, 30, 10, 10);
    Control(50, 12, 10, 10);
    TAlignmentForm form(nullptr, controls);
    form.SetVertical(1);
    form.ApplyAlignment();
    EXPECT_EQ(controls[0]->y(), 12);
    EXPECT_EQ(controls[1]->pos(), QPoint(50, 12));

    TAlignmentForm empty(nullptr, {});
    EXPECT_FALSE(empty.OkButton()->isEnabled());
    EXPECT_EQ(empty.windowTitle(), "Alignment");
    EXPECT_EQ(empty.Horizontal(), 0);
    EXPECT_EQ(empty.Vertical(), 0);
}

} // namespace
