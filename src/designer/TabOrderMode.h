#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

class TDesignHistory;

// Shows each designed control of one container with its tab position in a
// badge; clicking controls in turn gives them the positions 0, 1, 2...
// Esc leaves the mode, and what was assigned becomes one undo step. The
// mode covers the container and takes the mouse and the keyboard from it.
class TTabOrderMode : public QWidget
{
public:
    TTabOrderMode(QWidget *container, TDesignHistory &history);

    // Starts the mode on the container of the selection, or on client
    // (the surface's) when nothing is selected.
    static TTabOrderMode *Start(QWidget *client, TDesignHistory &history);

    // The controls clicked so far, in the order they were clicked.
    std::vector<QWidget *> Assigned() const;
    // Writes the assignment as one step and closes the mode.
    void Finish();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The control under point (the topmost), or nullptr.
    QWidget *ControlAt(const QPoint &point) const;
    // Works out the positions the controls will have: the clicked ones in
    // turn, the others after them in their present order.
    void Renumber();

    TDesignHistory &FHistory;
    std::vector<QPointer<QWidget>> FControls;
    std::vector<QPointer<QWidget>> FAssigned;
    // The position each of FControls will have.
    std::vector<int> FShown;
    bool FFinished = false;
};
