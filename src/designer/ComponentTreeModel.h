#pragma once

#include <QAbstractItemModel>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TLXControlsContainer;

// The design's controls as a tree by parent: the surface at the root, the
// controls of each panel and group box below its row, each parent's rows in
// stacking order (the control at the back first), each row "Name: Kind".
//
// The model follows the widgets themselves, so every change of the design
// shows, whoever made it: a control that leaves a parent loses its row at
// once; controls that come to a parent get rows once the current event has
// been handled (or at Flush), each inserted where it lies; a change of the
// stacking order moves rows. Nothing is rebuilt whole unless the whole
// design is replaced (a layout opened).
class TComponentTreeModel : public QAbstractItemModel
{
public:
    explicit TComponentTreeModel(TLXControlsContainer *container, QObject *parent = nullptr);
    ~TComponentTreeModel() override;

    // The drag data of rows: the dragged controls, for this process only.
    static const QString MimeType;

    // The control of a row (the surface for the root row), or none.
    QWidget *ControlAt(const QModelIndex &index) const;
    // The row of a control or of the surface; invalid when there is none.
    QModelIndex IndexOf(QWidget *control);
    // Applies the additions and reorderings still pending.
    void Flush();
    // Tells the views of the rows whose names or visibility changed since;
    // also done by every flush.
    void RefreshTexts();

    // A drop of rows onto a row: moves the controls into the control of
    // that row; answers whether they moved.
    std::function<bool(const std::vector<QWidget *> &controls, QWidget *target)> OnMove;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct TNode {
        QWidget *Control = nullptr;
        TNode *Parent = nullptr;
        std::vector<TNode *> Children;
        // The widget that holds the node's children (containers only).
        QWidget *Client = nullptr;
        // The name and greyness the views were last told of.
        QString ShownName;
        bool ShownHidden = false;
    };

    // Notes what the node's row shows now; true when it changed.
    static bool Remember(TNode *node);

    void Reset();
    void Clear();
    // Makes the node of a control, with the nodes of the controls it holds.
    TNode *MakeNode(QWidget *control, TNode *parent);
    void Watch(TNode *node);
    void Forget(TNode *node);
    void Removed(QObject *child);
    // Gives rows to the children of a parent that came since the last flush.
    void Added(const QSet<QObject *> &children, TNode *parent);
    // Brings a parent's rows into the stacking order of its controls.
    void Reorder(TNode *parent);
    void Schedule();
    void TextChanged(QObject *control);
    void NameChanged();
    int RowOf(const TNode *node) const;
    QModelIndex IndexOfNode(TNode *node) const;
    TNode *NodeOf(const QModelIndex &index) const;
    std::vector<QWidget *> ControlsOf(const QMimeData *data) const;

    TLXControlsContainer *FContainer;
    std::unique_ptr<TNode> FRoot;
    QHash<const QObject *, TNode *> FNodes;
    QHash<const QObject *, TNode *> FClients;
    std::vector<std::pair<QPointer<QObject>, QWidget *>> FPendingAdds;
    std::vector<QPointer<QWidget>> FPendingReorders;
    bool FScheduled = false;
    // Controls renamed, shown or hidden since their rows were last told.
    QSet<QObject *> FChangedTexts;
    bool FResetPending = false;
};
