#include "support/HookGuard.h"
#include "support/TypeText.h"

#include "editors/NodeListItem.h"
#include "editors/RSTListItemsDialog.h"
#include "editors/RSTTreeNodesDialog.h"
#include "editors/itemviews/ImageList.h"
#include "editors/itemviews/ListItem.h"
#include "editors/itemviews/ListItems.h"
#include "editors/itemviews/ListView.h"
#include "editors/itemviews/TreeNode.h"
#include "editors/itemviews/TreeNodes.h"
#include "editors/itemviews/TreeView.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "platform/CodePage.h"
#include "platform/ErrorDisplay.h"
#include "presets/RSPresetDialogs.h"
#include "reflection/TypInfo.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

namespace
{

class ItemsDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 5; ++i) {
            QPixmap image(16, 16);
            image.fill(QColor(40 * i, 0, 0));
            small.Add(image);
        }
        for (int i = 0; i < 3; ++i)
            state.Add(QPixmap(16, 16));
        view.SetSmallImages(&small);
        for (int i = 0; i < 2; ++i)
            large.Add(QPixmap(32, 32));
        view.SetStateImages(&state);
        view.SetLargeImages(&large);
        TListItem *alpha = view.Items()->Add();
        alpha->SetCaption("Alpha");
        alpha->SetImageIndex(1);
        alpha->SetStateIndex(0);
        alpha->SetOverlayIndex(2);
        alpha->AddSubItem("a1", 3);
        alpha->AddSubItem("a2", 4);
        view.Items()->Add()->SetCaption("Beta");
    }

    // The dialog open on the list view, shown and active.
    std::unique_ptr<TfrmTListItemsDlg> OpenList()
    {
        auto dlg = std::make_unique<TfrmTListItemsDlg>();
        dlg->Open(&view);
        dlg->show();
        dlg->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        return dlg;
    }

    static void Click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    static void ClickNode(TfrmCustomItemsDlg &dlg, QTreeWidgetItem *node)
    {
        QTest::mouseClick(dlg.TreeView1->viewport(), Qt::LeftButton, {},
                          dlg.TreeView1->visualItemRect(node).center());
    }

    // Clicks into the box and replaces its text by typing.
    static void Type(QComboBox *box, const QString &text)
    {
        Click(box->lineEdit());
        QTest::keyClick(box->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box->lineEdit(), text);
    }

    TImageList small, state, large{32, 32};
    TListView view;
    QStringList errors;
    const THookGuard display{ErrorDisplay::Show,
                             [this](const QString &message) { errors.push_back(message); }};
};

} // namespace

TEST_F(ItemsDialog, ListItemOpensWithSubItemNodesAndDeletingOneKeepsTheOthersImage)
{
    auto dlg = OpenList();
    EXPECT_EQ(dlg->windowTitle(), "ListView Items Editor");
    ASSERT_EQ(dlg->TreeView1->topLevelItemCount(), 2);
    QTreeWidgetItem *alpha = dlg->TreeView1->topLevelItem(0);
    ASSERT_EQ(alpha->childCount(), 2);
    EXPECT_EQ(alpha->child(1)->text(0), "a2");
    EXPECT_FALSE(dlg->gbItemProperties->isEnabled());

    ClickNode(*dlg, alpha);
    EXPECT_EQ(dlg->leCaption->text(), "Alpha");
    EXPECT_EQ(dlg->cbeImageIndex->currentText(), "1");
    // Items of a view in icon style take their images from the large ones,
    // sub-items from the small ones.
    EXPECT_EQ(dlg->cbeImageIndex->count(), 2);
    EXPECT_EQ(dlg->cbeCustomIndex->currentText(), "2");
    EXPECT_EQ(dlg->cbeCustomIndex->count(), 3);

    ClickNode(*dlg, alpha->child(0));
    EXPECT_EQ(dlg->cbeImageIndex->count(), 5);
    EXPECT_EQ(dlg->leCaption->text(), "a1");
    EXPECT_EQ(dlg->cbeImageIndex->currentText(), "3");
    EXPECT_EQ(dlg->cbeStateIndex->currentText(), "-1");
    EXPECT_FALSE(dlg->cbeStateIndex->isEnabled());

    Click(dlg->btnDelete);
    auto *data = dynamic_cast<TNodeListItem *>(dlg->NodeData(alpha));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->SubItems(), (std::vector<std::string>{"a2"}));
    EXPECT_EQ(data->SubItemImages(), (std::vector<int>{4}));
    EXPECT_EQ(dlg->SelectedNode(), alpha->child(0));
    EXPECT_EQ(dlg->cbeImageIndex->currentText(), "4");
    EXPECT_TRUE(dlg->ApplyBtn->isEnabled());

    Click(dlg->ApplyBtn);
    const TListItem *written = view.Items()->Item(0);
    EXPECT_EQ(written->SubItems(), (std::vector<std::string>{"a2"}));
    EXPECT_EQ(written->SubItemImage(0), 4);
    EXPECT_EQ(written->OverlayIndex(), 2);
    EXPECT_EQ(view.topLevelItem(0)->text(1), "a2");
    EXPECT_FALSE(dlg->ApplyBtn->isEnabled());
}

TEST_F(ItemsDialog, NewSubitemOnASubItemNodeGoesToTheSameListItem)
{
    auto dlg = OpenList();
    QTreeWidgetItem *alpha = dlg->TreeView1->topLevelItem(0);
    ClickNode(*dlg, alpha->child(1));
    Click(dlg->btnNewSubitem);
    ASSERT_EQ(alpha->childCount(), 3);
    EXPECT_EQ(dlg->SelectedNode(), alpha->child(2));
    auto *data = dynamic_cast<TNodeListItem *>(dlg->NodeData(alpha));
    EXPECT_EQ(data->SubItems(), (std::vector<std::string>{"a1", "a2", ""}));
    EXPECT_EQ(data->SubItemImages(), (std::vector<int>{3, 4, -1}));

    // Typing the caption names the node at once.
    QTest::keyClicks(dlg->leCaption, "a3");
    EXPECT_EQ(alpha->child(2)->text(0), "a3");
    EXPECT_EQ(data->SubItems().back(), "a3");

    Click(dlg->btnNewItem);
    ASSERT_EQ(dlg->TreeView1->topLevelItemCount(), 3);
    QTest::keyClicks(dlg->leCaption, "Gamma");
    EXPECT_EQ(dlg->TreeView1->topLevelItem(2)->text(0), "Gamma");
    Click(dlg->OKBtn);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    ASSERT_EQ(view.Items()->Count(), 3);
    EXPECT_EQ(view.Items()->Item(2)->Caption(), "Gamma");
    EXPECT_EQ(view.Items()->Item(0)->SubItems().size(), 3u);
}

TEST_F(ItemsDialog, AnIndexIsStoredWhenItsBoxIsLeftButNotForCancel)
{
    auto dlg = OpenList();
    QTreeWidgetItem *alpha = dlg->TreeView1->topLevelItem(0);
    TCustomNodeItem *data = dlg->NodeData(alpha);
    ClickNode(*dlg, alpha);

    Type(dlg->cbeImageIndex, "7");
    EXPECT_TRUE(dlg->Changed());
    Click(dlg->CancelBtn);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_EQ(data->ImageIndex(), 1);
    EXPECT_EQ(view.Items()->Item(0)->ImageIndex(), 1);

    dlg = OpenList();
    alpha = dlg->TreeView1->topLevelItem(0);
    data = dlg->NodeData(alpha);
    ClickNode(*dlg, alpha);
    Type(dlg->cbeStateIndex, "2");
    Click(dlg->leCaption);
    EXPECT_EQ(data->StateIndex(), 2);

    // Not a number: the box takes the focus back with its text selected.
    Type(dlg->cbeImageIndex, "x1");
    ClickNode(*dlg, dlg->TreeView1->topLevelItem(1));
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "'x1' is not a valid integer value");
    EXPECT_TRUE(dlg->cbeImageIndex->hasFocus());
    EXPECT_EQ(dlg->cbeImageIndex->lineEdit()->selectedText(), "x1");
    EXPECT_EQ(dlg->SelectedNode(), alpha);
    EXPECT_EQ(data->ImageIndex(), 1);

    // Cancel leaves without a further error.
    Click(dlg->CancelBtn);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

TEST_F(ItemsDialog, CancelAfterApplyKeepsWhatWasApplied)
{
    auto dlg = OpenList();
    ClickNode(*dlg, dlg->TreeView1->topLevelItem(1));
    QTest::keyClicks(dlg->leCaption, "2");
    Click(dlg->ApplyBtn);
    EXPECT_EQ(view.Items()->Item(1)->Caption(), "Beta2");
    EXPECT_EQ(view.topLevelItem(1)->text(0), "Beta2");
    QTest::keyClicks(dlg->leCaption, "3");
    Click(dlg->CancelBtn);
    EXPECT_EQ(view.Items()->Item(1)->Caption(), "Beta2");
}

TEST_F(ItemsDialog, AnInPlaceEditOfANodeGoesThroughTheCaption)
{
    auto dlg = OpenList();
    QTreeWidgetItem *beta = dlg->TreeView1->topLevelItem(1);
    ClickNode(*dlg, beta);
    QTest::keyClick(dlg->TreeView1, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(editor, dlg->leCaption);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, "Delta");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(beta->text(0), "Delta");
    EXPECT_EQ(dlg->leCaption->text(), "Delta");
    EXPECT_EQ(dlg->NodeData(beta)->Caption(), "Delta");
    EXPECT_TRUE(dlg->Changed());
    // Return ended the edit and did not press the default button.
    EXPECT_EQ(dlg->TreeView1->topLevelItemCount(), 2);
}

TEST_F(ItemsDialog, LoadingAFileKeepsTwoLevelsForListItemsAndRefusesBadFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("items.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("One\r\n\tChild\r\n\t\tGrandchild\r\n Second child\r\nTwo\r\n");
    file.close();

    auto dlg = OpenList();
    dlg->OpenDialog1 = [&] { return path; };
    Click(dlg->btnLoad);
    ASSERT_EQ(dlg->TreeView1->topLevelItemCount(), 2);
    QTreeWidgetItem *one = dlg->TreeView1->topLevelItem(0);
    ASSERT_EQ(one->childCount(), 2);
    EXPECT_EQ(one->child(0)->childCount(), 0);
    EXPECT_EQ(one->child(1)->text(0), "Second child");
    auto *data = dynamic_cast<TNodeListItem *>(dlg->NodeData(one));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->Caption(), "One");
    EXPECT_EQ(data->SubItems(), (std::vector<std::string>{"Child", "Second child"}));
    EXPECT_EQ(dlg->SelectedNode(), nullptr);
    EXPECT_TRUE(dlg->Changed());

    // A missing file and a line two levels deeper than the one before are
    // errors; the tree stays.
    dlg->OpenDialog1 = [&] { return dir.filePath("missing.txt"); };
    Click(dlg->btnLoad);
    const QString bad = dir.filePath("bad.txt");
    QFile badFile(bad);
    ASSERT_TRUE(badFile.open(QIODevice::WriteOnly));
    badFile.write("One\n\t\tToo deep\n");
    badFile.close();
    dlg->OpenDialog1 = [&] { return bad; };
    Click(dlg->btnLoad);
    EXPECT_EQ(errors.size(), 2);
    EXPECT_EQ(dlg->TreeView1->topLevelItemCount(), 2);

    // A cancelled file dialog changes nothing.
    dlg->OpenDialog1 = [] { return QString(); };
    Click(dlg->btnLoad);
    EXPECT_EQ(dlg->TreeView1->topLevelItemCount(), 2);
}

TEST_F(ItemsDialog, TreeNodesAreEditedOnACopyAndReplacedOnOk)
{
    TTreeView tree;
    tree.SetImages(&small);
    TTreeNode *a = tree.Items()->AddChild(nullptr, "A");
    a->SetImageIndex(1);
    tree.Items()->AddChild(a, "B");
    TfrmTTreeNodesDlg dlg;
    dlg.Open(&tree);
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    EXPECT_EQ(dlg.windowTitle(), "TreeView Items Editor");

    QTreeWidgetItem *b = dlg.TreeView1->topLevelItem(0)->child(0);
    ClickNode(dlg, b);
    Click(dlg.btnNewItem);
    ASSERT_EQ(dlg.TreeView1->topLevelItem(0)->childCount(), 2);
    QTest::keyClicks(dlg.leCaption, "C");
    Type(dlg.cbeCustomIndex, "3");
    Click(dlg.btnNewSubitem);
    QTest::keyClicks(dlg.leCaption, "D");
    EXPECT_EQ(tree.Items()->TotalCount(), 2);

    Click(dlg.OKBtn);
    ASSERT_EQ(tree.Items()->TotalCount(), 4);
    const TTreeNode *c = tree.Items()->Item(0)->Item(1);
    EXPECT_EQ(c->Text(), "C");
    EXPECT_EQ(c->SelectedIndex(), 3);
    EXPECT_EQ(c->ImageIndex(), -1);
    EXPECT_EQ(c->Item(0)->Text(), "D");
    EXPECT_EQ(tree.Items()->Item(0)->ImageIndex(), 1);
    EXPECT_EQ(tree.topLevelItem(0)->child(1)->child(0)->text(0), "D");
}

TEST_F(ItemsDialog, CaptionsTheCodePageCannotHoldAreRefusedAndNothingIsWritten)
{
    TTreeView tree;
    tree.Items()->AddChild(nullptr, "A");
    tree.Items()->AddChild(nullptr, "B");
    TfrmTTreeNodesDlg dlg;
    dlg.Open(&tree);
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    QTreeWidgetItem *a = dlg.TreeView1->topLevelItem(0);
    ClickNode(dlg, a);
    QTest::keyClick(dlg.leCaption, Qt::Key_End);
    TypeText(dlg.leCaption, QString::fromUtf8("\u4e2d"));

    // Leaving the node is refused, as for an index that is no number.
    ClickNode(dlg, dlg.TreeView1->topLevelItem(1));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(dlg.SelectedNode(), a);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("cannot be stored in the layout's code page"))
        << errors[0].toStdString();
    EXPECT_TRUE(dlg.leCaption->hasFocus());

    // And so is OK; the view keeps its nodes.
    Click(dlg.OKBtn);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(errors.size(), 2);
    EXPECT_EQ(tree.Items()->Item(0)->Text(), "A");

    // The box holds the refused caption selected; typing replaces it.
    EXPECT_EQ(dlg.leCaption->selectedText(), QString::fromUtf8("A\u4e2d"));
    TypeText(dlg.leCaption, QString::fromUtf8("\u0416"));
    Click(dlg.OKBtn);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(tree.Items()->Item(0)->Text(), CodePage::FromQString(QString::fromUtf8("\u0416")));
}

TEST(ItemsViewClasses, ViewsPublishTheirItemsForTheInspector)
{
    TListView list;
    list.Items()->Add()->SetCaption("x");
    EXPECT_EQ(TypInfo::PropertyKind(&list, "Items"), tkClass);
    EXPECT_EQ(TypInfo::GetObjectProp(&list, "Items"), list.Items());
    EXPECT_EQ(TypInfo::GetObjectPropClass(&list, "Items")->Name, "TListItems");
    TListView other;
    TypInfo::SetObjectProp(&other, "Items", list.Items());
    EXPECT_EQ(other.Items()->Item(0)->Caption(), "x");
    TTreeView tree;
    EXPECT_EQ(TypInfo::GetObjectPropClass(&tree, "Items")->Name, "TTreeNodes");
    TNodeListItem item;
    TypInfo::SetOrdProp(&item, "CustomIndex", 4);
    EXPECT_EQ(item.CustomIndex(), 4);
}

TEST(ItemsViewClasses, TheItemsRowsOfViewsOpenTheirDialogsForTheView)
{
    std::vector<TPersistent *> opened;
    const THookGuard dialogs(PresetDialogs());
    PresetDialogs().ListItemsDialog = [&](TPersistent *owner) { opened.push_back(owner); };
    PresetDialogs().TreeNodesDialog = [&](TPersistent *owner) { opened.push_back(owner); };
    TListView list;
    TTreeView tree;
    TRSObjectInspector window;
    for (TPersistent *view : std::initializer_list<TPersistent *>{&list, &tree}) {
        window.SetComponent(view);
        window.Rebuild();
        auto *row = static_cast<TRSItemProperty *>(window.Inspector()->Items()->FindPath("Items"));
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->EditStyle(), esEllipsis);
        ASSERT_TRUE(row->OnEditButtonClick);
        row->OnEditButtonClick(row);
    }
    EXPECT_EQ(opened, (std::vector<TPersistent *>{&list, &tree}));
}
