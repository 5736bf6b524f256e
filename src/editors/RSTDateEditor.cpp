#include "editors/RSTDateEditor.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QMouseEvent>

namespace
{

// Clicks at or above this line of the form fall on the calendar's title area
// (month, year and paging arrows) and never pick a date.
constexpr int kTitleAreaBottom = 50;

} // namespace

TfrmDateEditor::TfrmDateEditor(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    QFont f = font();
    f.setPixelSize(13);
    setFont(f);
    setFixedSize(234, 186);

    MonthCalendar1 = new QCalendarWidget(this);
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthCalendar1->setGeometry(rect());
    // The day cells are items of the calendar's table view; its viewport
    // receives the mouse.
    if (auto *view = MonthCalendar1->findChild<QAbstractItemView *>())
        view->viewport()->installEventFilter(this);
    connect(MonthCalendar1, &QCalendarWidget::clicked, this, &TfrmDateEditor::MonthCalendar1Click);
    connect(MonthCalendar1, &QCalendarWidget::currentPageChanged, this,
            &TfrmDateEditor::MonthCalendar1GetMonthInfo);

    MonthCalendar1->setFocus();
    SetDate(QDateTime::currentDateTime());
}

QDateTime TfrmDateEditor::Date() const
{
    QDateTime value = FDate;
    value.setDate(MonthCalendar1->selectedDate());
    return value;
}

void TfrmDateEditor::SetDate(const QDateTime &value)
{
    FDate = value;
    MonthCalendar1->setSelectedDate(value.date());
    FLastDate = Date();
}

bool TfrmDateEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *widget = static_cast<QWidget *>(watched);
        FClickPos = widget->mapTo(this, static_cast<QMouseEvent *>(event)->position().toPoint());
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmDateEditor::MonthCalendar1Click()
{
    if (FClickPos.y() <= kTitleAreaBottom)
        return;
    if (Date() != FLastDate)
        accept();
}

void TfrmDateEditor::MonthCalendar1GetMonthInfo()
{
    FLastDate = Date();
}
