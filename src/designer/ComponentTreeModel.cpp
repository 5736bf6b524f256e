#include "designer/ComponentTreeModel.h"

#include "controls/ControlsFactory.h"
#include "controls/DropTarget.h"
#include "controls/LXDesigned.h"
#include "designer/LXControlsContainer.h"
#include "designer/ReparentCommand.h"

#include <QApplication>
#include <QChildEvent>
#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QPalette>
#include <algorithm>

const QString TComponentTreeModel::MimeType =
    QStringLiteral("application/x-formdesigner-component-rows");

TComponentTreeModel::TComponentTreeModel(TLXControlsContainer *container, QObject *parent)
    : QAbstractItemModel(parent), FContainer(container)
{
    // A layout being opened arrives as a new client of the surface.
    FContainer->viewport()->installEventFilter(this);
    Reset();
}

TComponentTreeModel::~TComponentTreeModel()
{
    Clear();
}

void TComponentTreeModel::Clear()
{
    if (!FRoot)
        return;
    std::vector<TNode *> stack(FRoot->Children.begin(), FRoot->Children.end());
    while (!stack.empty()) {
        TNode *node = stack.back();
        stack.pop_back();
        stack.insert(stack.end(), node->Children.begin(), node->Children.end());
        delete node;
    }
    FRoot.reset();
    FNodes.clear();
    FClients.clear();
}

void TComponentTreeModel::Reset()
{
    beginResetModel();
    Clear();
    FPendingAdds.clear();
    FPendingReorders.clear();
    FRoot = std::make_unique<TNode>();
    FRoot->Control = FContainer;
    FRoot->Client = FContainer->ClientWidget();
    FClients.insert(FRoot->Client, FRoot.get());
    FRoot->Client->installEventFilter(this);
    for (QWidget *child : TControlsFactory::DesignedChildren(FContainer))
        FRoot->Children.push_back(MakeNode(child, FRoot.get()));
    endResetModel();
}

TComponentTreeModel::TNode *TComponentTreeModel::MakeNode(QWidget *control, TNode *parent)
{
    auto *node = new TNode;
    node->Control = control;
    node->Parent = parent;
    Remember(node);
    FNodes.insert(control, node);
    Watch(node);
    if (node->Client)
        for (QWidget *child : TControlsFactory::DesignedChildren(control))
            node->Children.push_back(MakeNode(child, node));
    return node;
}

void TComponentTreeModel::Watch(TNode *node)
{
    // Restacking is told to the control itself; additions and removals to
    // the widget that holds the children.
    node->Control->installEventFilter(this);
    connect(node->Control, &QObject::objectNameChanged, this, &TComponentTreeModel::NameChanged,
            Qt::UniqueConnection);
    if (dynamic_cast<TDropTarget *>(node->Control)) {
        node->Client = TControlsFactory::ClientOf(node->Control);
        FClients.insert(node->Client, node);
        if (node->Client != node->Control)
            node->Client->installEventFilter(this);
    }
}

void TComponentTreeModel::Forget(TNode *node)
{
    // The widgets may be gone already: only their addresses are used.
    for (TNode *child : node->Children)
        Forget(child);
    FNodes.remove(node->Control);
    if (node->Client)
        FClients.remove(node->Client);
    delete node;
}

bool TComponentTreeModel::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (watched == FContainer->viewport()) {
            FResetPending = true;
            Schedule();
        } else if (TNode *parent = FClients.value(watched)) {
            FPendingAdds.emplace_back(static_cast<QChildEvent *>(event)->child(), parent->Client);
            Schedule();
        }
        break;
    case QEvent::ChildRemoved:
        if (watched == FContainer->viewport()) {
            if (static_cast<QChildEvent *>(event)->child() == FRoot->Client) {
                // The surface's client is going: nothing of the tree stays.
                beginResetModel();
                Clear();
                FRoot = std::make_unique<TNode>();
                FRoot->Control = FContainer;
                endResetModel();
                FResetPending = true;
                Schedule();
            }
        } else if (FClients.contains(watched)) {
            Removed(static_cast<QChildEvent *>(event)->child());
        }
        break;
    case QEvent::ZOrderChange:
        if (FNodes.contains(watched)) {
            FPendingReorders.emplace_back(static_cast<QWidget *>(watched));
            Schedule();
        }
        break;
    default:
        if (event->type() == TLXDesigned::VisibleChange())
            TextChanged(watched);
        break;
    }
    return false;
}

void TComponentTreeModel::NameChanged()
{
    TextChanged(sender());
}

void TComponentTreeModel::TextChanged(QObject *control)
{
    FChangedTexts.insert(control);
    Schedule();
}

void TComponentTreeModel::Schedule()
{
    if (FScheduled)
        return;
    // One posted flush at a time: changes made while it waits, also after a
    // flush asked for directly, are taken by it.
    FScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FScheduled = false;
            Flush();
        },
        Qt::QueuedConnection);
}

void TComponentTreeModel::Removed(QObject *child)
{
    TNode *node = FNodes.value(child);
    if (!node)
        return;
    TNode *parent = node->Parent;
    const int row = RowOf(node);
    beginRemoveRows(IndexOfNode(parent), row, row);
    parent->Children.erase(parent->Children.begin() + row);
    Forget(node);
    endRemoveRows();
}

void TComponentTreeModel::Flush()
{
    if (FResetPending) {
        FResetPending = false;
        Reset();
        return;
    }
    const auto adds = std::move(FPendingAdds);
    FPendingAdds.clear();
    std::vector<std::pair<TNode *, QSet<QObject *>>> byParent;
    for (const auto &[child, client] : adds) {
        if (!child || child->parent() != client || !child->isWidgetType() ||
            FNodes.contains(child) || !AsDesigned(static_cast<QWidget *>(child.data())))
            continue;
        TNode *parent = FClients.value(client);
        if (!parent)
            continue;
        if (byParent.empty() || byParent.back().first != parent)
            byParent.emplace_back(parent, QSet<QObject *>());
        byParent.back().second.insert(child);
    }
    for (const auto &[parent, children] : byParent)
        Added(children, parent);
    RefreshTexts();
    const auto reorders = std::move(FPendingReorders);
    FPendingReorders.clear();
    std::vector<TNode *> parents;
    for (const QPointer<QWidget> &control : reorders)
        if (TNode *node = control ? FNodes.value(control.data()) : nullptr)
            if (std::find(parents.begin(), parents.end(), node->Parent) == parents.end())
                parents.push_back(node->Parent);
    for (TNode *parent : parents)
        Reorder(parent);
}

void TComponentTreeModel::Added(const QSet<QObject *> &children, TNode *parent)
{
    // New controls usually lie on top: one walk over the siblings from the
    // top down finds each one's row by the rows above it, however many came.
    QSet<QObject *> pending = children;
    const QObjectList &siblings = parent->Client->children();
    int above = 0;
    for (auto it = siblings.rbegin(); it != siblings.rend() && !pending.isEmpty(); ++it) {
        if (pending.remove(*it)) {
            if (FNodes.contains(*it))
                continue;
            const int row = static_cast<int>(parent->Children.size()) - above;
            TNode *node = MakeNode(static_cast<QWidget *>(*it), parent);
            beginInsertRows(IndexOfNode(parent), row, row);
            parent->Children.insert(parent->Children.begin() + row, node);
            endInsertRows();
            ++above;
        } else if (TNode *node = FNodes.value(*it); node && node->Parent == parent) {
            ++above;
        }
    }
}

void TComponentTreeModel::Reorder(TNode *parent)
{
    const QModelIndex parentIndex = IndexOfNode(parent);
    const QList<QWidget *> order = TControlsFactory::DesignedChildren(parent->Control);
    std::vector<TNode *> &rows = parent->Children;
    int row = 0;
    for (QWidget *control : order) {
        TNode *node = FNodes.value(control);
        if (!node || node->Parent != parent)
            continue;
        const auto it = std::find(rows.begin() + row, rows.end(), node);
        const int from = static_cast<int>(it - rows.begin());
        if (from != row) {
            beginMoveRows(parentIndex, from, from, parentIndex, row);
            rows.erase(it);
            rows.insert(rows.begin() + row, node);
            endMoveRows();
        }
        ++row;
    }
}

int TComponentTreeModel::RowOf(const TNode *node) const
{
    if (!node->Parent)
        return 0;
    const auto &rows = node->Parent->Children;
    return static_cast<int>(std::find(rows.begin(), rows.end(), node) - rows.begin());
}

QModelIndex TComponentTreeModel::IndexOfNode(TNode *node) const
{
    if (!node)
        return {};
    return createIndex(RowOf(node), 0, node);
}

TComponentTreeModel::TNode *TComponentTreeModel::NodeOf(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<TNode *>(index.internalPointer()) : nullptr;
}

QWidget *TComponentTreeModel::ControlAt(const QModelIndex &index) const
{
    const TNode *node = NodeOf(index);
    return node ? node->Control : nullptr;
}

QModelIndex TComponentTreeModel::IndexOf(QWidget *control)
{
    Flush();
    if (control == FContainer)
        return IndexOfNode(FRoot.get());
    return IndexOfNode(FNodes.value(control));
}

bool TComponentTreeModel::Remember(TNode *node)
{
    const QString name = node->Control->objectName();
    const TLXDesigned *designed = node->Parent ? AsDesigned(node->Control) : nullptr;
    const bool hidden = designed && !designed->Visible();
    if (name == node->ShownName && hidden == node->ShownHidden)
        return false;
    node->ShownName = name;
    node->ShownHidden = hidden;
    return true;
}

void TComponentTreeModel::RefreshTexts()
{
    // Only the rows whose name or greyness changed are told: telling a view
    // that thousands of rows changed costs it a walk over all of them.
    const QSet<QObject *> changed = std::move(FChangedTexts);
    FChangedTexts.clear();
    for (QObject *control : changed) {
        TNode *node = FNodes.value(control);
        if (node && Remember(node)) {
            const QModelIndex row = IndexOfNode(node);
            emit dataChanged(row, row);
        }
    }
}

QModelIndex TComponentTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 && FRoot ? createIndex(0, 0, FRoot.get()) : QModelIndex();
    const TNode *node = NodeOf(parent);
    if (row >= static_cast<int>(node->Children.size()))
        return {};
    return createIndex(row, 0, node->Children[static_cast<size_t>(row)]);
}

QModelIndex TComponentTreeModel::parent(const QModelIndex &child) const
{
    const TNode *node = NodeOf(child);
    return node ? IndexOfNode(node->Parent) : QModelIndex();
}

int TComponentTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return FRoot ? 1 : 0;
    if (parent.column() != 0)
        return 0;
    return static_cast<int>(NodeOf(parent)->Children.size());
}

int TComponentTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant TComponentTreeModel::data(const QModelIndex &index, int role) const
{
    const TNode *node = NodeOf(index);
    if (!node)
        return {};
    QWidget *control = node->Control;
    switch (role) {
    case Qt::DisplayRole:
        if (!node->Parent)
            return control->objectName();
        return control->objectName() + QStringLiteral(": ") + ControlsFactory->GetKindName(control);
    case Qt::ForegroundRole:
        if (const TLXDesigned *designed = AsDesigned(control); designed && !designed->Visible())
            return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags TComponentTreeModel::flags(const QModelIndex &index) const
{
    const TNode *node = NodeOf(index);
    if (!node)
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (node->Parent)
        result |= Qt::ItemIsDragEnabled;
    if (node->Client)
        result |= Qt::ItemIsDropEnabled;
    return result;
}

QStringList TComponentTreeModel::mimeTypes() const
{
    return {MimeType};
}

QMimeData *TComponentTreeModel::mimeData(const QModelIndexList &indexes) const
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    for (const QModelIndex &index : indexes)
        if (const TNode *node = NodeOf(index); node && node->Parent)
            stream << quintptr(node->Control);
    auto *data = new QMimeData;
    data->setData(MimeType, bytes);
    return data;
}

std::vector<QWidget *> TComponentTreeModel::ControlsOf(const QMimeData *data) const
{
    // Only controls the tree still shows are taken from the data.
    std::vector<QWidget *> controls;
    if (!data)
        return controls;
    const QByteArray bytes = data->data(MimeType);
    QDataStream stream(bytes);
    while (!stream.atEnd()) {
        quintptr address = 0;
        stream >> address;
        if (stream.status() != QDataStream::Ok)
            break;
        const auto *key = reinterpret_cast<const QObject *>(address);
        if (TNode *node = FNodes.value(key))
            if (std::find(controls.begin(), controls.end(), node->Control) == controls.end())
                controls.push_back(node->Control);
    }
    return controls;
}

bool TComponentTreeModel::canDropMimeData(const QMimeData *data, Qt::DropAction, int, int,
                                          const QModelIndex &parent) const
{
    const TNode *target = NodeOf(parent);
    return target && target->Client &&
           TReparentCommand::CanMove(ControlsOf(data), target->Control, FContainer);
}

bool TComponentTreeModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row,
                                       int column, const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent) || !OnMove)
        return false;
    return OnMove(ControlsOf(data), NodeOf(parent)->Control);
}

Qt::DropActions TComponentTreeModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions TComponentTreeModel::supportedDragActions() const
{
    return Qt::MoveAction;
}
