#pragma once

#include "controls/LXDesigned.h"

#include <QPushButton>

class QShortcut;

class TLXButton : public QPushButton, public TLXDesigned
{
public:
    explicit TLXButton(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QString Text() const override { return text(); }
    void SetText(const QString &text) override { setText(text); }

    // WordWrap: the caption breaks into lines within the control's width.
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    // Cancel: Escape anywhere in the button's window clicks it while the
    // designer is off.
    bool Cancel() const { return FCancel != nullptr; }
    void SetCancel(bool value);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool FWordWrap = false;
    QShortcut *FCancel = nullptr;
};
