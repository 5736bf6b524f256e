#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TCollection;
class TCollectionItem;
class TPersistent;
class TRSCustomObjectInspector;
class TRSInspectorObjects;
class TRSPropertyPresets;
struct TClassInfo;

// A window beside an object inspector that lists the items of a collection
// and lets the user add, delete, reorder and select them. The selected items
// are handed to the linked inspector, which shows their properties. The
// editor lets go of everything when its inspector, the collection, the
// collection's owner component or one of the objects that were inspected
// when it opened is destroyed.
class TfrmCollectionEditor : public QWidget
{
public:
    explicit TfrmCollectionEditor(QWidget *parent = nullptr);
    ~TfrmCollectionEditor() override;

    TCollection *EditedCollection() const { return FEditedCollection; }
    void SetEditedCollection(TCollection *collection);
    TRSCustomObjectInspector *LinkedInspector() const { return FLinkedInspector; }
    void SetLinkedInspector(TRSCustomObjectInspector *inspector);
    // The first component up the owner chain of the collection, or none.
    TPersistent *OwnerComponent() const { return FOwnerComponent; }
    // The inspector's objects as they were when the collection was set.
    TRSInspectorObjects &SavedObjects() { return *FSavedObjects; }

    // Rebuilds the rows from the collection; selected items stay selected.
    void RefreshList();
    // Hands the items of the selected rows to the linked inspector.
    void SyncInspector();
    // Appends an item of the class (none: the collection's own) and selects
    // its row, whose index is returned.
    int AddCollectionItem(const TClassInfo *itemClass = nullptr);
    void DeleteSelected();
    void MoveSelectedUp();
    void MoveSelectedDown();
    // Places the selected rows' items, in list order, at the target row.
    void DropSelectedOn(int targetRow);
    void SelectAll();
    void SelectNone();
    // Adds one preset of each registered preset class the inspector's
    // presets lack.
    void Reset();

    // The collection item a row refers to.
    TCollectionItem *RowItem(int row) const;
    std::vector<int> SelectedRows() const;

    QTreeWidget *ListView1 = nullptr;
    QToolBar *ToolBar1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *AddItem1 = nullptr;
    QAction *DeleteSelected1 = nullptr;
    QAction *MoveSelectedUp1 = nullptr;
    QAction *MoveSelectedDown1 = nullptr;
    QAction *SelectAll1 = nullptr;
    QAction *SelectNone1 = nullptr;
    QAction *AddNew1 = nullptr;
    QAction *Toolbar1 = nullptr;
    QAction *Reset1 = nullptr;
    // The drop-down menu of "Add Item" for preset collections.
    QMenu *PopupMenu2 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void UpdateActions();
    // The presets being edited, when the collection is an inspector's.
    TRSPropertyPresets *EditedPresets() const;
    void FillPresetMenu();
    void ListView1SelectItem();
    // Runs a command; its errors go to the error display and the list is
    // rebuilt from the collection in every case.
    template <class F> void Command(F &&action);
    void Watch(TPersistent *object, int &id, void (TfrmCollectionEditor::*freed)(TPersistent *));
    void Unwatch(TPersistent *object, int &id);
    void WatchSavedObjects();
    void UnwatchSavedObjects();
    void InspectorDestroyed();
    void CollectionFreed(TPersistent *);
    void OwnerFreed(TPersistent *);
    void SavedObjectFreed(TPersistent *object);

    TCollection *FEditedCollection = nullptr;
    TRSCustomObjectInspector *FLinkedInspector = nullptr;
    TPersistent *FOwnerComponent = nullptr;
    std::unique_ptr<TRSInspectorObjects> FSavedObjects;
    int FCollectionWatch = 0;
    int FOwnerWatch = 0;
    std::vector<std::pair<TPersistent *, int>> FSavedWatches;
    QMetaObject::Connection FInspectorWatch;
    bool FDestroying = false;
    bool FRefreshing = false;
};

// Shows the editor of the collection beside the inspector. With reuse, an
// open editor of the same inspector and collection comes to the front;
// otherwise a new one opens with the suffix added to its caption.
TfrmCollectionEditor *ShowCollectionEditor(TRSCustomObjectInspector *inspector,
                                           TCollection *collection,
                                           const std::string &captionSuffix, bool reuse);
