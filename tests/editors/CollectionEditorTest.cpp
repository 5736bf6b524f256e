#include "support/HookGuard.h"

#include "editors/EditorDialogs.h"
#include "editors/RSTCollectionEditor.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSInspectorObject.h"
#include "inspector/RSObjectInspector.h"
#include "inspector/RSPropertyPresets.h"
#include "platform/ErrorDisplay.h"
#include "presets/RSPresetDialogs.h"
#include "reflection/Collection.h"
#include "reflection/CollectionItem.h"
#include "reflection/TypInfo.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

// The description tables below name only the fields they need.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace
{

// A collection item with a published name that it is listed under.
class TColumnItem : public TCollectionItem
{
public:
    using TCollectionItem::TCollectionItem;
    std::string Title;
    std::string DisplayName() const override { return Title; }
};

// A component owning a collection of columns.
class TColumnsOwner : public TPersistent
{
public:
    TColumnsOwner()
        : Columns(std::make_unique<TCollection>(this, typeid(TColumnItem),
                                                [](TCollection *c) { return new TColumnItem(c); }))
    {
    }
    bool IsComponent() const override { return true; }
    std::string ComponentName() const override { return "Grid1"; }
    std::unique_ptr<TCollection> Columns;
};

TTypeInfo StringType{tkLString, "String"};

void RegisterColumnClasses()
{
    static TClassInfo item{
        "TColumnItem",
        TypInfo::FindRegisteredClass("TCollectionItem"),
        {{"Title", &StringType,
          [](TPersistent *o) { return TVariant(static_cast<TColumnItem *>(o)->Title); },
          [](TPersistent *o, const TVariant &v) {
              static_cast<TColumnItem *>(o)->Title = v.AsString();
          }}},
        [](TPersistent *owner) -> TPersistent * {
            return new TColumnItem(static_cast<TCollection *>(owner));
        }};
    TypInfo::RegisterClass(typeid(TColumnItem), &item);
    static TTypeInfo collectionType{
        tkClass, "TCollection", 0,       0,
        {},      nullptr,       nullptr, TypInfo::FindRegisteredClass("TCollection")};
    static TClassInfo owner{
        "TColumnsOwner", nullptr, {{"Columns", &collectionType, [](TPersistent *o) {
                                        return TVariant(static_cast<TPersistent *>(
                                            static_cast<TColumnsOwner *>(o)->Columns.get()));
                                    }}}};
    TypInfo::RegisterClass(typeid(TColumnsOwner), &owner);
}

class CollectionEditor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterColumnClasses();
        view = std::make_unique<TRSObjectInspector>();
        owner = std::make_unique<TColumnsOwner>();
        for (const char *title : {"A", "B", "C", "D", "E"})
            static_cast<TColumnItem *>(owner->Columns->Add())->Title = title;
        Inspector()->SetComponent(owner.get());
    }

    void TearDown() override { delete editor; }

    TRSCustomObjectInspector *Inspector() { return view->Inspector(); }

    TfrmCollectionEditor *Open()
    {
        editor = ShowCollectionEditor(Inspector(), owner->Columns.get(), "Grid1.Columns", true);
        editor->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(editor));
        return editor;
    }

    std::string Titles() const
    {
        std::string text;
        for (int i = 0; i < owner->Columns->Count(); ++i)
            text += owner->Columns->Items(i)->DisplayName();
        return text;
    }

    QStringList Rows() const
    {
        QStringList rows;
        for (int i = 0; i < editor->ListView1->topLevelItemCount(); ++i)
            rows << editor->ListView1->topLevelItem(i)->text(0);
        return rows;
    }

    void Select(std::initializer_list<int> rows)
    {
        editor->ListView1->clearSelection();
        for (int row : rows)
            editor->ListView1->topLevelItem(row)->setSelected(true);
    }

    std::vector<TPersistent *> Inspected()
    {
        std::vector<TPersistent *> objects;
        for (int i = 0; i < Inspector()->Objects().Count(); ++i)
            objects.push_back(Inspector()->Objects().Item(i)->Instance());
        return objects;
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(editor->ListView1, static_cast<Qt::Key>(key), modifiers);
    }

    void Drop(QMimeData *data, int targetRow)
    {
        QWidget *viewport = editor->ListView1->viewport();
        const QPoint at =
            editor->ListView1->visualItemRect(editor->ListView1->topLevelItem(targetRow)).center();
        QDragEnterEvent enter(at, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QDropEvent drop(at, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &drop);
    }

    QMimeData *DragOfSelection(TfrmCollectionEditor *source)
    {
        QTreeWidget *list = source->ListView1;
        return list->model()->mimeData(list->selectionModel()->selectedIndexes());
    }

    std::unique_ptr<TRSObjectInspector> view;
    std::unique_ptr<TColumnsOwner> owner;
    TfrmCollectionEditor *editor = nullptr;
    QStringList errors;
    const THookGuard display{ErrorDisplay::Show,
                             [this](const QString &message) { errors.push_back(message); }};
};

} // namespace

TEST_F(CollectionEditor, EditingTheSameCollectionAgainBringsItsEditorBack)
{
    Open();
    EXPECT_EQ(editor->windowTitle(), "Editing Grid1.Columns");
    EXPECT_EQ(editor->OwnerComponent(), owner.get());
    ASSERT_EQ(editor->SavedObjects().Count(), 1);
    EXPECT_EQ(editor->SavedObjects().Item(0)->Instance(), owner.get());
    EXPECT_EQ(Rows(), (QStringList{"0 - A", "1 - B", "2 - C", "3 - D", "4 - E"}));
    EXPECT_FALSE(editor->Reset1->isVisible());

    EXPECT_EQ(ShowCollectionEditor(Inspector(), owner->Columns.get(), "Grid1.Columns", true),
              editor);

    TColumnsOwner other;
    std::unique_ptr<TfrmCollectionEditor> second(
        ShowCollectionEditor(Inspector(), other.Columns.get(), "Grid2.Columns", true));
    EXPECT_NE(second.get(), editor);

    // A closed editor is detached and no longer found.
    editor->close();
    EXPECT_EQ(editor->EditedCollection(), nullptr);
    EXPECT_EQ(editor->ListView1->topLevelItemCount(), 0);
    std::unique_ptr<TfrmCollectionEditor> third(
        ShowCollectionEditor(Inspector(), owner->Columns.get(), "Grid1.Columns", true));
    EXPECT_NE(third.get(), editor);
}

TEST_F(CollectionEditor, KeysMoveAddAndDeleteTheSelectedItems)
{
    Open();
    Select({1, 2});
    EXPECT_EQ(Inspected(),
              (std::vector<TPersistent *>{owner->Columns->Items(1), owner->Columns->Items(2)}));
    ASSERT_EQ(Inspector()->Objects().Count(), 2);
    EXPECT_EQ(Inspector()->Objects().Item(0)->LinkedComponent(), owner.get());

    Key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Titles(), "BCADE");
    EXPECT_EQ(editor->SelectedRows(), (std::vector<int>{0, 1}));
    EXPECT_EQ(Rows().first(), "0 - B");

    // A selected first row exchanges places with its selected neighbour.
    Key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Titles(), "CBADE");
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Titles(), "ACBDE");
    EXPECT_EQ(editor->SelectedRows(), (std::vector<int>{1, 2}));

    Key(Qt::Key_Delete);
    EXPECT_EQ(Titles(), "ADE");
    EXPECT_TRUE(Inspected().empty());
    EXPECT_TRUE(editor->SelectedRows().empty());
    EXPECT_FALSE(editor->DeleteSelected1->isEnabled());
    EXPECT_FALSE(editor->MoveSelectedUp1->isEnabled());

    Key(Qt::Key_Insert);
    ASSERT_EQ(owner->Columns->Count(), 4);
    EXPECT_EQ(editor->SelectedRows(), (std::vector<int>{3}));
    EXPECT_EQ(Inspected(), (std::vector<TPersistent *>{owner->Columns->Items(3)}));

    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(editor->SelectedRows().size(), 4u);
    EXPECT_TRUE(editor->SelectNone1->isEnabled());
    editor->SelectNone1->trigger();
    EXPECT_FALSE(editor->SelectNone1->isEnabled());
}

TEST_F(CollectionEditor, DeletingAnItemTakesItOutOfTheInspectorEvenWhenOthersAreShown)
{
    Open();
    Select({3});
    TCollectionItem *doomed = owner->Columns->Items(3);
    // The inspector meanwhile shows another item as well.
    Inspector()->Objects().AddLinkedObject(owner.get(), owner->Columns->Items(0));
    editor->DeleteSelected1->trigger();
    EXPECT_EQ(Titles(), "ABCE");
    for (TPersistent *object : Inspected())
        EXPECT_NE(object, doomed);
}

TEST_F(CollectionEditor, DroppingRowsPlacesThemAtTheTargetInOrder)
{
    Open();
    Select({3, 4});
    std::unique_ptr<QMimeData> data(DragOfSelection(editor));
    Drop(data.get(), 0);
    EXPECT_EQ(Titles(), "DEABC");
    EXPECT_EQ(editor->SelectedRows(), (std::vector<int>{0, 1}));

    Select({0, 1});
    data.reset(DragOfSelection(editor));
    Drop(data.get(), 3);
    EXPECT_EQ(Titles(), "ABDEC");

    // Rows dragged from another editor's list are refused.
    TColumnsOwner other;
    std::unique_ptr<TfrmCollectionEditor> foreign(
        ShowCollectionEditor(Inspector(), other.Columns.get(), "Grid2.Columns", false));
    other.Columns->Add();
    foreign->RefreshList();
    foreign->ListView1->topLevelItem(0)->setSelected(true);
    data.reset(DragOfSelection(foreign.get()));
    Select({4});
    Drop(data.get(), 0);
    EXPECT_EQ(Titles(), "ABDEC");
}

TEST_F(CollectionEditor, DestroyingTheOwnerEmptiesTheEditorAndDisablesItsActions)
{
    Open();
    Select({0, 1});
    owner.reset();
    EXPECT_EQ(editor->EditedCollection(), nullptr);
    EXPECT_EQ(editor->OwnerComponent(), nullptr);
    EXPECT_EQ(editor->ListView1->topLevelItemCount(), 0);
    EXPECT_EQ(editor->SavedObjects().Count(), 0);
    for (QAction *action : {editor->AddItem1, editor->DeleteSelected1, editor->MoveSelectedUp1,
                            editor->MoveSelectedDown1, editor->SelectAll1, editor->SelectNone1})
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
    EXPECT_TRUE(Inspected().empty());
    Key(Qt::Key_Insert);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(CollectionEditor, DestroyingTheInspectorDetachesTheEditor)
{
    Open();
    Select({2});
    view.reset();
    EXPECT_EQ(editor->LinkedInspector(), nullptr);
    EXPECT_EQ(editor->EditedCollection(), nullptr);
    EXPECT_EQ(editor->ListView1->topLevelItemCount(), 0);
    EXPECT_EQ(owner->Columns->Count(), 5);
}

TEST_F(CollectionEditor, ListMenuTogglesTheToolBarAndAddsItems)
{
    Open();
    EXPECT_FALSE(editor->ToolBar1->isHidden());
    editor->Toolbar1->trigger();
    EXPECT_TRUE(editor->ToolBar1->isHidden());
    editor->Toolbar1->trigger();
    EXPECT_FALSE(editor->ToolBar1->isHidden());
    EXPECT_EQ(editor->AddNew1->shortcut(), QKeySequence(Qt::Key_Insert));
    editor->AddNew1->trigger();
    EXPECT_EQ(owner->Columns->Count(), 6);
    EXPECT_EQ(editor->AddItem1->toolTip(), "Add Collection Item");
}

TEST_F(CollectionEditor, PresetsAreAddedByClassAndResetToTheRegisteredOnes)
{
    const std::vector<TRSPropertyPresetClass> classes = RegisteredPropertyPresets();
    ASSERT_GE(classes.size(), 2u);
    TRSObjectInspector other;
    TRSPropertyPresets &presets = other.Inspector()->Presets();
    const int count = presets.Count();
    ASSERT_EQ(count, static_cast<int>(classes.size()));
    editor = ShowCollectionEditor(Inspector(), &presets, "Presets", true);

    EXPECT_TRUE(editor->Reset1->isVisible());
    EXPECT_TRUE(Rows().first().endsWith(" (" + QString::fromStdString(classes[0]->Name) + ")"));
    auto *button = qobject_cast<QToolButton *>(editor->ToolBar1->widgetForAction(editor->AddItem1));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->menu(), editor->PopupMenu2);
    const QList<QAction *> entries = editor->PopupMenu2->actions();
    ASSERT_EQ(entries.size(), count + 1);
    EXPECT_EQ(entries[0], editor->AddItem1);
    EXPECT_EQ(entries[2]->text(), "Add " + QString::fromStdString(classes[1]->Name));

    entries[2]->trigger();
    ASSERT_EQ(presets.Count(), count + 1);
    EXPECT_EQ(TypInfo::ClassInfoOf(presets.Items(count)), classes[1]);
    EXPECT_EQ(editor->SelectedRows(), (std::vector<int>{count}));

    Select({0});
    editor->DeleteSelected1->trigger();
    EXPECT_LT(presets.IndexOfPresetClass(classes[0]), 0);
    editor->Reset1->trigger();
    EXPECT_GE(presets.IndexOfPresetClass(classes[0]), 0);
    EXPECT_EQ(presets.Count(), count + 1);
    EXPECT_EQ(editor->ListView1->topLevelItemCount(), count + 1);
}

TEST_F(CollectionEditor, TheEllipsisOfACollectionRowOpensOneEditorForIt)
{
    const THookGuard dialogs(PresetDialogs());
    InstallEditorDialogs();
    TRSObjectInspector window;
    window.SetComponent(owner.get());
    window.Rebuild();
    auto *row = static_cast<TRSItemProperty *>(window.Inspector()->Items()->FindPath("Columns"));
    ASSERT_NE(row, nullptr);
    ASSERT_TRUE(row->OnEditButtonClick);
    auto editors = [] {
        QList<TfrmCollectionEditor *> found;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *e = dynamic_cast<TfrmCollectionEditor *>(w); e && e->EditedCollection())
                found << e;
        return found;
    };
    row->OnEditButtonClick(row);
    row->OnEditButtonClick(row);
    ASSERT_EQ(editors().size(), 1);
    editor = editors().first();
    EXPECT_EQ(editor->EditedCollection(), owner->Columns.get());
    EXPECT_EQ(editor->LinkedInspector(), window.Inspector());
    EXPECT_EQ(editor->windowTitle(), "Editing Grid1.Columns");
}
