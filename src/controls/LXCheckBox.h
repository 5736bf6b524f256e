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

protected:
    bool event(QEvent *event) override;
};
