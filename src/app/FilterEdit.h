#pragma once

#include <QLineEdit>

// A line for filter text: a clear button at its end, and Esc empties it.
class TFilterEdit : public QLineEdit
{
public:
    TFilterEdit(const QString &placeholder, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
