#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <typeindex>
#include <vector>

class QWidget;

// The registry of designable control kinds. A kind's position is its kind
// index (carried by palette buttons); its name is what layout files store.
class TControlsFactory
{
public:
    using TCreator = QWidget *(*)(QWidget *owner);

    bool RegisterControl(const QString &name, std::type_index cls, TCreator create);

    // A new control of the kind, owned by and inside parent; none for an
    // index out of range.
    QWidget *CreateControl(int kindIndex, QWidget *parent) const;
    // Like CreateControl with the kind of that name, letter case ignored.
    QWidget *CreateControlByName(const QString &name, QWidget *parent) const;

    // A stand-in for a control of a kind that is not registered, owned by
    // and inside parent; it is not on the palette.
    QWidget *CreatePlaceholder(const QString &kind, QWidget *parent) const;

    // The registered name of the control's exact class (a stand-in's own
    // kind), or "Unregistered control".
    QString GetKindName(const QWidget *control) const;
    int IndexOfClass(std::type_index cls) const;

    int Count() const { return static_cast<int>(FNames.size()); }
    const QStringList &Names() const { return FNames; }

    // A panel or group box created inside the design surface or inside
    // another panel or group box takes over the parent's drop handling.
    static void InheritDropTarget(QWidget *control, QWidget *parent);

    // The widget that holds a drop target's controls: the inner widget of a
    // scroll box, the widget itself otherwise.
    static QWidget *ClientOf(QWidget *parent);
    // The designed controls directly inside parent, in stacking order.
    static QList<QWidget *> DesignedChildren(QWidget *parent);

private:
    QStringList FNames;
    std::vector<std::type_index> FClasses;
    std::vector<TCreator> FCreators;
};

// The one registry, created with all kinds when the program starts.
extern TControlsFactory *ControlsFactory;

// Creates ControlsFactory with the thirteen kinds in registration order.
void CreateControlsFactory();
void DestroyControlsFactory();
