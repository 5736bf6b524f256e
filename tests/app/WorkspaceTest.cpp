#include "support/DesignerSingletons.h"
#include "support/SavedLayout.h"

#include "app/ComponentTree.h"
#include "app/FilterEdit.h"
#include "app/Main.h"
#include "app/MainToolBar.h"
#include "app/PaletteButton.h"
#include "app/PaletteFilter.h"
#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "controls/LXStringGrid.h"
#include "designer/ComponentTreeModel.h"
#include "designer/DesignClipboard.h"
#include "designer/DesignHistory.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSItemProperty.h"
#include "inspector/RSObjectInspector.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBox>
#include <QToolButton>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

// The tree's rows as text: "Name: Kind" with the rows below in brackets.
QString TreeText(TComponentTreeModel &model, const QModelIndex &index)
{
    QString text = index.data().toString();
    const int rows = model.rowCount(index);
    if (rows == 0)
        return text;
    QStringList children;
    for (int i = 0; i < rows; ++i)
        children << TreeText(model, model.index(i, 0, index));
    return text + '[' + children.join(',') + ']';
}

// The same text made from the design's widgets.
QString DesignText(QWidget *control, bool root)
{
    QString text = control->objectName();
    if (!root)
        text += ": " + ControlsFactory->GetKindName(control);
    const QList<QWidget *> children = TControlsFactory::DesignedChildren(control);
    if (children.isEmpty())
        return text;
    QStringList parts;
    for (QWidget *child : children)
        parts << DesignText(child, false);
    return text + '[' + parts.join(',') + ']';
}

class WorkspaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        form->resize(1200, 800);
        tree = form->ComponentTree();
        model = tree->Model();
        grid = form->ObjectInspector()->Inspector();
    }
    void TearDown() override { form.reset(); }

    void Show()
    {
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    QString Tree()
    {
        QCoreApplication::sendPostedEvents();
        return TreeText(*model, model->index(0, 0));
    }
    QString Design() { return DesignText(form->Container(), true); }
    QUndoStack &Stack() { return form->History()->Stack(); }
    std::vector<QWidget *> Selection() { return DesignerHandler->Selection(); }
    std::string Bytes()
    {
        QCoreApplication::sendPostedEvents();
        std::string bytes = SavedLayout(*form->Container(), dir);
        form->ShowSelection(Selection());
        return bytes;
    }
    void Edit(QWidget *control, const std::string &path, const std::string &value)
    {
        DesignerHandler->SelectControls({control}, false);
        QCoreApplication::sendPostedEvents();
        auto *row = static_cast<TRSItemProperty *>(grid->Items()->FindPath(path));
        ASSERT_TRUE(row) << path;
        row->SetValue(value);
        row->Apply();
        QCoreApplication::sendPostedEvents();
    }
    QRect RowRect(QWidget *control)
    {
        const QModelIndex index = model->IndexOf(control);
        tree->scrollTo(index);
        return tree->visualRect(index);
    }
    void ClickRow(QWidget *control, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, mods, RowRect(control).center());
        QCoreApplication::sendPostedEvents();
    }
    std::vector<QWidget *> SelectedRows() { return tree->SelectedControls(); }
    std::vector<std::string> Shown()
    {
        QCoreApplication::sendPostedEvents();
        std::vector<std::string> paths;
        for (TRSItemProp *row : grid->DisplayedRows())
            paths.push_back(row->GetFullName());
        return paths;
    }
    static bool Has(const std::vector<std::string> &paths, const std::string &path)
    {
        return std::find(paths.begin(), paths.end(), path) != paths.end();
    }

    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
    TComponentTree *tree = nullptr;
    TComponentTreeModel *model = nullptr;
    TRSCustomObjectInspector *grid = nullptr;
};

} // namespace

TEST_F(WorkspaceTest, TheTreeFollowsEveryChangeOfTheDesignWithoutBeingRebuilt)
{
    QSignalSpy resets(model, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(model, &QAbstractItemModel::rowsInserted);
    QWidget *button = form->AddControl(1, 10, nullptr, 10);
    QWidget *panel = form->AddControl(8, 100, nullptr, 100);
    QWidget *edit = form->AddControl(2, 5, panel, 5);
    EXPECT_EQ(Tree(), "MainPanel[Control1: Button,Control2: Panel[Control1: EditBox]]");
    EXPECT_EQ(inserts.count(), 3);
    const auto check = [&](const char *what) { EXPECT_EQ(Tree(), Design()) << what; };

    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    Edit(button, "Name", "OkButton");
    check("rename");
    // The views are told of the renamed row, and only of it.
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>(), model->IndexOf(button));
    EXPECT_EQ(changed[0][1].value<QModelIndex>(), model->IndexOf(button));
    changed.clear();
    Edit(edit, "Visible", "False");
    ASSERT_EQ(changed.count(), 1) << "a control hidden turns its row grey";
    EXPECT_EQ(changed[0][0].value<QModelIndex>(), model->IndexOf(edit));
    Edit(edit, "Visible", "True");
    DesignerHandler->SelectControls({button}, false);
    form->mnuSendToBackClick();
    check("send to back");
    EXPECT_TRUE(Tree().startsWith("MainPanel[OkButton: Button"));
    form->mnuBringToFrontClick();
    check("bring to front");
    EXPECT_TRUE(form->History()->Reparent({edit}, form->Container()));
    check("move out of the panel");
    EXPECT_EQ(Tree(), "MainPanel[Control2: Panel,OkButton: Button,Control1: EditBox]");
    form->Clipboard()->Delete({panel});
    check("delete");
    form->Clipboard()->Duplicate({button});
    check("duplicate");
    // Every step undone and redone again.
    const int steps = Stack().index();
    for (int i = 0; i < steps; ++i) {
        Stack().undo();
        check(qPrintable(Stack().redoText()));
    }
    EXPECT_EQ(Tree(), "MainPanel");
    for (int i = 0; i < steps; ++i) {
        Stack().redo();
        check(qPrintable(Stack().undoText()));
    }
    // Many controls arriving before the tree looks again, as a paste of
    // many does, one of them put under the others and one gone again.
    QWidget *client = form->Container()->ClientWidget();
    std::vector<QWidget *> batch;
    for (int i = 0; i < 40; ++i) {
        batch.push_back(ControlsFactory->CreateControlByName("Label", client));
        AsDesigned(batch.back())->SetName(QStringLiteral("Batch%1").arg(i));
    }
    batch[20]->lower();
    delete batch[30];
    check("many added at once");
    EXPECT_EQ(resets.count(), 0);

    // Opening a layout replaces the design, and the tree with it.
    const QString file = dir.filePath("open.xml");
    form->Container()->SaveLayout(file);
    form->OpenLayout(file);
    check("open");
    form->mnuClearClick();
    EXPECT_EQ(Tree(), "MainPanel");
}

TEST_F(WorkspaceTest, RowsAndSurfaceSelectEachOtherWithSeveralControls)
{
    Show();
    QWidget *a = form->AddControl(1, 10, nullptr, 10);
    QWidget *b = form->AddControl(1, 10, nullptr, 60);
    QWidget *c = form->AddControl(2, 10, nullptr, 110);
    // After a drop the new control is the current row.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(model->ControlAt(tree->currentIndex()), c);

    ClickRow(a);
    EXPECT_EQ(Selection(), std::vector<QWidget *>{a});
    EXPECT_EQ(form->Header()->text(), "Control1: Button");
    ClickRow(c, Qt::ControlModifier);
    EXPECT_EQ(Selection(), (std::vector<QWidget *>{a, c}));
    EXPECT_EQ(form->Header()->text(), "Multiple");
    ClickRow(b, Qt::ShiftModifier);
    EXPECT_EQ(Selection().size(), 2u) << "Shift extends from the current row";

    // Clicks on the surface select rows.
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(SelectedRows(), std::vector<QWidget *>{b});
    EXPECT_EQ(model->ControlAt(tree->currentIndex()), b);
    QTest::mouseClick(a, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(SelectedRows().size(), 2u);
    EXPECT_EQ(model->ControlAt(tree->currentIndex()), a);
    form->MainPanelOnClick();
    EXPECT_TRUE(SelectedRows().empty());
}

TEST_F(WorkspaceTest, DroppingRowsOnAPanelMovesTheControlsAsOneStep)
{
    QWidget *panel = form->AddControl(8, 100, nullptr, 100);
    QWidget *inner = form->AddControl(2, 5, panel, 5);
    QWidget *button = form->AddControl(1, 400, nullptr, 300);
    const QString before = Tree();
    const std::string bytes = Bytes();
    const int steps = Stack().index();

    const QModelIndex panelRow = model->IndexOf(panel);
    std::unique_ptr<QMimeData> data(model->mimeData({model->IndexOf(button)}));
    // Nothing goes into itself or where it is already.
    std::unique_ptr<QMimeData> self(model->mimeData({panelRow}));
    EXPECT_FALSE(model->canDropMimeData(self.get(), Qt::MoveAction, -1, -1, panelRow));
    EXPECT_FALSE(model->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, model->index(0, 0)));
    EXPECT_FALSE(model->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, model->IndexOf(inner)));

    ASSERT_TRUE(model->dropMimeData(data.get(), Qt::MoveAction, -1, -1, panelRow));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(Stack().index(), steps + 1);
    EXPECT_EQ(button->parentWidget(), TControlsFactory::ClientOf(panel));
    // The name taken in the panel gives way; the button stays inside.
    EXPECT_EQ(Tree(), "MainPanel[Control1: Panel[Control1: EditBox,Control2: Button]]");
    EXPECT_TRUE(button->parentWidget()->rect().contains(button->geometry()));
    EXPECT_EQ(Selection(), std::vector<QWidget *>{button});

    Stack().undo();
    EXPECT_EQ(Tree(), before);
    EXPECT_EQ(Bytes(), bytes);
    Stack().redo();
    EXPECT_EQ(Tree(), "MainPanel[Control1: Panel[Control1: EditBox,Control2: Button]]");
    // And back to the surface through its row.
    std::unique_ptr<QMimeData> back(model->mimeData({model->IndexOf(button)}));
    ASSERT_TRUE(model->dropMimeData(back.get(), Qt::MoveAction, -1, -1, model->index(0, 0)));
    EXPECT_EQ(Tree(), "MainPanel[Control1: Panel[Control1: EditBox],Control2: Button]");
}

TEST_F(WorkspaceTest, DeleteAndClipboardKeysActOnTheRowsAndHiddenControlsAreGrey)
{
    Show();
    QWidget *a = form->AddControl(1, 10, nullptr, 10);
    QWidget *b = form->AddControl(1, 10, nullptr, 60);
    Edit(b, "Visible", "False");
    EXPECT_TRUE(model->IndexOf(b).data(Qt::ForegroundRole).isValid());
    EXPECT_FALSE(model->IndexOf(a).data(Qt::ForegroundRole).isValid());

    tree->setFocus();
    ClickRow(a);
    ASSERT_TRUE(tree->hasFocus());
    QTest::keyClick(tree, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(tree, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(form->Container()->Controls().size(), 3);
    EXPECT_EQ(model->rowCount(model->index(0, 0)), 3);

    ClickRow(b);
    QTest::keyClick(tree, Qt::Key_Delete);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(form->Container()->Controls().contains(b));
    EXPECT_FALSE(model->IndexOf(b).isValid());
    Stack().undo();
    EXPECT_EQ(Tree(), Design());
}

TEST_F(WorkspaceTest, ThePropertyFilterNarrowsTheRowsButNotWhatIsSaved)
{
    Show();
    QWidget *a = form->AddControl(1, 10, nullptr, 10);
    QWidget *b = form->AddControl(2, 10, nullptr, 60);
    DesignerHandler->SelectControls({a}, false);
    const std::string plain = Bytes();
    const size_t all = Shown().size();
    ASSERT_GE(all, 15u);

    form->PropertyFilter()->setFocus();
    QTest::keyClicks(form->PropertyFilter(), "FoNt");
    std::vector<std::string> shown = Shown();
    EXPECT_TRUE(Has(shown, "Font"));
    EXPECT_TRUE(Has(shown, "Font.Size")) << "the parent opens to show matching rows";
    EXPECT_TRUE(Has(shown, "ParentFont"));
    EXPECT_FALSE(Has(shown, "Caption"));
    for (const std::string &path : shown)
        EXPECT_NE(QString::fromStdString(path).indexOf("font", 0, Qt::CaseInsensitive), -1) << path;
    EXPECT_EQ(Bytes(), plain);

    // A nested name keeps its parents; the filter stays with the selection.
    form->PropertyFilter()->setText("size");
    DesignerHandler->SelectControls({b}, false);
    shown = Shown();
    EXPECT_EQ(form->PropertyFilter()->text(), "size");
    EXPECT_TRUE(Has(shown, "Font"));
    EXPECT_TRUE(Has(shown, "Font.Size"));
    EXPECT_FALSE(Has(shown, "Font.Name"));
    // A value is written through a filtered row as through any.
    Edit(b, "Font.Size", "14");
    EXPECT_EQ(b->font().pointSize(), 14);

    // Under categories the categories lead to the matching rows.
    form->CategorizeAction()->trigger();
    shown = Shown();
    EXPECT_TRUE(Has(shown, "Visual.Font.Size"));
    EXPECT_TRUE(Has(shown, "Localizable.Font.Size"));
    EXPECT_FALSE(Has(shown, "Action"));
    const std::string categorized = Bytes();
    form->PropertyFilter()->clear();
    EXPECT_EQ(Bytes(), categorized);
    form->PropertyFilter()->setText("size");
    form->CategorizeAction()->trigger();

    // The inspector's own filters still hide their rows.
    form->PropertyFilter()->setText("drag");
    EXPECT_TRUE(Shown().empty());

    // Esc shows every row again.
    form->PropertyFilter()->setFocus();
    QTest::keyClick(form->PropertyFilter(), Qt::Key_Escape);
    EXPECT_TRUE(form->PropertyFilter()->text().isEmpty());
    DesignerHandler->SelectControls({a}, false);
    EXPECT_EQ(Shown().size(), all);
}

TEST_F(WorkspaceTest, ThePaletteFilterListsKindsOfEveryPageAndEnterDropsOne)
{
    Show();
    TPaletteFilter *palette = form->PaletteFilter();
    palette->Edit()->setFocus();
    QTest::keyClicks(palette->Edit(), "box");
    QStringList names;
    for (TPaletteButton *button : palette->Matches())
        names << button->text();
    EXPECT_EQ(names, QStringList({"EditBox", "ListBox", "ComboBox", "CheckBox", "GroupBox"}));

    QWidget *panel = form->AddControl(8, 100, nullptr, 100);
    DesignerHandler->SelectControls({panel}, false);
    const int steps = Stack().index();
    palette->Edit()->setText("GRID");
    ASSERT_EQ(palette->Matches().size(), 1u);
    palette->Edit()->setFocus();
    QTest::keyClick(palette->Edit(), Qt::Key_Return);
    QCoreApplication::sendPostedEvents();
    const QList<QWidget *> inPanel = TControlsFactory::DesignedChildren(panel);
    ASSERT_EQ(inPanel.size(), 1);
    EXPECT_TRUE(dynamic_cast<TLXStringGrid *>(inPanel.front()));
    EXPECT_EQ(inPanel.front()->pos(), QPoint(0, 0));
    EXPECT_EQ(Stack().index(), steps + 1);
    Stack().undo();
    EXPECT_TRUE(TControlsFactory::DesignedChildren(panel).isEmpty());

    // Several matches: Enter drops nothing.
    palette->Edit()->setText("button");
    QTest::keyClick(palette->Edit(), Qt::Key_Return);
    EXPECT_EQ(Stack().index(), steps);
    QTest::keyClick(palette->Edit(), Qt::Key_Escape);
    EXPECT_TRUE(palette->Matches().empty());
    EXPECT_TRUE(form->ControlsPane()->isVisible());
}

TEST_F(WorkspaceTest, TheToolBarShowsIconsAndItsUndoUndoes)
{
    Show();
    const QList<QAction *> actions = form->ToolBar()->actions();
    QStringList texts;
    for (QAction *action : actions) {
        if (action->isSeparator())
            continue;
        texts << action->text();
        EXPECT_FALSE(action->icon().isNull()) << action->text().toStdString();
    }
    EXPECT_EQ(texts, QStringList({"New", "Open...", "Save", "Undo", "Redo", "Cut", "Copy", "Paste",
                                  "Delete", "Bring To Front", "Send To Back", "Alignment...",
                                  "Preview", "Html"}));
    form->AddControl(1, 10, nullptr, 10);
    QWidget *undo = form->ToolBar()->widgetForAction(form->UndoAction());
    ASSERT_TRUE(undo);
    QTest::mouseClick(undo, Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(form->Container()->Controls().isEmpty());
}
