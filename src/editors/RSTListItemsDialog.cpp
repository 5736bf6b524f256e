#include "editors/RSTListItemsDialog.h"

#include "editors/NodeListItem.h"
#include "editors/itemviews/ListItem.h"
#include "editors/itemviews/ListItems.h"
#include "platform/CodePage.h"
#include "reflection/TypInfo.h"

#include <QComboBox>
#include <QLabel>
#include <QTreeWidget>

TfrmTListItemsDlg::TfrmTListItemsDlg(QWidget *parent) : TfrmCustomItemsDlg(parent)
{
    setWindowTitle(QStringLiteral("ListView Items Editor"));
    lblCustomIndex->setText(QStringLiteral("&Overlay Index"));
    SetItemClass(TypInfo::RequireRegisteredClass("TNodeListItem"));
}

void TfrmTListItemsDlg::Open(TListView *view)
{
    FView = view;
    FSmallImages = view->SmallImages();
    FLargeImages = view->LargeImages();
    FViewStyle = view->ViewStyle();
    FillIndexBox(cbeStateIndex, view->StateImages());
    FillIndexBox(cbeCustomIndex, view->StateImages());
    TListItems *items = view->Items();
    for (int i = 0; i < items->Count(); ++i) {
        const TListItem *item = items->Item(i);
        QTreeWidgetItem *node = AddNode(nullptr, CodePage::ToQString(item->Caption()));
        ListData(node)->AssignFrom(*item);
        for (const std::string &text : item->SubItems())
            AddNode(node, CodePage::ToQString(text));
    }
    ShowNode(nullptr);
}

void TfrmTListItemsDlg::FillImageBox(QTreeWidgetItem *node)
{
    const bool large = node && !node->parent() && FViewStyle == vsIcon;
    FillIndexBox(cbeImageIndex, large ? FLargeImages : FSmallImages);
}

void TfrmTListItemsDlg::WriteBack()
{
    if (!FView)
        return;
    TListItems *items = FView->Items();
    items->Clear();
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i)
        ListData(TreeView1->topLevelItem(i))->AssignTo(*items->Add());
    FView->UpdateItems(0, items->Count() - 1);
}
