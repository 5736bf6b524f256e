#pragma once

#include "controls/LXDesigned.h"

#include <QLabel>

// Static text that sizes itself to its caption while AutoSize is on.
class TLXLabel : public QLabel, public TLXDesigned
{
public:
    explicit TLXLabel(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QString Text() const override { return text(); }
    void SetText(const QString &text) override;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

protected:
    bool event(QEvent *event) override;

private:
    void AdjustToCaption();

    bool FAutoSize = true;
};
