#pragma once

#include "controls/DropTarget.h"
#include "controls/LXDesigned.h"

#include <QFrame>

// A raised panel showing its caption centred; it holds child controls and
// accepts palette drops when it inherited the surface's handlers.
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

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override { DragEnter(event); }
    void dragMoveEvent(QDragMoveEvent *event) override { DragMove(event); }
    void dropEvent(QDropEvent *event) override { Drop(event); }

private:
    QString FCaption;
    Qt::Alignment FAlignment = Qt::AlignHCenter;
};
