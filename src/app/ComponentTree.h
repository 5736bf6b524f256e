#pragma once

#include <QTreeView>
#include <functional>
#include <vector>

class TComponentTreeModel;
class TLXControlsContainer;

// The component tree: the design's controls by parent. Selecting rows (Ctrl
// and Shift extend the selection) selects their controls; the selection of
// the design is shown back through ShowSelection. Dragging rows onto a
// panel, group box or the surface row moves the controls there.
class TComponentTree : public QTreeView
{
public:
    explicit TComponentTree(TLXControlsContainer *container, QWidget *parent = nullptr);

    TComponentTreeModel *Model() const { return FModel; }

    // Shows the design's selection as the selected rows and the inspected
    // control as the current row, without reporting it back.
    void ShowSelection(const std::vector<QWidget *> &selected, QWidget *current);
    // The controls of the selected rows, the surface row left out.
    std::vector<QWidget *> SelectedControls() const;

    // The user selected rows: their controls (empty when only the surface
    // row or nothing is selected).
    std::function<void(const std::vector<QWidget *> &controls)> OnSelectControls;

protected:
    void selectionChanged(const QItemSelection &selected,
                          const QItemSelection &deselected) override;

private:
    TComponentTreeModel *FModel;
    // Selection changes not made by the user are not reported.
    int FQuiet = 0;
};
