#pragma once

#include "controls/LXDesigned.h"

#include <QLabel>
#include <QPointer>

// Static text that sizes itself to its caption while AutoSize is on.
class TLXLabel : public QLabel, public TLXDesigned
{
public:
    explicit TLXLabel(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QString Text() const override { return FCaption; }
    void SetText(const QString &text) override;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

    // ShowAccelChar: an "&" marks the next letter as the accelerator and is
    // not shown, "&&" shows one "&"; otherwise the caption shows as it is.
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);

    // The control the accelerator focuses, or none.
    QWidget *FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget *control);

    // Alignment: the caption's side (left, right or centre) as the reading
    // order shows it.
    Qt::Alignment Alignment() const { return FAlignment; }
    void SetAlignment(Qt::Alignment horizontal);

    // Transparent: the label draws no background, whatever its colour.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void BevelChanged() override;
    bool FillsBackground() const override { return !FTransparent && !ParentColor(); }
    void BiDiModeChanged() override { SetAlignment(FAlignment); }

private:
    void ApplyCaption();
    void AdjustToCaption();

    QString FCaption;
    Qt::Alignment FAlignment = Qt::AlignLeft;
    QPointer<QWidget> FFocusControl;
    bool FAutoSize = true;
    bool FShowAccelChar = true;
    bool FTransparent = false;
};
