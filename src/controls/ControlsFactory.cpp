#include "controls/ControlsFactory.h"

#include "controls/InplaceEdit.h"
#include "controls/LXButton.h"
#include "controls/LXCheckBox.h"
#include "controls/LXComboBox.h"
#include "controls/LXEditBox.h"
#include "controls/LXGroupBox.h"
#include "controls/LXImage.h"
#include "controls/LXLabel.h"
#include "controls/LXListBox.h"
#include "controls/LXMemo.h"
#include "controls/LXPanel.h"
#include "controls/LXPlaceholder.h"
#include "controls/LXRadioButton.h"
#include "controls/LXStringGrid.h"

#include <QScrollArea>

TControlsFactory *ControlsFactory = nullptr;

namespace
{

template <class T> QWidget *Create(QWidget *owner)
{
    return new T(owner);
}

template <class T> void Register(TControlsFactory &factory, const char *name)
{
    factory.RegisterControl(QString::fromLatin1(name), typeid(T), &Create<T>);
}

bool IsPanelOrGroup(QWidget *w)
{
    return dynamic_cast<TLXPanel *>(w) || dynamic_cast<TLXGroupBox *>(w);
}

} // namespace

bool TControlsFactory::RegisterControl(const QString &name, std::type_index cls, TCreator create)
{
    FNames.append(name);
    FClasses.push_back(cls);
    FCreators.push_back(create);
    return true;
}

QWidget *TControlsFactory::CreateControl(int kindIndex, QWidget *parent) const
{
    if (kindIndex < 0 || kindIndex >= Count() || !parent)
        return nullptr;
    QWidget *control = FCreators[static_cast<size_t>(kindIndex)](ClientOf(parent));
    InheritDropTarget(control, parent);
    return control;
}

QWidget *TControlsFactory::CreateControlByName(const QString &name, QWidget *parent) const
{
    for (int i = 0; i < Count(); ++i)
        if (FNames[i].compare(name, Qt::CaseInsensitive) == 0)
            return CreateControl(i, parent);
    return nullptr;
}

QWidget *TControlsFactory::CreatePlaceholder(const QString &kind, QWidget *parent) const
{
    return parent ? new TLXPlaceholder(kind, ClientOf(parent)) : nullptr;
}

QString TControlsFactory::GetKindName(const QWidget *control) const
{
    if (auto *placeholder = dynamic_cast<const TLXPlaceholder *>(control))
        return placeholder->Kind();
    if (control) {
        const int index = IndexOfClass(typeid(*control));
        if (index >= 0)
            return FNames[index];
    }
    return QStringLiteral("Unregistered control");
}

int TControlsFactory::IndexOfClass(std::type_index cls) const
{
    for (size_t i = 0; i < FClasses.size(); ++i)
        if (FClasses[i] == cls)
            return static_cast<int>(i);
    return -1;
}

void TControlsFactory::InheritDropTarget(QWidget *control, QWidget *parent)
{
    auto *from = dynamic_cast<TDropTarget *>(parent);
    auto *to = dynamic_cast<TDropTarget *>(control);
    const bool parentQualifies = qobject_cast<QScrollArea *>(parent) || IsPanelOrGroup(parent);
    if (!from || !to || !parentQualifies || !IsPanelOrGroup(control))
        return;
    to->SetDragKind(from->DragKind());
    to->SetDragMode(from->DragMode());
    to->SetOnDragOver(from->OnDragOver());
    to->SetOnDragDrop(from->OnDragDrop());
}

QWidget *TControlsFactory::ClientOf(QWidget *parent)
{
    if (auto *target = dynamic_cast<TDropTarget *>(parent))
        return target->ClientWidget();
    if (auto *scroll = qobject_cast<QScrollArea *>(parent); scroll && scroll->widget())
        return scroll->widget();
    return parent;
}

QList<QWidget *> TControlsFactory::DesignedChildren(QWidget *parent)
{
    QList<QWidget *> result;
    if (!parent)
        return result;
    for (QObject *child : ClientOf(parent)->children())
        if (child->isWidgetType() && AsDesigned(static_cast<QWidget *>(child)))
            result.append(static_cast<QWidget *>(child));
    return result;
}

void CreateControlsFactory()
{
    if (ControlsFactory)
        return;
    ControlsFactory = new TControlsFactory;
    TControlsFactory &f = *ControlsFactory;
    Register<TLXLabel>(f, "Label");
    Register<TLXButton>(f, "Button");
    Register<TLXEditBox>(f, "EditBox");
    Register<TLXListBox>(f, "ListBox");
    Register<TLXMemo>(f, "Memo");
    Register<TLXComboBox>(f, "ComboBox");
    Register<TLXCheckBox>(f, "CheckBox");
    Register<TLXRadioButton>(f, "RadioButton");
    Register<TLXPanel>(f, "Panel");
    Register<TLXGroupBox>(f, "GroupBox");
    Register<TLXImage>(f, "Image");
    Register<TLXStringGrid>(f, "StringGrid");
    Register<TInplaceEdit>(f, "InplaceEdit");
}

void DestroyControlsFactory()
{
    delete ControlsFactory;
    ControlsFactory = nullptr;
}
