#pragma once

#include "controls/LXDesigned.h"

#include <QCheckBox>

class TLXCheckBox : public QCheckBox, public TLXDesigned
{
public:
    explicit TLXCheckBox(QWidget *parent = nullptr);

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
