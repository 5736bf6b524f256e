#include "editors/RSTDateEditor.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace
{

struct DateEditorFixture : ::testing::Test {
    TfrmDateEditor form;
    QAbstractItemView *view = form.MonthCalendar1->findChild<QAbstractItemView *>();

    void SetUp() override
    {
        form.SetDate(QDateTime(QDate(2026, 3, 12), QTime(9, 30)));
        form.open();
        QApplication::setActiveWindow(&form);
    }
    // The centre of a day of the month shown: days of the month before come
    // late in their month, so the first match from the top is the one.
    QPoint Day(int day) const
    {
        const QAbstractItemModel *model = view->model();
        for (int row = 0; row < model->rowCount(); ++row)
            for (int col = 0; col < model->columnCount(); ++col)
                if (model->index(row, col).data().toString() == QString::number(day))
                    return view->visualRect(model->index(row, col)).center();
        return {};
    }
    void Click(const QPoint &pos)
    {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
    }
};

} // namespace

TEST_F(DateEditorFixture, ClickOnAnotherDayAcceptsItKeepingTheTime)
{
    Click(Day(12));
    EXPECT_TRUE(form.isVisible()); // the day already selected
    Click(Day(15));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Date(), QDateTime(QDate(2026, 3, 15), QTime(9, 30)));
}

TEST_F(DateEditorFixture, PagingNeverClosesAndADayOfTheNewMonthDoes)
{
    QTest::mouseClick(form.MonthCalendar1->findChild<QToolButton *>("qt_calendar_nextmonth"),
                      Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.MonthCalendar1->monthShown(), 4);
    Click(Day(3));
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Date().date(), QDate(2026, 4, 3));
}

TEST_F(DateEditorFixture, PagingByKeyMakesTheNewDayTheLastDate)
{
    QTest::keyClick(view, Qt::Key_PageDown);
    ASSERT_EQ(form.Date().date(), QDate(2026, 4, 12));
    Click(Day(12));
    EXPECT_TRUE(form.isVisible());
    Click(Day(13));
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(DateEditorFixture, ClicksInTheTitleAreaAndEscapeDoNotPick)
{
    // The first week's row reaches into the form's top 50 pixels: a click
    // there on 1 March selects it, yet the pop-up stays open.
    const QPoint top(Day(1).x(), view->viewport()->mapFrom(&form, QPoint(0, 50)).y());
    ASSERT_EQ(view->indexAt(top), view->indexAt(Day(1))) << "no day cell at the form's y 50";
    Click(top);
    EXPECT_EQ(form.Date().date(), QDate(2026, 3, 1));
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}
