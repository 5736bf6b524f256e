#pragma once

#include "controls/LXDesigned.h"

#include <QLineEdit>

class TLXEditBox : public QLineEdit, public TLXDesigned
{
public:
    explicit TLXEditBox(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QString Text() const override { return text(); }
    void SetText(const QString &text) override { setText(text); }

protected:
    bool event(QEvent *event) override;
};
