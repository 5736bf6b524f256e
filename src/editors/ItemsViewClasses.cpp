#include "editors/ItemsViewClasses.h"

#include "controls/published/DesignerProps.h"
#include "editors/NodeListItem.h"
#include "editors/itemviews/ListItems.h"
#include "editors/itemviews/ListView.h"
#include "editors/itemviews/TreeNodes.h"
#include "editors/itemviews/TreeView.h"
#include "platform/Exception.h"

using namespace DesignerProps;

namespace
{

TTypeInfo ClassType(const char *name, const TClassInfo *cls)
{
    TTypeInfo type;
    type.Kind = tkClass;
    type.Name = name;
    type.ClassType = cls;
    return type;
}

TClassInfo Describe(const char *name, const TClassInfo *parent, std::vector<TPropInfo> props,
                    std::function<TPersistent *(TPersistent *)> construct = {})
{
    TClassInfo info;
    info.Name = name;
    info.Parent = parent;
    info.Properties = std::move(props);
    info.Construct = std::move(construct);
    return info;
}

TPropInfo IndexProp(const char *name, int (TCustomNodeItem::*get)() const,
                    void (TCustomNodeItem::*set)(int))
{
    return Ord<TCustomNodeItem>(
        name, DesignerTypes().Integer, [get](TCustomNodeItem &i) -> int64_t { return (i.*get)(); },
        [set](TCustomNodeItem &i, int64_t v) { (i.*set)(static_cast<int>(v)); }, -1);
}

// Items of a view read as the view's own list; writing one copies it.
template <class View, class List> TPropInfo ItemsProp(const TTypeInfo &type)
{
    return Obj<View>(
        "Items", type, [](View &v) -> TPersistent * { return v.Items(); },
        [](View &v, TPersistent *value) {
            if (auto *source = dynamic_cast<List *>(value))
                v.Items()->Assign(*source);
        });
}

struct TItemsViewClasses {
    const TClassInfo *Persistent = TypInfo::RequireRegisteredClass("TPersistent");
    TClassInfo ListItems = Describe("TListItems", Persistent, {});
    TClassInfo TreeNodes = Describe("TTreeNodes", Persistent, {});
    TTypeInfo ListItemsType = ClassType("TListItems", &ListItems);
    TTypeInfo TreeNodesType = ClassType("TTreeNodes", &TreeNodes);
    TTypeInfo ViewStyleType = [] {
        TTypeInfo type;
        type.Kind = tkEnumeration;
        type.Name = "TViewStyle";
        type.Names = {"vsIcon", "vsSmallIcon", "vsList", "vsReport"};
        type.MaxValue = 3;
        return type;
    }();
    TClassInfo ListView = Describe(
        "TListView", Persistent,
        {ItemsProp<TListView, TListItems>(ListItemsType),
         Ord<TListView>(
             "ViewStyle", ViewStyleType, [](TListView &v) -> int64_t { return v.ViewStyle(); },
             [](TListView &v, int64_t s) { v.SetViewStyle(static_cast<TViewStyle>(s)); }, vsIcon)});
    TClassInfo TreeView =
        Describe("TTreeView", Persistent, {ItemsProp<TTreeView, TTreeNodes>(TreeNodesType)});
    TClassInfo CustomNodeItem = Describe(
        "TCustomNodeItem", Persistent,
        {Str<TCustomNodeItem>(
             "Caption", DesignerTypes().String, [](TCustomNodeItem &i) { return i.Caption(); },
             [](TCustomNodeItem &i, const std::string &s) { i.SetCaption(s); }),
         IndexProp("CustomIndex", &TCustomNodeItem::CustomIndex, &TCustomNodeItem::SetCustomIndex),
         IndexProp("ImageIndex", &TCustomNodeItem::ImageIndex, &TCustomNodeItem::SetImageIndex),
         IndexProp("StateIndex", &TCustomNodeItem::StateIndex, &TCustomNodeItem::SetStateIndex)},
        [](TPersistent *) -> TPersistent * { return new TCustomNodeItem; });
    TClassInfo NodeListItem =
        Describe("TNodeListItem", &CustomNodeItem, {},
                 [](TPersistent *) -> TPersistent * { return new TNodeListItem; });
};

} // namespace

void RegisterItemsViewClasses()
{
    if (TypInfo::ClassInfoOfType(typeid(TListView)))
        throw EProgramFault("The list and tree views' classes are registered twice");
    static const TItemsViewClasses c;
    TypInfo::RegisterClass(typeid(TListItems), &c.ListItems);
    TypInfo::RegisterClass(typeid(TTreeNodes), &c.TreeNodes);
    TypInfo::RegisterClass(typeid(TListView), &c.ListView);
    TypInfo::RegisterClass(typeid(TTreeView), &c.TreeView);
    TypInfo::RegisterClass(typeid(TCustomNodeItem), &c.CustomNodeItem);
    TypInfo::RegisterClass(typeid(TNodeListItem), &c.NodeListItem);
}
