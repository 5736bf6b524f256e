#pragma once

#include <QPushButton>

// A palette button: pressed and moved, it starts dragging its kind (Tag)
// onto the design surface.
class TPaletteButton : public QPushButton
{
public:
    TPaletteButton(const QString &caption, int tag, QWidget *parent);

    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    static constexpr const char *MimeType = "application/x-formdesigner-kind";

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    int FTag;
    QPoint FPressPos;
    bool FPressed = false;
};
