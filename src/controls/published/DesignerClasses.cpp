#include "controls/published/DesignerClasses.h"

#include "controls/Colors.h"
#include "controls/DropTarget.h"
#include "controls/Font.h"
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
#include "controls/Picture.h"
#include "controls/SizeConstraints.h"
#include "controls/Strings.h"
#include "controls/published/DesignerKinds.h"
#include "controls/published/DesignerProps.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"
#include "reflection/Collection.h"
#include "reflection/CollectionItem.h"
#include "reflection/StrUtils.h"

#include <QEvent>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

using namespace DesignerProps;

namespace
{

bool IsValidIdent(const std::string &name)
{
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])))
        return false;
    for (char ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)) && ch != '_')
            return false;
    return true;
}

// Tells when a parent's child list may have changed other than by growing
// at its end: a child left it, or a child moved in the stacking order.
class TSiblingWatcher : public QObject
{
public:
    bool Stale = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ChildRemoved || event->type() == QEvent::ZOrderChange)
            Stale = true;
        return false;
    }
};

// The designed controls among the children of one parent, with the place,
// the tab order and the name of each. It is kept while the parent's child
// list has only grown at its end, as it does while a layout is opened, so
// that reading and setting the tab orders and names of n new controls does
// not look at the siblings n times. The watcher tells when the list changed
// otherwise, and a child that is destroyed drops it all. Tab orders are
// stored only by SetTabOrder, which keeps them up to date here; names are
// followed as they change.
struct TSiblingOrders {
    QPointer<QObject> Parent;
    qsizetype Known = 0;
    QObject *LastChild = nullptr;
    std::vector<TLXDesigned *> Designed; // per child; none for other widgets
    std::vector<int64_t> Place;          // designed controls before each child
    std::vector<int64_t> Order;          // tab order of each designed child
    int64_t Count = 0;
    // The designed children with the highest and the next highest tab order
    // (the later child first among equal orders), or none.
    size_t Top = SIZE_MAX;
    size_t Second = SIZE_MAX;
    // Names of the designed children in ASCII lower case, and how many
    // children bear each; the watcher holds the connections that follow
    // them.
    QHash<QObject *, QString> Names;
    QHash<QString, int> NameCount;
    // Where each child stands among its siblings, found without a walk.
    QHash<QObject *, qsizetype> Index;
    std::unique_ptr<TSiblingWatcher> Watcher;

    qsizetype IndexOf(QObject *child) const { return Index.value(child, -1); }

    bool Above(size_t a, size_t b) const
    {
        return b == SIZE_MAX || Order[a] > Order[b] || (Order[a] == Order[b] && a > b);
    }
    // Takes the designed child at i into the two highest.
    void Rank(size_t i)
    {
        if (Above(i, Top)) {
            Second = Top;
            Top = i;
        } else if (i != Top && Above(i, Second)) {
            Second = i;
        }
    }
    void RankAll()
    {
        Top = Second = SIZE_MAX;
        for (size_t i = 0; i < Designed.size(); ++i)
            if (Designed[i])
                Rank(i);
    }
};

QString FoldedName(const QString &name)
{
    QString folded = name;
    for (QChar &ch : folded)
        if (ch >= u'A' && ch <= u'Z')
            ch = QChar(ch.unicode() + (u'a' - u'A'));
    return folded;
}

void Rename(TSiblingOrders &s, QObject *child, const QString &name)
{
    auto it = s.Names.find(child);
    if (it == s.Names.end())
        return;
    if (--s.NameCount[*it] == 0)
        s.NameCount.remove(*it);
    *it = FoldedName(name);
    ++s.NameCount[*it];
}

TSiblingOrders &SiblingOrders(QObject *parent)
{
    static TSiblingOrders s;
    const QList<QObject *> &children = parent->children();
    const bool grown = s.Parent == parent && s.Watcher && !s.Watcher->Stale &&
                       s.Known <= children.size() &&
                       (s.Known == 0 || children[s.Known - 1] == s.LastChild);
    if (grown && s.Known == children.size())
        return s;
    if (!grown) {
        s.Parent = parent;
        s.Known = 0;
        s.Designed.clear();
        s.Place.clear();
        s.Order.clear();
        s.Count = 0;
        s.Top = s.Second = SIZE_MAX;
        s.Names.clear();
        s.NameCount.clear();
        s.Index.clear();
        s.Watcher = std::make_unique<TSiblingWatcher>();
        parent->installEventFilter(s.Watcher.get());
    }
    for (qsizetype i = s.Known; i < children.size(); ++i) {
        QObject *child = children[i];
        s.Index.insert(child, i);
        child->installEventFilter(s.Watcher.get());
        TLXDesigned *designed =
            child->isWidgetType() ? AsDesigned(static_cast<QWidget *>(child)) : nullptr;
        s.Designed.push_back(designed);
        s.Place.push_back(s.Count);
        s.Order.push_back(designed ? designed->StoredValue("TabOrder", s.Count) : 0);
        if (!designed)
            continue;
        s.Rank(static_cast<size_t>(i));
        ++s.Count;
        const QString folded = FoldedName(child->objectName());
        s.Names.insert(child, folded);
        ++s.NameCount[folded];
        QObject::connect(child, &QObject::objectNameChanged, s.Watcher.get(),
                         [child](const QString &name) { Rename(s, child, name); });
        QObject::connect(child, &QObject::destroyed, s.Watcher.get(), [] { s.Parent = nullptr; });
    }
    s.Known = children.size();
    s.LastChild = children.isEmpty() ? nullptr : children.last();
    return s;
}

// Names end up in file names of exported pages, so only identifiers are
// taken, and no two controls of one owner share a name (whatever the letter
// case). An identifier is ASCII; a name that is not never equals it.
void SetComponentName(TLXDesigned &control, const std::string &name)
{
    if (!name.empty() && !IsValidIdent(name))
        throw Exception("'" + name + "' is not a valid component name");
    QWidget *self = control.Widget();
    QWidget *parent = self->parentWidget();
    const QString wanted = CodePage::ToQString(name);
    if (!name.empty() && parent) {
        const TSiblingOrders &s = SiblingOrders(parent);
        const QString folded = FoldedName(wanted);
        const int own = s.Names.value(self) == folded ? 1 : 0;
        if (s.NameCount.value(folded) > own)
            throw Exception("A component named " + name + " already exists");
    }
    control.SetName(wanted);
}

// The tab order a control has until one is set: its place among the
// designed controls of its parent.
int64_t TabOrderOf(TLXDesigned &control)
{
    const int64_t kept = control.StoredValue("TabOrder", INT64_MIN);
    if (kept != INT64_MIN)
        return kept;
    QWidget *self = control.Widget();
    QWidget *parent = self->parentWidget();
    if (!parent)
        return 0;
    const TSiblingOrders &s = SiblingOrders(parent);
    const qsizetype at = s.IndexOf(self);
    return at < 0 ? s.Count : s.Place[static_cast<size_t>(at)];
}

// Moves the control to a place in its parent's tab order, the others
// closing up behind it; a place outside the order means the last. The
// focus chain of the widgets follows.
void SetTabOrder(TLXDesigned &control, int64_t place)
{
    QWidget *self = control.Widget();
    QWidget *parent = self->parentWidget();
    if (!parent) {
        control.SetStoredValue("TabOrder", 0);
        return;
    }
    TSiblingOrders *orders = &SiblingOrders(parent);
    const auto at = static_cast<size_t>(orders->IndexOf(self));
    if (orders->Designed[at] != &control) {
        // Taken while the control was still being made: take them again.
        orders->Parent = nullptr;
        orders = &SiblingOrders(parent);
    }
    TSiblingOrders &s = *orders;
    const int64_t others = s.Count - 1;
    if (place < 0 || place > others)
        place = others;
    // Placing a control last (as opening a layout does, control by control)
    // only follows the current last one: no renumbering.
    if (place == others) {
        const size_t last = s.Top != at ? s.Top : s.Second;
        if (last == SIZE_MAX || s.Order[last] < place) {
            control.SetStoredValue("TabOrder", place);
            s.Order[at] = place;
            if (s.Top != at) {
                s.Second = s.Top;
                s.Top = at;
            }
            if (last != SIZE_MAX)
                QWidget::setTabOrder(s.Designed[last]->Widget(), self);
            return;
        }
    }
    std::vector<size_t> order;
    for (size_t i = 0; i < s.Designed.size(); ++i)
        if (i != at && s.Designed[i])
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&s](size_t a, size_t b) { return s.Order[a] < s.Order[b]; });
    order.insert(order.begin() + place, at);
    for (size_t i = 0; i < order.size(); ++i) {
        TLXDesigned *c = s.Designed[order[i]];
        c->SetStoredValue("TabOrder", static_cast<int64_t>(i));
        s.Order[order[i]] = static_cast<int64_t>(i);
        if (i > 0)
            QWidget::setTabOrder(s.Designed[order[i - 1]]->Widget(), c->Widget());
    }
    s.RankAll();
}

// Drag kind and mode: the drop target's own where the control is one.
TPropInfo DragProp(const char *name, const TTypeInfo &type, bool kind)
{
    const std::string key = name;
    return Ord<TLXDesigned>(
        name, type,
        [key, kind](TLXDesigned &c) -> int64_t {
            if (auto *target = dynamic_cast<TDropTarget *>(&c))
                return kind ? target->DragKind() : target->DragMode();
            return c.StoredValue(key, 0);
        },
        [key, kind](TLXDesigned &c, int64_t v) {
            if (auto *target = dynamic_cast<TDropTarget *>(&c)) {
                if (kind)
                    target->SetDragKind(static_cast<int>(v));
                else
                    target->SetDragMode(static_cast<int>(v));
            } else {
                c.SetStoredValue(key, v);
            }
        },
        0);
}

std::vector<TPropInfo> ComponentProps()
{
    const TDesignerTypes &t = DesignerTypes();
    return {Str<TLXDesigned>(
                "Name", t.TComponentName, [](TLXDesigned &c) { return c.ComponentName(); },
                SetComponentName),
            Kept("Tag", t.Integer, 0)};
}

TPropInfo Geometry(const char *name, int (QWidget::*get)() const, void (*set)(QWidget *, int))
{
    return Ord<TLXDesigned>(
        name, DesignerTypes().Integer, [get](TLXDesigned &c) { return (c.Widget()->*get)(); },
        [set](TLXDesigned &c, int64_t v) { set(c.Widget(), static_cast<int>(v)); }, NoDefault);
}

std::vector<TPropInfo> ControlProps()
{
    const TDesignerTypes &t = DesignerTypes();
    return {
        Ord<TLXDesigned>(
            "Cursor", t.TCursor, [](TLXDesigned &c) { return c.Cursor(); },
            [](TLXDesigned &c, int64_t v) { c.SetCursor(static_cast<int>(v)); }, 0),
        Geometry("Left", &QWidget::x, [](QWidget *w, int v) { w->move(v, w->y()); }),
        Geometry("Top", &QWidget::y, [](QWidget *w, int v) { w->move(w->x(), v); }),
        Geometry("Width", &QWidget::width, [](QWidget *w, int v) { w->resize(v, w->height()); }),
        Geometry("Height", &QWidget::height, [](QWidget *w, int v) { w->resize(w->width(), v); }),
        Kept("HelpContext", t.THelpContext, 0),
        KeptText("HelpKeyword", t.String),
        Kept("HelpType", t.THelpType, 1),
        Str<TLXDesigned>(
            "Hint", t.String, [](TLXDesigned &c) { return c.Hint(); },
            [](TLXDesigned &c, const std::string &v) { c.SetHint(v); }),
        // The control's own flag, not whether its window is on screen.
        Bool<TLXDesigned>(
            "Visible", [](TLXDesigned &c) { return c.Visible(); },
            [](TLXDesigned &c, bool v) { c.SetVisible(v); }, true),
    };
}

std::vector<TPropInfo> WinControlProps()
{
    const TDesignerTypes &t = DesignerTypes();
    return {
        Ord<TLXDesigned>(
            "Anchors", t.TAnchors, [](TLXDesigned &c) { return c.Anchors(); },
            [](TLXDesigned &c, int64_t v) { c.SetAnchors(static_cast<uint32_t>(v)); }, 0x3),
        UnlessParent(Ord<TLXDesigned>(
                         "BiDiMode", t.TBiDiMode, [](TLXDesigned &c) { return c.BiDiMode(); },
                         [](TLXDesigned &c, int64_t v) { c.SetBiDiMode(static_cast<int>(v)); },
                         bdLeftToRight),
                     "ParentBiDiMode"),
        Obj<TLXDesigned>(
            "Constraints", t.TSizeConstraints, [](TLXDesigned &c) { return c.Constraints(); },
            [](TLXDesigned &c, TPersistent *v) {
                if (auto *other = dynamic_cast<TSizeConstraints *>(v))
                    c.Constraints()->Assign(*other);
            }),
        Kept("DragCursor", t.TCursor, -12),
        DragProp("DragKind", t.TDragKind, true),
        DragProp("DragMode", t.TDragMode, false),
        Bool<TLXDesigned>(
            "Enabled",
            [](TLXDesigned &c) { return !c.Widget()->testAttribute(Qt::WA_ForceDisabled); },
            [](TLXDesigned &c, bool v) { c.Widget()->setEnabled(v); }, true),
        UnlessParent(Obj<TLXDesigned>(
                         "Font", t.TFont, [](TLXDesigned &c) { return c.Font(); },
                         [](TLXDesigned &c, TPersistent *v) {
                             if (auto *other = dynamic_cast<TFont *>(v))
                                 c.Font()->Assign(*other);
                         }),
                     "ParentFont"),
        Bool<TLXDesigned>(
            "ParentBiDiMode", [](TLXDesigned &c) { return c.ParentBiDiMode(); },
            [](TLXDesigned &c, bool v) { c.SetParentBiDiMode(v); }, true),
        Bool<TLXDesigned>(
            "ParentFont", [](TLXDesigned &c) { return c.ParentFont(); },
            [](TLXDesigned &c, bool v) { c.SetParentFont(v); }, true),
        Bool<TLXDesigned>(
            "ParentShowHint", [](TLXDesigned &c) { return c.ParentShowHint(); },
            [](TLXDesigned &c, bool v) { c.SetParentShowHint(v); }, true),
        NoObject("PopupMenu", t.TPopupMenu),
        UnlessParent(Bool<TLXDesigned>(
                         "ShowHint", [](TLXDesigned &c) { return c.ShowHint(); },
                         [](TLXDesigned &c, bool v) { c.SetShowHint(v); }, false),
                     "ParentShowHint"),
        Ord<TLXDesigned>("TabOrder", t.TTabOrder, TabOrderOf, SetTabOrder, -1),
        TabStop(false),
    };
}

std::vector<TPropInfo> FontProps()
{
    const TDesignerTypes &t = DesignerTypes();
    return {
        Ord<TFont>(
            "Charset", t.TFontCharset, [](TFont &f) { return f.Charset(); },
            [](TFont &f, int64_t v) { f.SetCharset(static_cast<int>(v)); }, 1),
        Ord<TFont>(
            "Color", t.TColor, [](TFont &f) { return f.Color(); },
            [](TFont &f, int64_t v) { f.SetColor(static_cast<int32_t>(v)); }, clWindowText),
        Ord<TFont>(
            "Height", t.Integer, [](TFont &f) { return f.Height(); },
            [](TFont &f, int64_t v) { f.SetHeight(static_cast<int>(v)); }, NoDefault),
        Str<TFont>(
            "Name", t.TFontName, [](TFont &f) { return f.Name(); },
            [](TFont &f, const std::string &v) { f.SetName(v); }),
        Ord<TFont>(
            "Pitch", t.TFontPitch, [](TFont &f) { return f.Pitch(); },
            [](TFont &f, int64_t v) { f.SetPitch(static_cast<TFontPitch>(v)); }, fpDefault),
        Ord<TFont>(
            "Size", t.Integer, [](TFont &f) { return f.Size(); },
            [](TFont &f, int64_t v) { f.SetSize(static_cast<int>(v)); }, NoDefault),
        Ord<TFont>(
            "Style", t.TFontStyles, [](TFont &f) { return f.Style(); },
            [](TFont &f, int64_t v) { f.SetStyle(static_cast<TFontStyles>(v)); }, 0),
    };
}

TPropInfo ConstraintProp(const char *name, int (TSizeConstraints::*get)() const,
                         void (TSizeConstraints::*set)(int))
{
    return Ord<TSizeConstraints>(
        name, DesignerTypes().TConstraintSize, [get](TSizeConstraints &s) { return (s.*get)(); },
        [set](TSizeConstraints &s, int64_t v) { (s.*set)(static_cast<int>(v)); }, 0);
}

std::vector<TPropInfo> ConstraintsProps()
{
    return {
        ConstraintProp("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight),
        ConstraintProp("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth),
        ConstraintProp("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight),
        ConstraintProp("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth),
    };
}

// A stand-in for an unknown kind shows only its name, place and size: the
// values a layout gets back from it.
std::vector<TPropInfo> PlaceholderProps()
{
    return {
        ComponentProps().front(),
        Geometry("Height", &QWidget::height, [](QWidget *w, int v) { w->resize(w->width(), v); }),
        Geometry("Left", &QWidget::x, [](QWidget *w, int v) { w->move(v, w->y()); }),
        Geometry("Top", &QWidget::y, [](QWidget *w, int v) { w->move(w->x(), v); }),
        Geometry("Width", &QWidget::width, [](QWidget *w, int v) { w->resize(v, w->height()); }),
    };
}

// Every description, made once; class-kind types are bound to them.
struct TDesignerClasses {
    TClassInfo Persistent = Describe("TPersistent", nullptr, {});
    TClassInfo Component = Describe("TComponent", &Persistent, ComponentProps());
    TClassInfo Control = Describe("TControl", &Component, ControlProps());
    TClassInfo WinControl = Describe("TWinControl", &Control, WinControlProps());
    TClassInfo Font = Describe("TFont", &Persistent, FontProps());
    TClassInfo Constraints = Describe("TSizeConstraints", &Persistent, ConstraintsProps());
    TClassInfo Strings = Describe("TStrings", &Persistent, {});
    TClassInfo Picture = Describe("TPicture", &Persistent, {});
    TClassInfo PopupMenu = Describe("TPopupMenu", &Component, {});
    TClassInfo BasicAction = Describe("TBasicAction", &Component, {});
    TClassInfo Collection = Describe("TCollection", &Persistent, {});
    TClassInfo CollectionItem = Describe("TCollectionItem", &Persistent, {});

    TClassInfo Label = Kind("TLXLabel", DesignerKinds::Label());
    TClassInfo Button = Kind("TLXButton", DesignerKinds::Button());
    TClassInfo EditBox = Kind("TLXEditBox", DesignerKinds::EditBox());
    TClassInfo ListBox = Kind("TLXListBox", DesignerKinds::ListBox());
    TClassInfo Memo = Kind("TLXMemo", DesignerKinds::Memo());
    TClassInfo ComboBox = Kind("TLXComboBox", DesignerKinds::ComboBox());
    TClassInfo CheckBox = Kind("TLXCheckBox", DesignerKinds::CheckBox());
    TClassInfo RadioButton = Kind("TLXRadioButton", DesignerKinds::RadioButton());
    TClassInfo Panel = Kind("TLXPanel", DesignerKinds::Panel());
    TClassInfo GroupBox = Kind("TLXGroupBox", DesignerKinds::GroupBox());
    // The image publishes only a control's properties, not a window control's.
    TClassInfo Image = Describe("TLXImage", &Control, DesignerKinds::Image());
    TClassInfo StringGrid = Kind("TLXStringGrid", DesignerKinds::StringGrid());
    TClassInfo InplaceEdit = Kind("TInplaceEdit", DesignerKinds::InplaceEdit());
    TClassInfo Placeholder = Describe("TLXPlaceholder", &Persistent, PlaceholderProps());

    TClassInfo Kind(const char *name, std::vector<TPropInfo> props)
    {
        props.push_back(DesignerProps::Comment());
        return Describe(name, &WinControl, std::move(props));
    }
};

} // namespace

void RegisterDesignerClasses()
{
    if (TypInfo::ClassInfoOfType(typeid(TLXLabel)))
        throw EProgramFault("The designer's classes are registered twice");
    static const TDesignerClasses c;
    TDesignerTypes &t = DesignerTypes();
    t.TFont.ClassType = &c.Font;
    t.TSizeConstraints.ClassType = &c.Constraints;
    t.TStrings.ClassType = &c.Strings;
    t.TPicture.ClassType = &c.Picture;
    t.TPopupMenu.ClassType = &c.PopupMenu;
    t.TBasicAction.ClassType = &c.BasicAction;
    t.TWinControl.ClassType = &c.WinControl;

    // Ancestors and referenced classes have no C++ class of their own; they
    // are registered so that they are found by name.
    struct TPersistentTag;
    struct TComponentTag;
    struct TControlTag;
    struct TWinControlTag;
    struct TPopupMenuTag;
    struct TBasicActionTag;
    TypInfo::RegisterClass(typeid(TPersistentTag *), &c.Persistent);
    TypInfo::RegisterClass(typeid(TComponentTag *), &c.Component);
    TypInfo::RegisterClass(typeid(TControlTag *), &c.Control);
    TypInfo::RegisterClass(typeid(TWinControlTag *), &c.WinControl);
    TypInfo::RegisterClass(typeid(TPopupMenuTag *), &c.PopupMenu);
    TypInfo::RegisterClass(typeid(TBasicActionTag *), &c.BasicAction);
    TypInfo::RegisterClass(typeid(TFont), &c.Font);
    TypInfo::RegisterClass(typeid(TSizeConstraints), &c.Constraints);
    TypInfo::RegisterClass(typeid(TStrings), &c.Strings);
    TypInfo::RegisterClass(typeid(TCollection), &c.Collection);
    TypInfo::RegisterClass(typeid(TCollectionItem), &c.CollectionItem);
    TypInfo::RegisterClass(typeid(TPicture), &c.Picture);
    TypInfo::RegisterClass(typeid(TLXLabel), &c.Label);
    TypInfo::RegisterClass(typeid(TLXButton), &c.Button);
    TypInfo::RegisterClass(typeid(TLXEditBox), &c.EditBox);
    TypInfo::RegisterClass(typeid(TLXListBox), &c.ListBox);
    TypInfo::RegisterClass(typeid(TLXMemo), &c.Memo);
    TypInfo::RegisterClass(typeid(TLXComboBox), &c.ComboBox);
    TypInfo::RegisterClass(typeid(TLXCheckBox), &c.CheckBox);
    TypInfo::RegisterClass(typeid(TLXRadioButton), &c.RadioButton);
    TypInfo::RegisterClass(typeid(TLXPanel), &c.Panel);
    TypInfo::RegisterClass(typeid(TLXGroupBox), &c.GroupBox);
    TypInfo::RegisterClass(typeid(TLXImage), &c.Image);
    TypInfo::RegisterClass(typeid(TLXStringGrid), &c.StringGrid);
    TypInfo::RegisterClass(typeid(TInplaceEdit), &c.InplaceEdit);
    TypInfo::RegisterClass(typeid(TLXPlaceholder), &c.Placeholder);
}
