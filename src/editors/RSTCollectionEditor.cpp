#include "editors/RSTCollectionEditor.h"

#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSInspectorObject.h"
#include "inspector/RSInspectorObjects.h"
#include "inspector/RSPropertyPresets.h"
#include "platform/CodePage.h"
#include "platform/ErrorDisplay.h"
#include "reflection/Collection.h"
#include "reflection/CollectionItem.h"
#include "reflection/Persistent.h"
#include "reflection/TypInfo.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <mutex>
#include <set>

namespace
{

// The drag format of the rows; its data names the list they come from, so
// that a list takes only drags of its own rows.
const QString kRowsMime = QStringLiteral("application/x-formdesigner-collection-rows");

// The editors that exist, so that editing a collection again finds its
// editor.
struct TOpenCollectionEditors {
    std::mutex Lock;
    std::vector<TfrmCollectionEditor *> List;
};

std::unique_ptr<TOpenCollectionEditors> &OpenCollectionEditors()
{
    static std::unique_ptr<TOpenCollectionEditors> editors;
    return editors;
}

// The object one step up the owner chain: a collection's owner, an item's
// collection.
TPersistent *OwnerOf(TPersistent *object)
{
    if (auto *collection = dynamic_cast<TCollection *>(object))
        return collection->Owner();
    if (auto *item = dynamic_cast<TCollectionItem *>(object))
        return item->Collection();
    return nullptr;
}

// The list of rows: reordering by dragging is the editor's own, so Qt's
// drag never moves or removes rows itself.
class TCollectionListView : public QTreeWidget
{
public:
    TCollectionListView(TfrmCollectionEditor *editor) : QTreeWidget(editor), FEditor(editor) {}

protected:
    QStringList mimeTypes() const override { return {kRowsMime}; }

    QMimeData *mimeData(const QList<QTreeWidgetItem *> &) const override
    {
        auto *data = new QMimeData;
        data->setData(kRowsMime, Identity());
        return data;
    }

    void startDrag(Qt::DropActions) override
    {
        if (selectedItems().isEmpty())
            return;
        auto *drag = new QDrag(this);
        drag->setMimeData(mimeData(selectedItems()));
        drag->exec(Qt::MoveAction);
    }

    void dragEnterEvent(QDragEnterEvent *event) override { Accept(event); }
    void dragMoveEvent(QDragMoveEvent *event) override { Accept(event); }

    void dropEvent(QDropEvent *event) override
    {
        if (!FromSelf(event))
            return event->ignore();
        event->setDropAction(Qt::MoveAction);
        event->accept();
        if (QTreeWidgetItem *target = itemAt(event->position().toPoint()))
            FEditor->DropSelectedOn(indexOfTopLevelItem(target));
    }

private:
    QByteArray Identity() const { return QByteArray::number(reinterpret_cast<quintptr>(this)); }

    bool FromSelf(QDropEvent *event) const
    {
        if (event->source() && event->source() != this)
            return false;
        return event->mimeData() && event->mimeData()->data(kRowsMime) == Identity();
    }

    void Accept(QDragMoveEvent *event)
    {
        if (FromSelf(event)) {
            event->setDropAction(Qt::MoveAction);
            event->accept();
        } else {
            event->ignore();
        }
    }

    TfrmCollectionEditor *FEditor;
};

// A tool bar picture drawn from one character, so that the narrow window
// shows every button.
QIcon GlyphIcon(QWidget *owner, const QString &glyph)
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    QFont font = owner->font();
    font.setPixelSize(14);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(owner->palette().color(QPalette::ButtonText));
    painter.drawText(picture.rect(), Qt::AlignCenter, glyph);
    return QIcon(picture);
}

QAction *MakeAction(QWidget *owner, const char *caption, const char *hint,
                    const QKeySequence &shortcut = {}, const QString &glyph = {})
{
    auto *action = new QAction(QString::fromLatin1(caption), owner);
    if (!glyph.isEmpty())
        action->setIcon(GlyphIcon(owner, glyph));
    action->setToolTip(QString::fromLatin1(hint));
    action->setStatusTip(QString::fromLatin1(hint));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    owner->addAction(action);
    return action;
}

} // namespace

TfrmCollectionEditor::TfrmCollectionEditor(QWidget *parent)
    : QWidget(parent, Qt::Window), FSavedObjects(std::make_unique<TRSInspectorObjects>())
{
    setWindowTitle(QStringLiteral("Editing"));
    resize(244, 376);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    AddItem1 = MakeAction(this, "Add Item", "Add Collection Item", QKeySequence(Qt::Key_Insert),
                          QStringLiteral("+"));
    DeleteSelected1 = MakeAction(this, "Delete Selected", "Delete Selected",
                                 QKeySequence(Qt::Key_Delete), QString(QChar(0x00D7)));
    MoveSelectedUp1 = MakeAction(this, "Move Selected Up", "Move Selected Up",
                                 QKeySequence(Qt::CTRL | Qt::Key_Up), QString(QChar(0x25B2)));
    MoveSelectedDown1 = MakeAction(this, "Move Selected Down", "Move Selected Down",
                                   QKeySequence(Qt::CTRL | Qt::Key_Down), QString(QChar(0x25BC)));
    SelectAll1 = MakeAction(this, "Select All", "Select All", QKeySequence(Qt::CTRL | Qt::Key_A));
    SelectNone1 = MakeAction(this, "Select None", "Deselect all items");
    Reset1 = MakeAction(this, "Reset", "Reset Presets to Defaults", {}, QString(QChar(0x21BA)));
    Reset1->setVisible(false);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->addAction(AddItem1);
    ToolBar1->addAction(DeleteSelected1);
    ToolBar1->addSeparator();
    ToolBar1->addAction(MoveSelectedUp1);
    ToolBar1->addAction(MoveSelectedDown1);
    ToolBar1->addSeparator();
    ToolBar1->addAction(Reset1);
    PopupMenu2 = new QMenu(this);

    ListView1 = new TCollectionListView(this);
    ListView1->setColumnCount(1);
    ListView1->setHeaderLabels({QStringLiteral("Items")});
    ListView1->header()->setStretchLastSection(true);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setDragEnabled(true);
    ListView1->setAcceptDrops(true);
    ListView1->viewport()->setAcceptDrops(true);
    ListView1->setDragDropMode(QAbstractItemView::DragDrop);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);

    // The list menu's "Add New" shows the same key as "Add Item", which
    // answers it; the menu item itself takes the key only while the menu is
    // open.
    PopupMenu1 = new QMenu(this);
    AddNew1 = new QAction(QStringLiteral("Add New"), PopupMenu1);
    AddNew1->setShortcut(QKeySequence(Qt::Key_Insert));
    AddNew1->setShortcutContext(Qt::WidgetShortcut);
    PopupMenu1->addAction(AddNew1);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(MoveSelectedUp1);
    PopupMenu1->addAction(MoveSelectedDown1);
    PopupMenu1->addAction(DeleteSelected1);
    PopupMenu1->addAction(SelectAll1);
    PopupMenu1->addAction(SelectNone1);
    PopupMenu1->addSeparator();
    Toolbar1 = PopupMenu1->addAction(QStringLiteral("Toolbar"));
    Toolbar1->setCheckable(true);
    Toolbar1->setChecked(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(ListView1, 1);
    layout->addWidget(StatusBar1);

    connect(AddItem1, &QAction::triggered, this,
            [this] { Command([this] { AddCollectionItem(); }); });
    connect(AddNew1, &QAction::triggered, this,
            [this] { Command([this] { AddCollectionItem(); }); });
    connect(DeleteSelected1, &QAction::triggered, this,
            [this] { Command([this] { DeleteSelected(); }); });
    connect(MoveSelectedUp1, &QAction::triggered, this,
            [this] { Command([this] { MoveSelectedUp(); }); });
    connect(MoveSelectedDown1, &QAction::triggered, this,
            [this] { Command([this] { MoveSelectedDown(); }); });
    connect(Reset1, &QAction::triggered, this, [this] { Command([this] { Reset(); }); });
    connect(SelectAll1, &QAction::triggered, this, [this] { SelectAll(); });
    connect(SelectNone1, &QAction::triggered, this, [this] { SelectNone(); });
    connect(Toolbar1, &QAction::toggled, ToolBar1, &QWidget::setVisible);
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!FRefreshing)
            ListView1SelectItem();
    });
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        PopupMenu1->popup(ListView1->viewport()->mapToGlobal(pos));
    });

    if (auto &editors = OpenCollectionEditors()) {
        std::lock_guard<std::mutex> guard(editors->Lock);
        editors->List.push_back(this);
    }
    UpdateActions();
}

TfrmCollectionEditor::~TfrmCollectionEditor()
{
    FDestroying = true;
    // The list goes with the window's children; its last signals find no
    // editor.
    ListView1->disconnect(this);
    if (auto &editors = OpenCollectionEditors()) {
        std::lock_guard<std::mutex> guard(editors->Lock);
        auto &list = editors->List;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    SetLinkedInspector(nullptr);
    SetEditedCollection(nullptr);
}

template <class F> void TfrmCollectionEditor::Command(F &&action)
{
    try {
        action();
    } catch (const std::exception &error) {
        RefreshList();
        ErrorDisplay::Show(ErrorDisplay::MessageOf(error));
    }
}

void TfrmCollectionEditor::Watch(TPersistent *object, int &id,
                                 void (TfrmCollectionEditor::*freed)(TPersistent *))
{
    if (!object)
        return;
    id = object->AddFreeObserver([this, freed, &id](TPersistent *gone) {
        id = 0;
        (this->*freed)(gone);
    });
}

void TfrmCollectionEditor::Unwatch(TPersistent *object, int &id)
{
    if (object && id)
        object->RemoveFreeObserver(id);
    id = 0;
}

void TfrmCollectionEditor::WatchSavedObjects()
{
    std::set<TPersistent *> watched;
    for (int i = 0; i < FSavedObjects->Count(); ++i) {
        const TRSInspectorObject *entry = FSavedObjects->Item(i);
        for (TPersistent *object : {entry->Instance(), entry->LinkedComponent()}) {
            if (!object || !watched.insert(object).second)
                continue;
            const int id = object->AddFreeObserver([this](TPersistent *gone) {
                auto &w = FSavedWatches;
                w.erase(std::remove_if(w.begin(), w.end(),
                                       [gone](const auto &e) { return e.first == gone; }),
                        w.end());
                SavedObjectFreed(gone);
            });
            FSavedWatches.emplace_back(object, id);
        }
    }
}

void TfrmCollectionEditor::UnwatchSavedObjects()
{
    for (auto &[object, id] : FSavedWatches)
        object->RemoveFreeObserver(id);
    FSavedWatches.clear();
}

void TfrmCollectionEditor::SetLinkedInspector(TRSCustomObjectInspector *inspector)
{
    if (inspector == FLinkedInspector)
        return;
    disconnect(FInspectorWatch);
    FInspectorWatch = {};
    FLinkedInspector = inspector;
    FRefreshing = true;
    ListView1->clear();
    FRefreshing = false;
    UnwatchSavedObjects();
    FSavedObjects->Clear();
    // The inspector lives as long as the window that shows it.
    if (inspector)
        if (auto *view = dynamic_cast<QObject *>(inspector->Host()))
            FInspectorWatch =
                connect(view, &QObject::destroyed, this, [this] { InspectorDestroyed(); });
    if (!inspector)
        SetEditedCollection(nullptr);
    UpdateActions();
}

void TfrmCollectionEditor::SetEditedCollection(TCollection *collection)
{
    Unwatch(FOwnerComponent, FOwnerWatch);
    Unwatch(FEditedCollection, FCollectionWatch);
    FEditedCollection = collection;
    TPersistent *owner = collection;
    while (owner && !owner->IsComponent())
        owner = OwnerOf(owner);
    FOwnerComponent = owner;
    // The collection itself is watched too: it may go before its owner.
    Watch(FEditedCollection, FCollectionWatch, &TfrmCollectionEditor::CollectionFreed);
    Watch(FOwnerComponent, FOwnerWatch, &TfrmCollectionEditor::OwnerFreed);
    if (!FDestroying)
        FillPresetMenu();
    UnwatchSavedObjects();
    FSavedObjects->Clear();
    // Without a collection nothing is saved: the inspector may still show
    // items of a collection that is already gone, and the refresh below
    // takes them out of it.
    if (FLinkedInspector && collection && !FDestroying) {
        FSavedObjects->CopyFrom(FLinkedInspector->Objects());
        WatchSavedObjects();
    }
    RefreshList();
}

void TfrmCollectionEditor::InspectorDestroyed()
{
    FInspectorWatch = {};
    // The inspector is gone with its window: nothing may reach it any more.
    FLinkedInspector = nullptr;
    FRefreshing = true;
    ListView1->clear();
    FRefreshing = false;
    UnwatchSavedObjects();
    FSavedObjects->Clear();
    SetEditedCollection(nullptr);
    UpdateActions();
}

void TfrmCollectionEditor::CollectionFreed(TPersistent *)
{
    FEditedCollection = nullptr;
    SetEditedCollection(nullptr);
}

void TfrmCollectionEditor::OwnerFreed(TPersistent *)
{
    FOwnerComponent = nullptr;
    SetEditedCollection(nullptr);
}

void TfrmCollectionEditor::SavedObjectFreed(TPersistent *object)
{
    while (FSavedObjects->RemoveObject(object) >= 0) {
    }
    SetEditedCollection(nullptr);
}

TCollectionItem *TfrmCollectionEditor::RowItem(int row) const
{
    QTreeWidgetItem *item = ListView1->topLevelItem(row);
    return item ? reinterpret_cast<TCollectionItem *>(item->data(0, Qt::UserRole).value<quintptr>())
                : nullptr;
}

std::vector<int> TfrmCollectionEditor::SelectedRows() const
{
    std::vector<int> rows;
    for (int k = 0; k < ListView1->topLevelItemCount(); ++k)
        if (ListView1->topLevelItem(k)->isSelected())
            rows.push_back(k);
    return rows;
}

void TfrmCollectionEditor::RefreshList()
{
    std::vector<TCollectionItem *> before;
    for (int row : SelectedRows())
        before.push_back(RowItem(row));
    FRefreshing = true;
    ListView1->clear();
    std::vector<TCollectionItem *> after;
    const bool presets = EditedPresets() != nullptr;
    if (FEditedCollection) {
        for (int k = 0; k < FEditedCollection->Count(); ++k) {
            TCollectionItem *item = FEditedCollection->Items(k);
            auto *row = new QTreeWidgetItem(ListView1);
            QString caption = QString::number(k) + QStringLiteral(" - ") +
                              CodePage::ToQString(item->DisplayName());
            if (presets) {
                const TClassInfo *cls = TypInfo::ClassInfoOf(item);
                caption += QStringLiteral(" (") +
                           CodePage::ToQString(cls ? cls->Name : std::string()) + QLatin1Char(')');
            }
            row->setText(0, caption);
            row->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(item)));
            if (std::find(before.begin(), before.end(), item) != before.end()) {
                row->setSelected(true);
                after.push_back(item);
            }
        }
    }
    FRefreshing = false;
    // Rows that went or lost their selection are no longer inspected.
    if (after != before)
        ListView1SelectItem();
    UpdateActions();
}

void TfrmCollectionEditor::ListView1SelectItem()
{
    SyncInspector();
    UpdateActions();
}

void TfrmCollectionEditor::SyncInspector()
{
    if (!FLinkedInspector || FDestroying)
        return;
    TRSInspectorObjects &objects = FLinkedInspector->Objects();
    objects.BeginUpdate();
    objects.Clear();
    for (int row : SelectedRows())
        objects.AddLinkedObject(FOwnerComponent, RowItem(row));
    objects.EndUpdate();
}

int TfrmCollectionEditor::AddCollectionItem(const TClassInfo *itemClass)
{
    if (!FEditedCollection)
        return -1;
    if (FLinkedInspector) {
        std::vector<TCollectionItem *> selected;
        for (int row : SelectedRows())
            selected.push_back(RowItem(row));
        TRSInspectorObjects &objects = FLinkedInspector->Objects();
        objects.BeginUpdate();
        for (int i = objects.Count() - 1; i >= 0; --i) {
            auto *item = dynamic_cast<TCollectionItem *>(objects.Item(i)->Instance());
            if (!item || std::find(selected.begin(), selected.end(), item) == selected.end())
                objects.Delete(i);
        }
        objects.EndUpdate();
    }
    TCollectionItem *item =
        itemClass ? FEditedCollection->AddItemOfClass(itemClass) : FEditedCollection->Add();
    ListView1->clearSelection();
    RefreshList();
    const int row = FEditedCollection->IndexOf(item);
    if (QTreeWidgetItem *added = ListView1->topLevelItem(row)) {
        ListView1->setCurrentItem(added, 0, QItemSelectionModel::NoUpdate);
        added->setSelected(true);
    }
    return row;
}

void TfrmCollectionEditor::DeleteSelected()
{
    if (!FEditedCollection)
        return;
    const std::vector<int> rows = SelectedRows();
    try {
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
            TCollectionItem *item = RowItem(*it);
            if (FLinkedInspector)
                FLinkedInspector->Objects().RemoveObject(item);
            FSavedObjects->RemoveObject(item);
            FEditedCollection->Delete(FEditedCollection->IndexOf(item));
        }
    } catch (...) {
        RefreshList();
        throw;
    }
    RefreshList();
}

void TfrmCollectionEditor::MoveSelectedUp()
{
    const int count = ListView1->topLevelItemCount();
    if (!FEditedCollection || count < 2)
        return;
    const std::vector<int> rows = SelectedRows();
    try {
        for (int k = 1; k < count; ++k)
            if (std::find(rows.begin(), rows.end(), k) != rows.end())
                FEditedCollection->Items(k)->SetIndex(k - 1);
    } catch (...) {
        RefreshList();
        throw;
    }
    RefreshList();
}

void TfrmCollectionEditor::MoveSelectedDown()
{
    const int count = ListView1->topLevelItemCount();
    if (!FEditedCollection || count < 2)
        return;
    const std::vector<int> rows = SelectedRows();
    try {
        for (int k = count - 2; k >= 0; --k)
            if (std::find(rows.begin(), rows.end(), k) != rows.end())
                FEditedCollection->Items(k)->SetIndex(k + 1);
    } catch (...) {
        RefreshList();
        throw;
    }
    RefreshList();
}

void TfrmCollectionEditor::DropSelectedOn(int targetRow)
{
    if (!FEditedCollection || targetRow < 0)
        return;
    std::vector<TCollectionItem *> dropped;
    for (int row : SelectedRows())
        dropped.push_back(RowItem(row));
    FEditedCollection->BeginUpdate();
    int target = targetRow;
    for (TCollectionItem *item : dropped) {
        const int old = item->Index();
        item->SetIndex(target);
        if (target < old && target < FEditedCollection->Count() - 1)
            ++target;
    }
    FEditedCollection->EndUpdate();
    RefreshList();
}

void TfrmCollectionEditor::SelectAll()
{
    ListView1->selectAll();
}

void TfrmCollectionEditor::SelectNone()
{
    ListView1->clearSelection();
}

TRSPropertyPresets *TfrmCollectionEditor::EditedPresets() const
{
    return dynamic_cast<TRSPropertyPresets *>(FEditedCollection);
}

void TfrmCollectionEditor::FillPresetMenu()
{
    auto *button = qobject_cast<QToolButton *>(ToolBar1->widgetForAction(AddItem1));
    PopupMenu2->clear();
    TRSPropertyPresets *presets = EditedPresets();
    Reset1->setVisible(presets && presets->Inspector());
    if (!presets) {
        if (button)
            button->setMenu(nullptr);
        return;
    }
    PopupMenu2->addAction(AddItem1);
    for (const TClassInfo *cls : RegisteredPropertyPresets()) {
        QAction *entry =
            PopupMenu2->addAction(QStringLiteral("Add ") + CodePage::ToQString(cls->Name));
        connect(entry, &QAction::triggered, this,
                [this, cls] { Command([this, cls] { AddCollectionItem(cls); }); });
    }
    if (button) {
        button->setMenu(PopupMenu2);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
}

void TfrmCollectionEditor::Reset()
{
    if (TRSPropertyPresets *presets = EditedPresets())
        if (TRSCustomObjectInspector *inspector = presets->Inspector())
            inspector->AddRegisteredPresets();
    RefreshList();
}

void TfrmCollectionEditor::UpdateActions()
{
    const bool hasCollection = FEditedCollection != nullptr;
    const bool hasSelection = !SelectedRows().empty();
    AddItem1->setEnabled(hasCollection);
    AddNew1->setEnabled(hasCollection);
    DeleteSelected1->setEnabled(hasCollection && hasSelection);
    MoveSelectedUp1->setEnabled(hasCollection && hasSelection);
    MoveSelectedDown1->setEnabled(hasCollection && hasSelection);
    SelectAll1->setEnabled(ListView1->topLevelItemCount() > 0);
    SelectNone1->setEnabled(hasSelection);
}

void TfrmCollectionEditor::closeEvent(QCloseEvent *event)
{
    SetLinkedInspector(nullptr);
    SetEditedCollection(nullptr);
    event->accept();
}

TfrmCollectionEditor *ShowCollectionEditor(TRSCustomObjectInspector *inspector,
                                           TCollection *collection,
                                           const std::string &captionSuffix, bool reuse)
{
    if (reuse) {
        auto &editors = OpenCollectionEditors();
        if (!editors)
            editors = std::make_unique<TOpenCollectionEditors>();
        TfrmCollectionEditor *found = nullptr;
        {
            std::lock_guard<std::mutex> guard(editors->Lock);
            for (TfrmCollectionEditor *editor : editors->List)
                if (editor->LinkedInspector() == inspector &&
                    editor->EditedCollection() == collection) {
                    found = editor;
                    break;
                }
        }
        if (found) {
            found->show();
            found->raise();
            found->activateWindow();
            return found;
        }
    }
    // Owned by the application: it goes when the event loop ends.
    auto *editor = new TfrmCollectionEditor;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, editor, &QObject::deleteLater);
    editor->SetLinkedInspector(inspector);
    editor->SetEditedCollection(collection);
    editor->setWindowTitle(editor->windowTitle() + QLatin1Char(' ') +
                           CodePage::ToQString(captionSuffix));
    editor->show();
    return editor;
}
