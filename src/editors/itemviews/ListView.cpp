#include "editors/itemviews/ListView.h"

#include "editors/itemviews/ImageList.h"
#include "editors/itemviews/ListItem.h"
#include "editors/itemviews/ListItems.h"
#include "platform/CodePage.h"

#include <algorithm>

TListView::TListView(QWidget *parent)
    : QTreeWidget(parent), FItems(std::make_unique<TListItems>(this))
{
    setRootIsDecorated(false);
    setColumnCount(1);
}

TListView::~TListView() = default;

std::string TListView::ComponentName() const
{
    return CodePage::FromQString(objectName());
}

void TListView::UpdateItems(int first, int last)
{
    const int count = FItems->Count();
    while (topLevelItemCount() > count)
        delete takeTopLevelItem(topLevelItemCount() - 1);
    while (topLevelItemCount() < count)
        addTopLevelItem(new QTreeWidgetItem);
    int columns = 1;
    for (int i = 0; i < count; ++i)
        columns = std::max(columns, 1 + static_cast<int>(FItems->Item(i)->SubItems().size()));
    setColumnCount(columns);
    auto icon = [this](int index) {
        return FSmallImages ? QIcon(FSmallImages->Image(index)) : QIcon();
    };
    for (int i = std::max(first, 0); i <= std::min(last, count - 1); ++i) {
        const TListItem *item = FItems->Item(i);
        QTreeWidgetItem *row = topLevelItem(i);
        row->setText(0, CodePage::ToQString(item->Caption()));
        row->setIcon(0, icon(item->ImageIndex()));
        const auto &subItems = item->SubItems();
        for (int column = 1; column < columns; ++column) {
            const int k = column - 1;
            const bool has = k < static_cast<int>(subItems.size());
            row->setText(column, has ? CodePage::ToQString(subItems[k]) : QString());
            row->setIcon(column, has ? icon(item->SubItemImage(k)) : QIcon());
        }
    }
}
