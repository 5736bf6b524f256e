#pragma once

#include "controls/DropTarget.h"
#include "controls/LXDesigned.h"

#include <QGroupBox>

// A group box that holds child controls and accepts palette drops when it
// inherited the surface's handlers.
class TLXGroupBox : public QGroupBox, public TLXDesigned, public TDropTarget
{
public:
    explicit TLXGroupBox(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QWidget *TargetWidget() override { return this; }
    QString Text() const override { return title(); }
    void SetText(const QString &text) override { setTitle(text); }

    // ParentBackground: while the box takes its parent's colour it draws
    // no background, so whatever its parent paints shows through.
    bool ParentBackground() const { return FParentBackground; }
    void SetParentBackground(bool value);

protected:
    bool event(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override { DragEnter(event); }
    void dragMoveEvent(QDragMoveEvent *event) override { DragMove(event); }
    void dropEvent(QDropEvent *event) override { Drop(event); }
    // Without 3D look the box draws its frame flat.
    void Ctl3DChanged() override { setFlat(!Ctl3D()); }
    bool FillsBackground() const override { return !ParentColor() || !FParentBackground; }

private:
    bool FParentBackground = true;
};
