#pragma once

#include "controls/Image.h"
#include "controls/LXDesigned.h"

#include <QWidget>

// A window control showing a picture through its inner display. Without a
// picture it paints an olive cross-hatch, bypassing the design hooks.
class TLXImage : public QWidget, public TLXDesigned
{
public:
    explicit TLXImage(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }

    TImage &Display() { return FImage; }
    TPicture &Picture() { return FImage.Picture(); }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void PaintHatch();

    TImage FImage;
};
