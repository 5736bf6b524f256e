#include "app/ComponentTree.h"

#include "designer/ComponentTreeModel.h"
#include "designer/LXControlsContainer.h"

#include <QHeaderView>

TComponentTree::TComponentTree(TLXControlsContainer *container, QWidget *parent)
    : QTreeView(parent), FModel(new TComponentTreeModel(container, this))
{
    setObjectName(QStringLiteral("ComponentTree"));
    setAccessibleName(QStringLiteral("Components"));
    setModel(FModel);
    header()->hide();
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(true);
    setDragDropOverwriteMode(true);
    expandAll();
    // Branches open as controls come into them, so every control is found.
    connect(FModel, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &parent) { expand(parent); });
    connect(FModel, &QAbstractItemModel::modelReset, this, [this] { expandAll(); });
    // Rows that go with their controls leave the selection too; the design
    // knows that already.
    const auto quiet = [this] { ++FQuiet; };
    const auto loud = [this] { --FQuiet; };
    connect(FModel, &QAbstractItemModel::rowsAboutToBeRemoved, this, quiet);
    connect(FModel, &QAbstractItemModel::rowsRemoved, this, loud);
    connect(FModel, &QAbstractItemModel::rowsAboutToBeMoved, this, quiet);
    connect(FModel, &QAbstractItemModel::rowsMoved, this, loud);
    connect(FModel, &QAbstractItemModel::modelAboutToBeReset, this, quiet);
    connect(FModel, &QAbstractItemModel::modelReset, this, loud);
}

std::vector<QWidget *> TComponentTree::SelectedControls() const
{
    std::vector<QWidget *> controls;
    const QModelIndexList rows = selectionModel()->selectedRows();
    for (const QModelIndex &index : rows)
        if (index.parent().isValid())
            controls.push_back(FModel->ControlAt(index));
    return controls;
}

void TComponentTree::ShowSelection(const std::vector<QWidget *> &selected, QWidget *current)
{
    ++FQuiet;
    QItemSelection selection;
    for (QWidget *control : selected) {
        const QModelIndex index = FModel->IndexOf(control);
        if (index.isValid())
            selection.select(index, index);
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const QModelIndex currentIndex = current ? FModel->IndexOf(current) : QModelIndex();
    selectionModel()->setCurrentIndex(currentIndex, QItemSelectionModel::NoUpdate);
    if (currentIndex.isValid())
        scrollTo(currentIndex);
    --FQuiet;
}

void TComponentTree::selectionChanged(const QItemSelection &selected,
                                      const QItemSelection &deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    if (FQuiet > 0 || !OnSelectControls)
        return;
    OnSelectControls(SelectedControls());
}
