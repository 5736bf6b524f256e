#pragma once

#include "controls/LXDesigned.h"

#include <QPushButton>

class TLXButton : public QPushButton, public TLXDesigned
{
public:
    explicit TLXButton(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QString Text() const override { return text(); }
    void SetText(const QString &text) override { setText(text); }

protected:
    bool event(QEvent *event) override;
};
