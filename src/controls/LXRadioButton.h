#pragma once

#include "controls/LXDesigned.h"

#include <QRadioButton>

class TLXRadioButton : public QRadioButton, public TLXDesigned
{
public:
    explicit TLXRadioButton(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QString Text() const override { return text(); }
    void SetText(const QString &text) override { setText(text); }
    bool HasCaptionSide() const override { return true; }

    // WordWrap: the caption breaks into lines within the control's width.
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool FWordWrap = false;
};
