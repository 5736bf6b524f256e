#include "designer/ControlPath.h"

#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <unordered_map>

namespace
{

// The designed children of a parent bearing a name, in stacking order.
QList<QWidget *> Scan(const QWidget *client, const QString &name)
{
    QList<QWidget *> named;
    for (QObject *child : client->children())
        if (child->isWidgetType() && child->objectName() == name &&
            AsDesigned(static_cast<QWidget *>(child)))
            named.append(static_cast<QWidget *>(child));
    return named;
}

// The designed children of the parents that have many, by name, kept from
// one lookup to the next: one step resolves its paths several times, and
// comparing the names of thousands of siblings each time made a step among
// many controls slow. A parent's index is dropped when a child comes or goes
// or a child is renamed.
class TNameIndex : public QObject
{
public:
    static TNameIndex &Instance()
    {
        // Goes with the application, whose widgets it watches.
        static QPointer<TNameIndex> index;
        if (!index)
            index = new TNameIndex(QCoreApplication::instance());
        return *index;
    }

    QList<QWidget *> Named(QWidget *parent, const QString &name)
    {
        QWidget *client = TControlsFactory::ClientOf(parent);
        constexpr qsizetype many = 32;
        if (client->children().size() < many)
            return Scan(client, name);
        const auto [at, added] = FClients.try_emplace(client);
        if (added)
            Build(client, at->second);
        const auto found = at->second.constFind(name);
        if (found == at->second.constEnd())
            return {};
        // Siblings sharing a name are told apart by their stacking order,
        // which raising one of them changes.
        if (found->size() > 1)
            return Scan(client, name);
        return *found;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved)
            FClients.erase(watched);
        return false;
    }

private:
    explicit TNameIndex(QObject *owner) : QObject(owner) {}

    void Build(QWidget *client, QHash<QString, QList<QWidget *>> &byName)
    {
        client->installEventFilter(this);
        connect(client, &QObject::destroyed, this, &TNameIndex::Forget, Qt::UniqueConnection);
        for (QObject *child : client->children()) {
            if (!child->isWidgetType() || !AsDesigned(static_cast<QWidget *>(child)))
                continue;
            byName[child->objectName()].append(static_cast<QWidget *>(child));
            connect(child, &QObject::objectNameChanged, this, &TNameIndex::Renamed,
                    Qt::UniqueConnection);
        }
    }
    void Renamed()
    {
        if (const QObject *child = sender())
            FClients.erase(child->parent());
    }
    void Forget(QObject *client) { FClients.erase(client); }

    std::unordered_map<const QObject *, QHash<QString, QList<QWidget *>>> FClients;
};

} // namespace

QWidget *TControlPath::DesignParent(QWidget *control, QWidget *root)
{
    const QWidget *client = TControlsFactory::ClientOf(root);
    for (QWidget *w = control->parentWidget(); w; w = w->parentWidget()) {
        if (w == client || w == root)
            return root;
        if (AsDesigned(w))
            return w;
    }
    return nullptr;
}

int TControlPath::IndexOf(QWidget *control, QWidget *root)
{
    QWidget *parent = DesignParent(control, root);
    return parent ? static_cast<int>(TControlsFactory::DesignedChildren(parent).indexOf(control))
                  : -1;
}

TControlPath TControlPath::Of(QWidget *control, QWidget *root)
{
    return OfAll({control}, root).front();
}

QWidget *TControlPath::Resolve(QWidget *root) const
{
    return ResolveAll({*this}, root).front();
}

std::vector<TControlPath> TControlPath::OfAll(const std::vector<QWidget *> &controls, QWidget *root)
{
    TNameIndex &index = TNameIndex::Instance();
    std::vector<TControlPath> result;
    result.reserve(controls.size());
    for (QWidget *control : controls) {
        TControlPath path;
        for (QWidget *c = control; c && c != root;) {
            QWidget *parent = DesignParent(c, root);
            if (!parent) {
                path = {};
                break;
            }
            const int occurrence =
                static_cast<int>(index.Named(parent, c->objectName()).indexOf(c));
            path.FSegments.push_back({c->objectName(), occurrence});
            c = parent;
        }
        std::reverse(path.FSegments.begin(), path.FSegments.end());
        result.push_back(std::move(path));
    }
    return result;
}

std::vector<QWidget *> TControlPath::ResolveAll(const std::vector<TControlPath> &paths,
                                                QWidget *root)
{
    TNameIndex &index = TNameIndex::Instance();
    std::vector<QWidget *> result;
    result.reserve(paths.size());
    for (const TControlPath &path : paths) {
        QWidget *current = root;
        for (const TSegment &segment : path.FSegments) {
            const QList<QWidget *> named = index.Named(current, segment.Name);
            current = segment.Occurrence < named.size() ? named[segment.Occurrence] : nullptr;
            if (!current)
                break;
        }
        result.push_back(current);
    }
    return result;
}

TControlPath TControlPath::Child(const QString &name, int occurrence) const
{
    TControlPath path = *this;
    path.FSegments.push_back({name, occurrence});
    return path;
}
