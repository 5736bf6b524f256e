#pragma once

#include "controls/DropTarget.h"
#include "controls/LXDesigned.h"

#include <QFrame>

// A raised panel showing its caption centred; it holds child controls and
// accepts palette drops when it inherited the surface's handlers. From the
// edge inwards it draws an optional single border, the outer bevel, a gap
// of BorderWidth and the inner bevel; its content stays inside them.
class TLXPanel : public QFrame, public TLXDesigned, public TDropTarget
{
public:
    explicit TLXPanel(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QWidget *TargetWidget() override { return this; }
    QString Text() const override { return FCaption; }
    void SetText(const QString &text) override;

    // Where the caption stands: Qt::AlignLeft, AlignRight or AlignHCenter.
    Qt::Alignment CaptionAlignment() const { return FAlignment; }
    void SetCaptionAlignment(Qt::Alignment alignment);

    // Bevels: 0 none, 1 lowered, 2 raised, 3 space (room without lines).
    int BevelInner() const { return FBevelInner; }
    void SetBevelInner(int cut);
    int BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(int cut);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int width);
    // 0 none, 1 a single line around the panel.
    int BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(int style);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int width);

    // AutoSize: the panel takes the size its children need, with its
    // border and bevels around them.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

    // ParentBackground: while the panel takes its parent's colour it draws
    // no background, so whatever its parent paints shows through.
    bool ParentBackground() const { return FParentBackground; }
    void SetParentBackground(bool value);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override { DragEnter(event); }
    void dragMoveEvent(QDragMoveEvent *event) override { DragMove(event); }
    void dropEvent(QDropEvent *event) override { Drop(event); }
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool FillsBackground() const override;
    void BiDiModeChanged() override { update(); }

private:
    void FitToChildren();
    void WatchChild(QObject *child);

    QString FCaption;
    Qt::Alignment FAlignment = Qt::AlignHCenter;
    int FBevelInner = 0;
    int FBevelOuter = 2;
    int FBevelWidth = 1;
    int FBorderStyle = 0;
    int FBorderWidth = 0;
    bool FAutoSize = false;
    bool FParentBackground = true;
    bool FFitting = false;

    // Keeps the content inside the border and bevels.
    void UpdateMargins();
};
