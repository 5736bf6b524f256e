#pragma once

#include "controls/LXDesigned.h"

#include <QLineEdit>

// A string grid's cell editor. Inside a grid its events are routed on the
// grid's behalf; on its own it is designed like any other control.
class TInplaceEdit : public QLineEdit, public TLXDesigned
{
public:
    explicit TInplaceEdit(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QString Text() const override { return text(); }
    void SetText(const QString &text) override { setText(text); }

protected:
    bool event(QEvent *event) override;

private:
    TLXDesigned *FGrid = nullptr;
};
