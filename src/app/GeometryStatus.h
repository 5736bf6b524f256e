#pragma once

#include <QLabel>
#include <QPointer>
#include <vector>

// The status bar's position and size of the selection (its bounds when
// several controls are selected), kept up to date while they are dragged,
// resized, nudged or changed in the inspector.
class TGeometryStatus : public QLabel
{
public:
    explicit TGeometryStatus(QWidget *parent = nullptr);

    void Show(const std::vector<QWidget *> &controls);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Watch(bool on);
    // A drag moves every selected control at each step: the text is taken
    // once after them.
    void RequestRefresh();
    void Refresh();

    std::vector<QPointer<QWidget>> FControls;
    bool FRefreshPending = false;
};
