#pragma once

#include <QPushButton>
#include <functional>

// A palette button: pressed and moved, it starts dragging its kind (Tag)
// onto the design surface; Enter asks for its kind to be dropped, so that
// the palette works without a mouse.
class TPaletteButton : public QPushButton
{
public:
    TPaletteButton(const QString &caption, int tag, QWidget *parent);

    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    static constexpr const char *MimeType = "application/x-formdesigner-kind";

    // Enter on the button: the kind index to drop.
    std::function<void(int kindIndex)> OnDropKind;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    int FTag;
    QPoint FPressPos;
    bool FPressed = false;
};
