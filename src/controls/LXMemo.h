#pragma once

#include "controls/LXDesigned.h"

#include <QPlainTextEdit>

// A multi-line edit; the events of its viewport are routed on its behalf.
class TLXMemo : public QPlainTextEdit, public TLXDesigned
{
public:
    explicit TLXMemo(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QString Text() const override { return toPlainText(); }
    void SetText(const QString &text) override { setPlainText(text); }

protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
};
