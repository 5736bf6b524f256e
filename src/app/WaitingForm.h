#pragma once

#include <QWidget>

class QLabel;

// The waiting overlay shown while a long command blocks the program: a
// borderless, translucent window above the others with one centred line.
class TWaitingForm : public QWidget
{
public:
    explicit TWaitingForm(QWidget *owner);

    QString Text() const;
    void SetText(const QString &text);

private:
    QLabel *FLabel;
};

// The one overlay, shown over owner until hidden; showing another replaces it.
void ShowWaiting(QWidget *owner, const QString &text);
// Replaces the shown text unless text is empty.
void SetWaitingText(const QString &text);
void HideWaiting();
// The overlay being shown, or none.
TWaitingForm *WaitingForm();
