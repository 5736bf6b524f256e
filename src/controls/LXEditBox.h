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

    // While AutoSize is on the height follows the font.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

protected:
    bool event(QEvent *event) override;

private:
    void AdjustHeight();

    bool FAutoSize = true;
};
