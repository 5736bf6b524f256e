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
    QAbstractItemView *view = nullptr;

    void SetUp() override
    {
        form.SetDate(QDateTime(QDate(2026, 3, 12), QTime(9, 30)));
        view = form.MonthCalendar1->findChild<QAbstractItemView *>();
        ASSERT_TRUE(view);
        form.open();
        QApplication::setActiveWindow(&form);
        QApplication::processEvents();
    }
    // The cell of a day of the month shown; days of the neighbouring months
    // shown at the top are late in their month, so the first match is it.
    QRect DayRect(int day) const
    {
        const QAbstractItemModel *model = view->model();
        for (int row = 0; row < model->rowCount(); ++row)
            for (int col = 0; col < model->columnCount(); ++col) {
                const QModelIndex index = model->index(row, col);
                if (model->data(index).toString() == QString::number(day))
                    return view->visualRect(index);
            }
        return {};
    }
    void ClickAt(const QPoint &pos)
    {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
    }
    int FormY(const QPoint &pos) const { return view->viewport()->mapTo(&form, pos).y(); }
};

} // namespace

TEST_F(DateEditorFixture, ClickOnAnotherDayAcceptsItKeepingTheTime)
{
    EXPECT_EQ(form.size(), QSize(234, 186));
    const QPoint twelve = DayRect(12).center();
    ASSERT_GT(FormY(twelve), 50);
    ClickAt(twelve);
    EXPECT_TRUE(form.isVisible()); // the day already selected
    ClickAt(DayRect(15).center());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Date(), QDateTime(QDate(2026, 3, 15), QTime(9, 30)));
}

TEST_F(DateEditorFixture, PagingNeverClosesAndADayOfTheNewMonthDoes)
{
    auto *next = form.MonthCalendar1->findChild<QToolButton *>("qt_calendar_nextmonth");
    ASSERT_TRUE(next);
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.MonthCalendar1->monthShown(), 4);
    EXPECT_EQ(form.LastDate(), form.Date());
    ClickAt(DayRect(3).center());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Date().date(), QDate(2026, 4, 3));
}

TEST_F(DateEditorFixture, ClicksInTheTitleAreaAndEscapeDoNotPick)
{
    // The first week's row reaches into the form's top 50 pixels: a click
    // there on 1 March selects it, yet the pop-up stays open.
    const QPoint first = DayRect(1).center();
    const QPoint top(first.x(), view->viewport()->mapFrom(&form, QPoint(0, 50)).y());
    ASSERT_EQ(view->indexAt(top), view->indexAt(first)) << "no day cell at the form's y 50";
    ClickAt(top);
    EXPECT_EQ(form.Date().date(), QDate(2026, 3, 1));
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(DateEditorFixture, PagingByKeyMakesTheNewDayTheLastDate)
{
    QTest::keyClick(view, Qt::Key_PageDown);
    ASSERT_EQ(form.Date().date(), QDate(2026, 4, 12));
    ClickAt(DayRect(12).center());
    EXPECT_TRUE(form.isVisible());
    ClickAt(DayRect(13).center());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Date().date(), QDate(2026, 4, 13));
}
