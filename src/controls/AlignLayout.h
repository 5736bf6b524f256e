#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QWidget;

// Places the designed controls of one parent by their Align and Anchors:
// aligned controls are docked to the top, bottom, left or right of what is
// left of the parent's client area, in that order, and alClient takes the
// rest; a control anchored to opposite sides stretches with the parent, one
// anchored to the right or bottom only keeps its distance to that side.
class TAlignLayout : public QObject
{
public:
    // Makes sure the parent is realigned whenever it resizes or loses a
    // child; called when a child's Align or Anchors change.
    static void Watch(QWidget *parent);
    static void Realign(QWidget *parent);
    // True while controls are being placed, so that their moves are not
    // taken as the user's.
    static bool Aligning();
    // True when the control is aligned or anchored so that its parent moves
    // or sizes it.
    static bool IsPlaced(const QWidget *control);
    // True when some child of the parent is placed so.
    static bool PlacesChildren(const QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit TAlignLayout(QWidget *parent);
    ~TAlignLayout() override;
    static TAlignLayout *Of(const QWidget *parent);
    // The children that are aligned or anchored other than to the top left:
    // a parent of thousands of plain controls realigns without walking them.
    // Found again after any child comes, goes or changes its Align or Anchors.
    const std::vector<QPointer<QWidget>> &Placed();

    QWidget *FParent;
    std::vector<QPointer<QWidget>> FPlaced;
    bool FPlacedKnown = false;
};
