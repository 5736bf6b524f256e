#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

// Draws the grab handles of the selection above every designed control of
// its container, so that a selected control lying under another one keeps
// its handles in view. It takes no mouse input and is no designed control.
class TSelectionOverlay : public QWidget
{
public:
    TSelectionOverlay();

    // The controls whose handles show; they share one parent.
    void Show(const std::vector<QWidget *> &controls);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void Watch(bool on);
    // Moves and resizes during a drag come in bursts: the bounds are taken
    // again once, after them.
    void RequestFollow();
    void Follow();

    std::vector<QPointer<QWidget>> FControls;
    QPointer<QWidget> FContainer;
    bool FFollowPending = false;
};
