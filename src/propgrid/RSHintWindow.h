#pragma once

#include <QWidget>

class QTimer;

// A tooltip-like window for item hints. With an Interval above 0 it hides by
// itself that many milliseconds after it was shown; with 0 it stays.
class TRSHintWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TRSHintWindow(QWidget *owner = nullptr);
    ~TRSHintWindow() override;

    int Interval() const;
    void SetInterval(int value);
    QString Text() const { return FText; }
    QTimer *Timer() const { return FTimer; }

    // Shows the text with its top-left corner at a screen point.
    void ShowAt(const QPoint &point, const QString &text);
    void ActivateHint(const QRect &rect, const QString &text);
    // The rectangle the text needs within the screen width, at (0, 0).
    QRect CalcHintRect(const QString &text) const;
    virtual void TimerExpired();
    virtual void HideHint();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *FTimer;
    bool FBusy = false;
    QString FText;
};
