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

protected:
    bool event(QEvent *event) override;
};
