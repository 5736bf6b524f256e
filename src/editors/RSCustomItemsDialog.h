#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <memory>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TCustomNodeItem;
class TImageList;
class TNodeListItem;
struct TClassInfo;

// The dialog that edits a hierarchical item list through a tree of nodes:
// the items of a list view (top-level nodes with their sub-items as
// children) or the nodes of a tree view. With an item class, every
// top-level node carries a data object of that class and edits go to it;
// without one, edits go to the node itself. The result is written back to
// the target on "Apply" and on "OK".
class TfrmCustomItemsDlg : public QDialog
{
public:
    explicit TfrmCustomItemsDlg(QWidget *parent = nullptr);
    ~TfrmCustomItemsDlg() override;

    const TClassInfo *ItemClass() const { return FItemClass; }
    bool Changed() const { return FChanged; }
    void SetChanged(bool value);
    // The data object of a top-level node, or none.
    TCustomNodeItem *NodeData(QTreeWidgetItem *node) const;
    QTreeWidgetItem *SelectedNode() const;

    // Shows the node in "Item Properties" (none: nothing to show).
    void ShowNode(QTreeWidgetItem *node);
    // Stores the caption and the three index boxes into the shown node;
    // false when the caption holds characters the code page cannot store
    // or an index box holds no integer.
    bool CommitEdits();
    void NewItem();
    void NewSubitem();
    void DeleteItem();
    // Loads the nodes from a file of lines indented by tabs or blanks, one
    // level per character.
    void LoadFromFile(const QString &fileName);
    // Commits the edits and writes the nodes back to the target; false,
    // with the offending node shown, when a node's text cannot be stored.
    bool ApplyItems();

    void accept() override;

    // Asks for the file to load; empty: cancelled. Replaceable for tests.
    std::function<QString()> OpenDialog1;

    QGroupBox *gbItems = nullptr;
    QTreeWidget *TreeView1 = nullptr;
    QGroupBox *gbItemProperties = nullptr;
    QLineEdit *leCaption = nullptr;
    QComboBox *cbeImageIndex = nullptr;
    QComboBox *cbeStateIndex = nullptr;
    QComboBox *cbeCustomIndex = nullptr;
    QLabel *lblCustomIndex = nullptr;
    QPushButton *btnNewItem = nullptr;
    QPushButton *btnNewSubitem = nullptr;
    QPushButton *btnDelete = nullptr;
    QPushButton *btnLoad = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *ApplyBtn = nullptr;
    QAction *actNewItem = nullptr;
    QAction *actNewSubitem = nullptr;
    QAction *actDeleteItem = nullptr;
    QAction *actLoad = nullptr;
    QAction *actApply = nullptr;
    QAction *actShowImages = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Fills the image box for the node about to be shown.
    virtual void FillImageBox(QTreeWidgetItem *node) = 0;
    // Writes the nodes back to the target.
    virtual void WriteBack() = 0;

    void SetItemClass(const TClassInfo *itemClass) { FItemClass = itemClass; }
    static void FillIndexBox(QComboBox *box, const TImageList *images);
    // A new node below parent (none: the top level) with the indexes at -1
    // and, with an item class at the top level, a new data object.
    QTreeWidgetItem *AddNode(QTreeWidgetItem *parent, const QString &text);
    TNodeListItem *ListData(QTreeWidgetItem *node) const;
    // The node's own indexes (tree nodes).
    static int NodeIndex(const QTreeWidgetItem *node, int role);
    static constexpr int ImageRole = 0x0101;
    static constexpr int StateRole = 0x0102;
    static constexpr int SelectedRole = 0x0103;

private:
    void UpdateActions();
    void StoreCaption();
    void StoreCaptionOf(QTreeWidgetItem *node, const QString &text);
    bool StoreIndex(QComboBox *box);
    bool CaptionStorable();
    void ReportEditError(QWidget *box, const QString &message);
    void TreeView1Change(QTreeWidgetItem *current);
    void DropData(QTreeWidgetItem *node);
    template <class F> void Guard(F &&action);

    const TClassInfo *FItemClass = nullptr;
    bool FChanged = false;
    std::map<QTreeWidgetItem *, std::unique_ptr<TCustomNodeItem>> FData;
    QTreeWidgetItem *FShownNode = nullptr;
    // While the dialog itself changes boxes and nodes, their change
    // signals are not the user's edits.
    bool FShowing = false;
    bool FEditErrorPending = false;
};
