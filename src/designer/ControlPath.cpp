#include "designer/ControlPath.h"

#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"

#include <QHash>
#include <QWidget>
#include <algorithm>
#include <unordered_map>

namespace
{

// The designed children of each parent met, by name, in stacking order.
class TChildIndex
{
public:
    // The designed children of parent bearing a name, in stacking order.
    const QList<QWidget *> &Named(QWidget *parent, const QString &name)
    {
        TParent &entry = FByParent[parent];
        // A path or two, as one step of editing takes, looks only for its
        // own names; many paths index every child once.
        constexpr int wholeAfter = 8;
        if (!entry.Whole && ++entry.Lookups > wholeAfter) {
            entry.ByName.clear();
            for (QWidget *child : TControlsFactory::DesignedChildren(parent))
                entry.ByName[child->objectName()].append(child);
            entry.Whole = true;
        }
        auto found = entry.ByName.find(name);
        if (found == entry.ByName.end()) {
            if (entry.Whole)
                return None();
            QList<QWidget *> named;
            for (QObject *child : TControlsFactory::ClientOf(parent)->children())
                if (child->isWidgetType() && child->objectName() == name &&
                    AsDesigned(static_cast<QWidget *>(child)))
                    named.append(static_cast<QWidget *>(child));
            found = entry.ByName.insert(name, std::move(named));
        }
        return *found;
    }

private:
    struct TParent {
        QHash<QString, QList<QWidget *>> ByName;
        int Lookups = 0;
        bool Whole = false;
    };
    static const QList<QWidget *> &None()
    {
        static const QList<QWidget *> none;
        return none;
    }
    std::unordered_map<QWidget *, TParent> FByParent;
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
    TChildIndex index;
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
    TChildIndex index;
    std::vector<QWidget *> result;
    result.reserve(paths.size());
    for (const TControlPath &path : paths) {
        QWidget *current = root;
        for (const TSegment &segment : path.FSegments) {
            const QList<QWidget *> &named = index.Named(current, segment.Name);
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
