#pragma once

#include <QDateTime>
#include <QDialog>
#include <QPoint>

class QCalendarWidget;

// The borderless pop-up calendar in which a date is picked. A click on a day
// other than the last date closes it with OK; paging to another month or
// year never closes it; Escape closes it with Cancel. The caller places it.
class TfrmDateEditor : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmDateEditor(QWidget *parent = nullptr);

    // The calendar's date with the time of the value last written.
    QDateTime Date() const;
    // Sets the calendar's date and the last date.
    void SetDate(const QDateTime &value);
    QDateTime LastDate() const { return FLastDate; }

    QCalendarWidget *MonthCalendar1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void MonthCalendar1Click();
    void MonthCalendar1GetMonthInfo();

    QDateTime FDate;
    QDateTime FLastDate;
    // Where the last mouse release on the calendar's days happened, in the
    // form's coordinates.
    QPoint FClickPos;
};
