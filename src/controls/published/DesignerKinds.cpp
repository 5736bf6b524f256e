#include "controls/published/DesignerKinds.h"

#include "controls/CaseValidator.h"
#include "controls/Colors.h"
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
#include "controls/LXRadioButton.h"
#include "controls/LXStringGrid.h"
#include "controls/Strings.h"
#include "controls/published/DesignerProps.h"
#include "platform/Exception.h"
#include "reflection/RSConsts.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>
#include <type_traits>

using namespace DesignerProps;

namespace
{

enum { taLeftJustify, taRightJustify, taCenter };
enum { bvNone, bvLowered, bvRaised, bvSpace };
enum { ssNone, ssHorizontal, ssVertical, ssBoth };

// A flag of an image's picture display; the image repaints after a change.
TPropInfo DisplayFlag(const char *name, bool (TImage::*get)() const, void (TImage::*set)(bool))
{
    return Bool<TLXImage>(
        name, [get](TLXImage &c) { return (c.Display().*get)(); },
        [set](TLXImage &c, bool v) {
            (c.Display().*set)(v);
            c.update();
        },
        false);
}
enum { ecNormal, ecUpperCase, ecLowerCase };
enum { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum { cbUnchecked, cbChecked, cbGrayed };

// Most rows or columns a grid takes: more would exhaust memory.
constexpr int64_t kMaxGridCount = 100000;

Qt::Alignment HorizontalOf(int64_t alignment)
{
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight;
    case taCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

int64_t AlignmentOf(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight)
        return taRightJustify;
    if (alignment & Qt::AlignHCenter)
        return taCenter;
    return taLeftJustify;
}

// Frame on or off for the kinds whose border style is bsNone or bsSingle.
template <class T> TPropInfo FrameBorderStyle()
{
    return Ord<T>(
        "BorderStyle", DesignerTypes().TBorderStyle,
        [](T &c) -> int64_t { return c.frameShape() != QFrame::NoFrame; },
        [](T &c, int64_t v) { c.ShowFrame(v != 0); }, 1);
}

// ScrollBars of a scrolling widget: ssNone shows none, the others show
// their bars by the given policy (a memo always, a grid when needed).
template <class T> TPropInfo ScrollBars(int64_t def, Qt::ScrollBarPolicy shown)
{
    return Ord<T>(
        "ScrollBars", DesignerTypes().TScrollStyle,
        [def](T &c) { return c.StoredValue("ScrollBars", def); },
        [shown](T &c, int64_t v) {
            c.SetStoredValue("ScrollBars", v);
            const bool h = v == ssHorizontal || v == ssBoth;
            const bool vert = v == ssVertical || v == ssBoth;
            c.setHorizontalScrollBarPolicy(h ? shown : Qt::ScrollBarAlwaysOff);
            c.setVerticalScrollBarPolicy(vert ? shown : Qt::ScrollBarAlwaysOff);
        },
        def);
}

// MaxLength of a line editor: 0 means no limit.
template <class T> TPropInfo LineMaxLength(QLineEdit *(*editor)(T &))
{
    return Ord<T>(
        "MaxLength", DesignerTypes().Integer, [](T &c) { return c.StoredValue("MaxLength", 0); },
        [editor](T &c, int64_t v) {
            c.SetStoredValue("MaxLength", v);
            if (QLineEdit *e = editor(c))
                e->setMaxLength(v > 0 && v < 32767 ? static_cast<int>(v) : 32767);
        },
        0);
}

// The checked state of the two-state buttons.
template <class T> TPropInfo Checked()
{
    return Bool<T>(
        "Checked", [](T &c) { return c.isChecked(); }, [](T &c, bool v) { c.setChecked(v); },
        false);
}

// Captions of buttons, check boxes and radio buttons wrap inside the width.
template <class T> TPropInfo WordWrap()
{
    return Bool<T>(
        "WordWrap", [](T &c) { return c.WordWrap(); }, [](T &c, bool v) { c.SetWordWrap(v); },
        false);
}

// Alignment of check and radio buttons: which side of the box the caption
// stands on.
template <class T> TPropInfo LeftRight()
{
    return Ord<T>(
        "Alignment", DesignerTypes().TLeftRight,
        [](T &c) -> int64_t { return c.Mirrored() ? taLeftJustify : taRightJustify; },
        [](T &c, int64_t v) { c.SetMirrored(v == taLeftJustify); }, taRightJustify);
}

// The edit box's height follows its font; a cell editor keeps the value.
template <class T> TPropInfo AutoSize()
{
    if constexpr (std::is_same_v<T, TLXEditBox>)
        return Bool<T>(
            "AutoSize", [](T &c) { return c.AutoSize(); }, [](T &c, bool v) { c.SetAutoSize(v); },
            true);
    else
        return KeptBool("AutoSize", true);
}

// What the edit box and a grid's cell editor publish beyond the shared ones.
template <class T> std::vector<TPropInfo> EditProps()
{
    const TDesignerTypes &t = DesignerTypes();
    std::vector<TPropInfo> props = {
        Bool<T>(
            "AutoSelect", [](T &c) { return c.AutoSelect(); },
            [](T &c, bool v) { c.SetAutoSelect(v); }, true),
        AutoSize<T>(),
        Ord<T>(
            "BorderStyle", t.TBorderStyle, [](T &c) -> int64_t { return c.hasFrame(); },
            [](T &c, int64_t v) { c.setFrame(v != 0); }, 1),
        Ord<T>(
            "CharCase", t.TEditCharCase, [](T &c) { return c.StoredValue("CharCase", ecNormal); },
            [](T &c, int64_t v) {
                c.SetStoredValue("CharCase", v);
                TCaseValidator::Apply(&c, static_cast<int>(v));
            },
            ecNormal),
        Bool<T>(
            "HideSelection", [](T &c) { return c.HideSelection(); },
            [](T &c, bool v) { c.SetHideSelection(v); }, true),
        LineMaxLength<T>([](T &c) -> QLineEdit * { return &c; }),
        KeptBool("OEMConvert", false),
        // The character code; 0 shows the text, any other shows it instead.
        Ord<T>(
            "PasswordChar", t.Char, [](T &c) { return c.PasswordChar(); },
            [](T &c, int64_t v) { c.SetPasswordChar(static_cast<int>(v)); }, 0),
        Bool<T>(
            "ReadOnly", [](T &c) { return c.isReadOnly(); }, [](T &c, bool v) { c.setReadOnly(v); },
            false),
        Caption("Text"),
        TabStop(true),
    };
    Add(props, BevelProps());
    Add(props, ColorProps(clWindow));
    Add(props, Ctl3DProps());
    Add(props, ImeProps());
    return props;
}

void ApplyListSelection(TLXListBox &list, bool multi, bool extended)
{
    list.setSelectionMode(!multi     ? QAbstractItemView::SingleSelection
                          : extended ? QAbstractItemView::ExtendedSelection
                                     : QAbstractItemView::MultiSelection);
}

} // namespace

namespace DesignerKinds
{

std::vector<TPropInfo> Label()
{
    const TDesignerTypes &t = DesignerTypes();
    std::vector<TPropInfo> props = {
        Align(),
        Ord<TLXLabel>(
            "Alignment", t.TAlignment, [](TLXLabel &c) { return AlignmentOf(c.Alignment()); },
            [](TLXLabel &c, int64_t v) { c.SetAlignment(HorizontalOf(v)); }, taLeftJustify),
        Bool<TLXLabel>(
            "AutoSize", [](TLXLabel &c) { return c.AutoSize(); },
            [](TLXLabel &c, bool v) { c.SetAutoSize(v); }, true),
        Ord<TLXLabel>(
            "BorderStyle", t.TStaticBorderStyle,
            [](TLXLabel &c) { return c.StoredValue("BorderStyle", 0); },
            [](TLXLabel &c, int64_t v) {
                c.SetStoredValue("BorderStyle", v);
                c.setFrameStyle(v == 0   ? QFrame::NoFrame
                                : v == 1 ? QFrame::Box | QFrame::Plain
                                         : QFrame::Panel | QFrame::Sunken);
            },
            0),
        Caption("Caption"),
        Obj<TLXLabel>(
            "FocusControl", t.TWinControl,
            [](TLXLabel &c) -> TPersistent * {
                return c.FocusControl() ? AsDesigned(c.FocusControl()) : nullptr;
            },
            // Only a window control can take the focus for the label.
            [](TLXLabel &c, TPersistent *v) {
                const TClassInfo *info = TypInfo::ClassInfoOf(v);
                auto *designed = dynamic_cast<TLXDesigned *>(v);
                if (v && (!designed || !info ||
                          !info->InheritsFrom(DesignerTypes().TWinControl.ClassType)))
                    throw ERSException(
                        RSFormat(RSConsts::SInvalidPropertyValue, v->ComponentName()));
                c.SetFocusControl(designed ? designed->Widget() : nullptr);
            }),
        Bool<TLXLabel>(
            "ShowAccelChar", [](TLXLabel &c) { return c.ShowAccelChar(); },
            [](TLXLabel &c, bool v) { c.SetShowAccelChar(v); }, true),
        // A transparent label lets its parent show through.
        Bool<TLXLabel>(
            "Transparent", [](TLXLabel &c) { return c.Transparent(); },
            [](TLXLabel &c, bool v) { c.SetTransparent(v); }, false),
    };
    Add(props, BevelProps());
    Add(props, ColorProps(clBtnFace));
    return props;
}

std::vector<TPropInfo> Button()
{
    const TDesignerTypes &t = DesignerTypes();
    return {
        NoObject("Action", t.TBasicAction),
        Bool<TLXButton>(
            "Cancel", [](TLXButton &c) { return c.Cancel(); },
            [](TLXButton &c, bool v) { c.SetCancel(v); }, false),
        Caption("Caption"),
        Bool<TLXButton>(
            "Default", [](TLXButton &c) { return c.isDefault(); },
            [](TLXButton &c, bool v) { c.setDefault(v); }, false),
        Kept("ModalResult", t.TModalResult, 0),
        TabStop(true),
        WordWrap<TLXButton>(),
    };
}

std::vector<TPropInfo> EditBox()
{
    return EditProps<TLXEditBox>();
}

std::vector<TPropInfo> InplaceEdit()
{
    return EditProps<TInplaceEdit>();
}

std::vector<TPropInfo> ListBox()
{
    const TDesignerTypes &t = DesignerTypes();
    std::vector<TPropInfo> props = {
        Align(),
        Bool<TLXListBox>(
            "AutoComplete", [](TLXListBox &c) { return c.AutoComplete(); },
            [](TLXListBox &c, bool v) { c.SetAutoComplete(v); }, true),
        FrameBorderStyle<TLXListBox>(),
        // Columns above 0 lay the items out in that many columns.
        Ord<TLXListBox>(
            "Columns", t.Integer, [](TLXListBox &c) { return c.StoredValue("Columns", 0); },
            [](TLXListBox &c, int64_t v) {
                c.SetStoredValue("Columns", v);
                c.SetColumns(static_cast<int>(std::clamp<int64_t>(v, 0, 10000)));
            },
            0),
        Bool<TLXListBox>(
            "ExtendedSelect", [](TLXListBox &c) { return c.StoredValue("ExtendedSelect", 1) != 0; },
            [](TLXListBox &c, bool v) {
                c.SetStoredValue("ExtendedSelect", v);
                ApplyListSelection(c, c.selectionMode() != QAbstractItemView::SingleSelection, v);
            },
            true),
        Bool<TLXListBox>(
            "IntegralHeight", [](TLXListBox &c) { return c.IntegralHeight(); },
            [](TLXListBox &c, bool v) { c.SetIntegralHeight(v); }, false),
        Ord<TLXListBox>(
            "ItemHeight", t.Integer, [](TLXListBox &c) { return c.ItemHeight(); },
            [](TLXListBox &c, int64_t v) {
                c.SetItemHeight(static_cast<int>(std::clamp<int64_t>(v, 0, 10000)));
            },
            13),
        Obj<TLXListBox>(
            "Items", t.TStrings, [](TLXListBox &c) { return c.Items(); },
            [](TLXListBox &c, TPersistent *v) {
                if (auto *lines = dynamic_cast<TStrings *>(v))
                    c.Items()->Assign(*lines);
            }),
        Bool<TLXListBox>(
            "MultiSelect",
            [](TLXListBox &c) { return c.selectionMode() != QAbstractItemView::SingleSelection; },
            [](TLXListBox &c, bool v) {
                ApplyListSelection(c, v, c.StoredValue("ExtendedSelect", 1) != 0);
            },
            false),
        Ord<TLXListBox>(
            "ScrollWidth", t.Integer, [](TLXListBox &c) { return c.StoredValue("ScrollWidth", 0); },
            [](TLXListBox &c, int64_t v) {
                c.SetStoredValue("ScrollWidth", v);
                c.SetScrollWidth(static_cast<int>(std::clamp<int64_t>(v, 0, 1000000)));
            },
            0),
        Bool<TLXListBox>(
            "Sorted", [](TLXListBox &c) { return c.isSortingEnabled(); },
            [](TLXListBox &c, bool v) {
                c.setSortingEnabled(v);
                if (v)
                    c.sortItems();
            },
            false),
        Ord<TLXListBox>(
            "Style", t.TListBoxStyle, [](TLXListBox &c) { return c.Style(); },
            [](TLXListBox &c, int64_t v) { c.SetStyle(static_cast<int>(v)); },
            TLXListBox::lbStandard),
        Ord<TLXListBox>(
            "TabWidth", t.Integer, [](TLXListBox &c) { return c.StoredValue("TabWidth", 0); },
            [](TLXListBox &c, int64_t v) {
                c.SetStoredValue("TabWidth", v);
                c.SetTabWidth(static_cast<int>(std::clamp<int64_t>(v, 0, 100000)));
            },
            0),
        TabStop(true),
    };
    Add(props, BevelProps());
    Add(props, ColorProps(clWindow));
    Add(props, Ctl3DProps());
    Add(props, ImeProps());
    return props;
}

std::vector<TPropInfo> Memo()
{
    const TDesignerTypes &t = DesignerTypes();
    std::vector<TPropInfo> props = {
        Align(),
        Ord<TLXMemo>(
            "Alignment", t.TAlignment, [](TLXMemo &c) { return AlignmentOf(c.Alignment()); },
            [](TLXMemo &c, int64_t v) { c.SetAlignment(HorizontalOf(v)); }, taLeftJustify),
        FrameBorderStyle<TLXMemo>(),
        Bool<TLXMemo>(
            "HideSelection", [](TLXMemo &c) { return c.HideSelection(); },
            [](TLXMemo &c, bool v) { c.SetHideSelection(v); }, true),
        Obj<TLXMemo>(
            "Lines", t.TStrings, [](TLXMemo &c) { return c.Lines(); },
            [](TLXMemo &c, TPersistent *v) {
                if (auto *lines = dynamic_cast<TStrings *>(v))
                    c.Lines()->Assign(*lines);
            }),
        // The stored value reads back as written; below 0 means no limit.
        Ord<TLXMemo>(
            "MaxLength", t.Integer, [](TLXMemo &c) { return c.StoredValue("MaxLength", 0); },
            [](TLXMemo &c, int64_t v) {
                c.SetStoredValue("MaxLength", v);
                c.SetMaxLength(static_cast<int>(std::clamp<int64_t>(v, 0, INT32_MAX)));
            },
            0),
        KeptBool("OEMConvert", false),
        Bool<TLXMemo>(
            "ReadOnly", [](TLXMemo &c) { return c.isReadOnly(); },
            [](TLXMemo &c, bool v) { c.setReadOnly(v); }, false),
        ScrollBars<TLXMemo>(ssNone, Qt::ScrollBarAlwaysOn),
        Bool<TLXMemo>(
            "WantReturns", [](TLXMemo &c) { return c.WantReturns(); },
            [](TLXMemo &c, bool v) { c.SetWantReturns(v); }, true),
        Bool<TLXMemo>(
            "WantTabs", [](TLXMemo &c) { return !c.tabChangesFocus(); },
            [](TLXMemo &c, bool v) { c.setTabChangesFocus(!v); }, false),
        Bool<TLXMemo>(
            "WordWrap", [](TLXMemo &c) { return c.lineWrapMode() != QPlainTextEdit::NoWrap; },
            [](TLXMemo &c, bool v) {
                c.setLineWrapMode(v ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
            },
            true),
        TabStop(true),
    };
    Add(props, BevelProps());
    Add(props, ColorProps(clWindow));
    Add(props, Ctl3DProps());
    Add(props, ImeProps());
    return props;
}

std::vector<TPropInfo> ComboBox()
{
    const TDesignerTypes &t = DesignerTypes();
    std::vector<TPropInfo> props = {
        Bool<TLXComboBox>(
            "AutoCloseUp", [](TLXComboBox &c) { return c.AutoCloseUp(); },
            [](TLXComboBox &c, bool v) { c.SetAutoCloseUp(v); }, false),
        Bool<TLXComboBox>(
            "AutoComplete", [](TLXComboBox &c) { return c.AutoComplete(); },
            [](TLXComboBox &c, bool v) { c.SetAutoComplete(v); }, true),
        Bool<TLXComboBox>(
            "AutoDropDown", [](TLXComboBox &c) { return c.AutoDropDown(); },
            [](TLXComboBox &c, bool v) { c.SetAutoDropDown(v); }, false),
        Ord<TLXComboBox>(
            "CharCase", t.TEditCharCase,
            [](TLXComboBox &c) { return c.StoredValue("CharCase", ecNormal); },
            [](TLXComboBox &c, int64_t v) {
                c.SetStoredValue("CharCase", v);
                TCaseValidator::Apply(c.lineEdit(), static_cast<int>(v));
            },
            ecNormal),
        Ord<TLXComboBox>(
            "DropDownCount", t.Integer, [](TLXComboBox &c) { return c.maxVisibleItems(); },
            [](TLXComboBox &c, int64_t v) {
                c.setMaxVisibleItems(static_cast<int>(std::clamp<int64_t>(v, 1, 1000)));
            },
            8),
        Ord<TLXComboBox>(
            "ItemHeight", t.Integer, [](TLXComboBox &c) { return c.ItemHeight(); },
            [](TLXComboBox &c, int64_t v) {
                c.SetItemHeight(static_cast<int>(std::clamp<int64_t>(v, 0, 10000)));
            },
            16),
        Ord<TLXComboBox>(
            "ItemIndex", t.Integer, [](TLXComboBox &c) { return c.currentIndex(); },
            [](TLXComboBox &c, int64_t v) {
                c.SetItemIndex(static_cast<int>(std::clamp<int64_t>(v, -1, INT32_MAX)));
            },
            -1),
        Obj<TLXComboBox>(
            "Items", t.TStrings, [](TLXComboBox &c) { return c.Items(); },
            [](TLXComboBox &c, TPersistent *v) {
                if (auto *lines = dynamic_cast<TStrings *>(v))
                    c.Items()->Assign(*lines);
            }),
        LineMaxLength<TLXComboBox>([](TLXComboBox &c) { return c.lineEdit(); }),
        Bool<TLXComboBox>(
            "Sorted", [](TLXComboBox &c) { return c.Sorted(); },
            [](TLXComboBox &c, bool v) { c.SetSorted(v); }, false),
        // The drop-down list styles take no typed text.
        Ord<TLXComboBox>(
            "Style", t.TComboBoxStyle, [](TLXComboBox &c) { return c.Style(); },
            [](TLXComboBox &c, int64_t v) { c.SetStyle(static_cast<int>(v)); }, csDropDown),
        Caption("Text"),
        TabStop(true),
    };
    Add(props, BevelProps());
    Add(props, ColorProps(clWindow));
    Add(props, Ctl3DProps());
    Add(props, ImeProps());
    return props;
}

std::vector<TPropInfo> CheckBox()
{
    const TDesignerTypes &t = DesignerTypes();
    std::vector<TPropInfo> props = {
        NoObject("Action", t.TBasicAction),
        LeftRight<TLXCheckBox>(),
        Bool<TLXCheckBox>(
            "AllowGrayed", [](TLXCheckBox &c) { return c.StoredValue("AllowGrayed", 0) != 0; },
            [](TLXCheckBox &c, bool v) {
                c.SetStoredValue("AllowGrayed", v);
                c.setTristate(v || c.checkState() == Qt::PartiallyChecked);
            },
            false),
        Caption("Caption"),
        Checked<TLXCheckBox>(),
        Ord<TLXCheckBox>(
            "State", t.TCheckBoxState,
            [](TLXCheckBox &c) -> int64_t {
                switch (c.checkState()) {
                case Qt::Checked:
                    return cbChecked;
                case Qt::PartiallyChecked:
                    return cbGrayed;
                default:
                    return cbUnchecked;
                }
            },
            [](TLXCheckBox &c, int64_t v) {
                c.setCheckState(v == cbChecked  ? Qt::Checked
                                : v == cbGrayed ? Qt::PartiallyChecked
                                                : Qt::Unchecked);
                c.setTristate(v == cbGrayed || c.StoredValue("AllowGrayed", 0) != 0);
            },
            cbUnchecked),
        TabStop(true),
        WordWrap<TLXCheckBox>(),
    };
    Add(props, ColorProps(clBtnFace));
    Add(props, Ctl3DProps());
    return props;
}

std::vector<TPropInfo> RadioButton()
{
    const TDesignerTypes &t = DesignerTypes();
    std::vector<TPropInfo> props = {
        NoObject("Action", t.TBasicAction),
        LeftRight<TLXRadioButton>(),
        Caption("Caption"),
        Checked<TLXRadioButton>(),
        TabStop(true),
        WordWrap<TLXRadioButton>(),
    };
    Add(props, ColorProps(clBtnFace));
    Add(props, Ctl3DProps());
    return props;
}

std::vector<TPropInfo> Panel()
{
    const TDesignerTypes &t = DesignerTypes();
    std::vector<TPropInfo> props = {
        Align(),
        Ord<TLXPanel>(
            "Alignment", t.TAlignment,
            [](TLXPanel &c) { return AlignmentOf(c.CaptionAlignment()); },
            [](TLXPanel &c, int64_t v) { c.SetCaptionAlignment(HorizontalOf(v)); }, taCenter),
        Bool<TLXPanel>(
            "AutoSize", [](TLXPanel &c) { return c.AutoSize(); },
            [](TLXPanel &c, bool v) { c.SetAutoSize(v); }, false),
        Ord<TLXPanel>(
            "BevelInner", t.TBevelCut, [](TLXPanel &c) { return c.BevelInner(); },
            [](TLXPanel &c, int64_t v) { c.SetBevelInner(static_cast<int>(v)); }, bvNone),
        Ord<TLXPanel>(
            "BevelOuter", t.TBevelCut, [](TLXPanel &c) { return c.BevelOuter(); },
            [](TLXPanel &c, int64_t v) { c.SetBevelOuter(static_cast<int>(v)); }, bvRaised),
        Ord<TLXPanel>(
            "BevelWidth", t.TBevelWidth, [](TLXPanel &c) { return c.BevelWidth(); },
            [](TLXPanel &c, int64_t v) { c.SetBevelWidth(static_cast<int>(v)); }, 1),
        Ord<TLXPanel>(
            "BorderStyle", t.TBorderStyle, [](TLXPanel &c) { return c.BorderStyle(); },
            [](TLXPanel &c, int64_t v) { c.SetBorderStyle(static_cast<int>(v)); }, 0),
        Ord<TLXPanel>(
            "BorderWidth", t.TBorderWidth, [](TLXPanel &c) { return c.BorderWidth(); },
            [](TLXPanel &c, int64_t v) { c.SetBorderWidth(static_cast<int>(v)); }, 0),
        Caption("Caption"),
        KeptBool("DockSite", false),
        KeptBool("FullRepaint", true),
        KeptBool("Locked", false),
        Bool<TLXPanel>(
            "ParentBackground", [](TLXPanel &c) { return c.ParentBackground(); },
            [](TLXPanel &c, bool v) { c.SetParentBackground(v); }, true),
        KeptBool("UseDockManager", true),
    };
    Add(props, ColorProps(clBtnFace));
    Add(props, Ctl3DProps());
    return props;
}

std::vector<TPropInfo> GroupBox()
{
    std::vector<TPropInfo> props = {
        Align(),
        Caption("Caption"),
        KeptBool("DockSite", false),
        Bool<TLXGroupBox>(
            "ParentBackground", [](TLXGroupBox &c) { return c.ParentBackground(); },
            [](TLXGroupBox &c, bool v) { c.SetParentBackground(v); }, true),
    };
    Add(props, ColorProps(clBtnFace));
    Add(props, Ctl3DProps());
    return props;
}

std::vector<TPropInfo> Image()
{
    const TDesignerTypes &t = DesignerTypes();
    return {
        Align(),
        Bool<TLXImage>(
            "AutoSize", [](TLXImage &c) { return c.Display().AutoSize(); },
            [](TLXImage &c, bool v) { c.Display().SetAutoSize(v); }, false),
        Comment(),
        // The display's picture, edited in place.
        Obj<TLXImage>(
            "Picture", t.TPicture, [](TLXImage &c) { return &c.Picture(); }, nullptr),
        DisplayFlag("Proportional", &TImage::Proportional, &TImage::SetProportional),
        DisplayFlag("Stretch", &TImage::Stretch, &TImage::SetStretch),
        DisplayFlag("Transparent", &TImage::Transparent, &TImage::SetTransparent),
    };
}

std::vector<TPropInfo> StringGrid()
{
    const TDesignerTypes &t = DesignerTypes();
    using G = TLXStringGrid;
    auto count = [&t](const char *name, int (G::*get)() const, void (G::*set)(int), int def) {
        return Ord<G>(
            name, t.Integer, [get](G &c) { return (c.*get)(); },
            [set](G &c, int64_t v) { (c.*set)(static_cast<int>(v)); }, def);
    };
    auto lines = [&t](const char *name, int (G::*get)() const, void (G::*set)(int)) {
        return Ord<G>(
            name, t.Integer, [get](G &c) { return (c.*get)(); },
            [set](G &c, int64_t v) {
                if (v > kMaxGridCount)
                    throw Exception("Grid too large for operation");
                (c.*set)(static_cast<int>(v));
            },
            5);
    };
    std::vector<TPropInfo> props = {
        Align(),
        FrameBorderStyle<G>(),
        lines("ColCount", &G::ColCount, &G::SetColCount),
        Ord<G>(
            "ControlStatus", t.TControlStatus, [](G &c) { return c.ControlStatus(); },
            [](G &c, int64_t v) { c.SetControlStatus(static_cast<TControlStatus>(v)); }, NoDefault),
        count("DefaultColWidth", &G::DefaultColWidth, &G::SetDefaultColWidth, 64),
        Bool<G>(
            "DefaultDrawing", [](G &c) { return c.DefaultDrawing(); },
            [](G &c, bool v) { c.SetDefaultDrawing(v); }, true),
        count("DefaultRowHeight", &G::DefaultRowHeight, &G::SetDefaultRowHeight, 24),
        Ord<G>(
            "FixedColor", t.TColor, [](G &c) { return c.StoredValue("FixedColor", clBtnFace); },
            [](G &c, int64_t v) {
                c.SetStoredValue("FixedColor", v);
                c.SetFixedColor(ColorToQColor(static_cast<int32_t>(v)));
            },
            clBtnFace),
        count("FixedCols", &G::FixedCols, &G::SetFixedCols, 1),
        count("FixedRows", &G::FixedRows, &G::SetFixedRows, 1),
        count("GridLineWidth", &G::GridLineWidth, &G::SetGridLineWidth, 1),
        Ord<G>(
            "Options", t.TGridOptions, [](G &c) { return c.Options(); },
            [](G &c, int64_t v) { c.SetOptions(static_cast<TGridOptions>(v)); }, 0x1F),
        lines("RowCount", &G::RowCount, &G::SetRowCount),
        ScrollBars<G>(ssBoth, Qt::ScrollBarAsNeeded),
        TabStop(true),
        Ord<G>(
            "VisibleColCount", t.Integer, [](G &c) { return c.VisibleColCount(); }, nullptr,
            NoDefault),
        Ord<G>(
            "VisibleRowCount", t.Integer, [](G &c) { return c.VisibleRowCount(); }, nullptr,
            NoDefault),
    };
    Add(props, ColorProps(clWindow));
    Add(props, Ctl3DProps());
    return props;
}

} // namespace DesignerKinds
