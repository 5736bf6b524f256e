#include "editors/RSCustomItemsDialog.h"

#include "editors/CustomNodeItem.h"
#include "editors/NodeListItem.h"
#include "editors/itemviews/ImageList.h"
#include "platform/CodePage.h"
#include "platform/ErrorDisplay.h"
#include "platform/Exception.h"
#include "platform/FileDialog.h"
#include "platform/UnstorableText.h"
#include "reflection/TypInfo.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

namespace
{

// A button that runs an action and follows its enabled state.
QPushButton *ActionButton(QAction *action, QWidget *parent)
{
    auto *button = new QPushButton(action->text(), parent);
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button,
                     [button, action] { button->setEnabled(action->isEnabled()); });
    return button;
}

QComboBox *IndexBox(QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

// Shows n in the box, selecting the entry of that text when there is one.
void ShowNumber(QComboBox *box, int n)
{
    const QString text = QString::number(n);
    const int index = box->findText(text);
    box->setCurrentIndex(index);
    if (index < 0)
        box->setEditText(text);
}

void ClearBox(QComboBox *box)
{
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}

// One line of a tree file: its depth and text.
struct TTreeLine {
    int Level;
    QString Text;
};

// The first node below parent, depth first, whose text the code page
// cannot store.
QTreeWidgetItem *UnstorableNode(QTreeWidgetItem *parent)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        QTreeWidgetItem *node = parent->child(i);
        if (!CodePage::CanStore(node->text(0)))
            return node;
        if (QTreeWidgetItem *below = UnstorableNode(node))
            return below;
    }
    return nullptr;
}

std::vector<TTreeLine> ReadTreeFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception("Cannot open file \"" + CodePage::FromQString(fileName) + "\". " +
                        CodePage::FromQString(file.errorString()));
    const QString content = CodePage::ToQString(file.readAll().toStdString());
    std::vector<TTreeLine> lines;
    int number = 0;
    for (QString line : content.split(QLatin1Char('\n'))) {
        ++number;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        int level = 0;
        while (level < line.size() &&
               (line[level] == QLatin1Char('\t') || line[level] == QLatin1Char(' ')))
            ++level;
        // A node is at most one level below the node before it.
        const int deepest = lines.empty() ? 0 : lines.back().Level + 1;
        if (level > deepest)
            throw Exception("Invalid tree level in line " + std::to_string(number));
        lines.push_back({level, line.mid(level)});
    }
    return lines;
}

} // namespace

TfrmCustomItemsDlg::TfrmCustomItemsDlg(QWidget *parent) : QDialog(parent)
{
    resize(502, 319);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    actNewItem = new QAction(QStringLiteral("&New Item"), this);
    actNewSubitem = new QAction(QStringLiteral("N&ew Subitem"), this);
    actDeleteItem = new QAction(QStringLiteral("&Delete"), this);
    actLoad = new QAction(QStringLiteral("&Load..."), this);
    actApply = new QAction(QStringLiteral("&Apply"), this);
    actShowImages = new QAction(QStringLiteral("Sho&w Images"), this);
    actShowImages->setCheckable(true);
    actShowImages->setChecked(true);
    actShowImages->setVisible(false);

    gbItems = new QGroupBox(QStringLiteral("Items"), this);
    TreeView1 = new QTreeWidget(gbItems);
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setIndentation(19);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setEditTriggers(QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::SelectedClicked);
    btnNewItem = ActionButton(actNewItem, gbItems);
    btnNewItem->setDefault(true);
    btnNewSubitem = ActionButton(actNewSubitem, gbItems);
    btnDelete = ActionButton(actDeleteItem, gbItems);
    btnLoad = ActionButton(actLoad, gbItems);
    auto *itemButtons = new QVBoxLayout;
    for (QPushButton *button : {btnNewItem, btnNewSubitem, btnDelete, btnLoad})
        itemButtons->addWidget(button);
    itemButtons->addStretch();
    auto *itemsLayout = new QHBoxLayout(gbItems);
    itemsLayout->addWidget(TreeView1, 1);
    itemsLayout->addLayout(itemButtons);

    gbItemProperties = new QGroupBox(QStringLiteral("Item Properties"), this);
    leCaption = new QLineEdit(gbItemProperties);
    cbeImageIndex = IndexBox(gbItemProperties);
    cbeStateIndex = IndexBox(gbItemProperties);
    cbeCustomIndex = IndexBox(gbItemProperties);
    lblCustomIndex = new QLabel(QStringLiteral("&Overlay Index"), gbItemProperties);
    lblCustomIndex->setBuddy(cbeCustomIndex);
    auto *form = new QFormLayout(gbItemProperties);
    form->addRow(QStringLiteral("&Caption"), leCaption);
    form->addRow(QStringLiteral("&Image Index"), cbeImageIndex);
    form->addRow(QStringLiteral("&State Index"), cbeStateIndex);
    form->addRow(lblCustomIndex, cbeCustomIndex);

    OKBtn = new QPushButton(QStringLiteral("&OK"), this);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    ApplyBtn = ActionButton(actApply, this);
    OKBtn->setAutoDefault(false);
    CancelBtn->setAutoDefault(false);
    ApplyBtn->setAutoDefault(false);

    auto *top = new QHBoxLayout;
    top->addWidget(gbItems, 1);
    top->addWidget(gbItemProperties, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    for (QPushButton *button : {OKBtn, CancelBtn, ApplyBtn})
        bottom->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);

    OpenDialog1 = [this] {
        TFileDialog dialog(this, QStringLiteral("Open"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(QStringLiteral("All Files(*)"));
        return dialog.Run();
    };

    connect(actNewItem, &QAction::triggered, this, [this] { Guard([this] { NewItem(); }); });
    connect(actNewSubitem, &QAction::triggered, this, [this] { Guard([this] { NewSubitem(); }); });
    connect(actDeleteItem, &QAction::triggered, this, [this] { Guard([this] { DeleteItem(); }); });
    connect(actLoad, &QAction::triggered, this, [this] {
        Guard([this] {
            const QString fileName = OpenDialog1();
            if (!fileName.isEmpty())
                LoadFromFile(fileName);
        });
    });
    connect(actApply, &QAction::triggered, this, [this] { Guard([this] { ApplyItems(); }); });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(actShowImages, &QAction::toggled, this, [this](bool shown) {
        for (QComboBox *box : {cbeImageIndex, cbeStateIndex, cbeCustomIndex}) {
            box->setIconSize(shown ? QSize(16, 16) : QSize(0, 0));
            if (shown)
                box->setMaximumHeight(QWIDGETSIZE_MAX);
            else
                box->setFixedHeight(25);
        }
    });

    // The selected node is the one shown; the current item alone (which
    // the view sets when it takes the focus) is not a selection.
    connect(TreeView1, &QTreeWidget::itemSelectionChanged, this,
            [this] { TreeView1Change(SelectedNode()); });
    // An in-place edit of a node's text goes through the caption box.
    connect(TreeView1, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *node, int) {
        if (FShowing)
            return;
        if (node == FShownNode)
            leCaption->setText(node->text(0));
        else
            StoreCaptionOf(node, node->text(0));
    });
    connect(leCaption, &QLineEdit::textChanged, this, [this] {
        if (FShowing)
            return;
        SetChanged(true);
        StoreCaption();
    });
    for (QComboBox *box : {cbeImageIndex, cbeStateIndex, cbeCustomIndex}) {
        connect(box, &QComboBox::editTextChanged, this, [this] {
            if (!FShowing)
                SetChanged(true);
        });
        box->installEventFilter(this);
    }
    leCaption->installEventFilter(this);

    ShowNode(nullptr);
    SetChanged(false);
}

TfrmCustomItemsDlg::~TfrmCustomItemsDlg()
{
    // The boxes and the tree go with the window's children; their last
    // signals find no dialog.
    for (QObject *sender : std::initializer_list<QObject *>{TreeView1, leCaption, cbeImageIndex,
                                                            cbeStateIndex, cbeCustomIndex})
        sender->disconnect(this);
}

template <class F> void TfrmCustomItemsDlg::Guard(F &&action)
{
    try {
        action();
    } catch (const std::exception &error) {
        ErrorDisplay::Show(ErrorDisplay::MessageOf(error));
    }
}

void TfrmCustomItemsDlg::SetChanged(bool value)
{
    FChanged = value;
    actApply->setEnabled(value);
}

TCustomNodeItem *TfrmCustomItemsDlg::NodeData(QTreeWidgetItem *node) const
{
    auto it = FData.find(node);
    return it == FData.end() ? nullptr : it->second.get();
}

TNodeListItem *TfrmCustomItemsDlg::ListData(QTreeWidgetItem *node) const
{
    return dynamic_cast<TNodeListItem *>(NodeData(node));
}

int TfrmCustomItemsDlg::NodeIndex(const QTreeWidgetItem *node, int role)
{
    const QVariant value = node->data(0, role);
    return value.isValid() ? value.toInt() : -1;
}

void TfrmCustomItemsDlg::FillIndexBox(QComboBox *box, const TImageList *images)
{
    const QString text = box->currentText();
    const QSignalBlocker blocker(box);
    box->clear();
    if (images)
        for (int n = 0; n < images->Count(); ++n)
            box->addItem(QIcon(images->Image(n)), QString::number(n));
    box->setEditText(text);
}

QTreeWidgetItem *TfrmCustomItemsDlg::AddNode(QTreeWidgetItem *parent, const QString &text)
{
    const bool showing = FShowing;
    FShowing = true;
    auto *node = new QTreeWidgetItem;
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    node->setText(0, text);
    if (parent) {
        parent->addChild(node);
        parent->setExpanded(true);
    } else {
        TreeView1->addTopLevelItem(node);
    }
    if (!FItemClass) {
        for (int role : {ImageRole, StateRole, SelectedRole})
            node->setData(0, role, -1);
    } else if (!parent) {
        std::unique_ptr<TCustomNodeItem> data(
            dynamic_cast<TCustomNodeItem *>(FItemClass->Construct(nullptr)));
        data->SetCaption(CodePage::FromQString(text));
        FData[node] = std::move(data);
    }
    FShowing = showing;
    return node;
}

QTreeWidgetItem *TfrmCustomItemsDlg::SelectedNode() const
{
    const QList<QTreeWidgetItem *> selected = TreeView1->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void TfrmCustomItemsDlg::UpdateActions()
{
    const bool selected = SelectedNode() != nullptr;
    actNewSubitem->setEnabled(selected);
    actDeleteItem->setEnabled(selected);
}

void TfrmCustomItemsDlg::ShowNode(QTreeWidgetItem *node)
{
    FShowing = true;
    FShownNode = node;
    if (!node) {
        leCaption->clear();
        for (QComboBox *box : {cbeImageIndex, cbeStateIndex, cbeCustomIndex})
            ClearBox(box);
        gbItemProperties->setEnabled(false);
        FShowing = false;
        UpdateActions();
        return;
    }
    FillImageBox(node);
    const bool subItem = FItemClass && node->parent();
    if (!FItemClass) {
        leCaption->setText(node->text(0));
        ShowNumber(cbeImageIndex, NodeIndex(node, ImageRole));
        ShowNumber(cbeStateIndex, NodeIndex(node, StateRole));
        ShowNumber(cbeCustomIndex, NodeIndex(node, SelectedRole));
    } else if (!subItem) {
        const TCustomNodeItem *data = NodeData(node);
        leCaption->setText(CodePage::ToQString(data->Caption()));
        ShowNumber(cbeImageIndex, data->ImageIndex());
        ShowNumber(cbeStateIndex, data->StateIndex());
        ShowNumber(cbeCustomIndex, data->CustomIndex());
    } else {
        const TNodeListItem *data = ListData(node->parent());
        const int k = node->parent()->indexOfChild(node);
        leCaption->setText(CodePage::ToQString(data->SubItems().at(static_cast<size_t>(k))));
        ShowNumber(cbeImageIndex, data->SubItemImages().at(static_cast<size_t>(k)));
        ShowNumber(cbeStateIndex, -1);
        ShowNumber(cbeCustomIndex, -1);
    }
    cbeStateIndex->setEnabled(!subItem);
    cbeCustomIndex->setEnabled(!subItem);
    gbItemProperties->setEnabled(true);
    FShowing = false;
    UpdateActions();
}

void TfrmCustomItemsDlg::TreeView1Change(QTreeWidgetItem *current)
{
    if (FShowing)
        return;
    // The edits of the node being left are stored first; a box without an
    // integer keeps that node selected.
    if (FShownNode && current != FShownNode && !CommitEdits()) {
        FShowing = true;
        TreeView1->setCurrentItem(FShownNode);
        FShowing = false;
        return;
    }
    ShowNode(current);
}

void TfrmCustomItemsDlg::StoreCaption()
{
    if (FShownNode)
        StoreCaptionOf(FShownNode, leCaption->text());
}

void TfrmCustomItemsDlg::StoreCaptionOf(QTreeWidgetItem *node, const QString &text)
{
    if (FItemClass) {
        if (!node->parent())
            NodeData(node)->SetCaption(CodePage::FromQString(text));
        else
            ListData(node->parent())
                ->SetSubItem(node->parent()->indexOfChild(node), CodePage::FromQString(text));
    }
    const bool showing = FShowing;
    FShowing = true;
    node->setText(0, text);
    FShowing = showing;
}

bool TfrmCustomItemsDlg::StoreIndex(QComboBox *box)
{
    QTreeWidgetItem *node = FShownNode;
    if (!node)
        return true;
    const bool subItem = FItemClass && node->parent();
    if (subItem && box != cbeImageIndex)
        return true;
    const QString text = box->currentText();
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) {
        ReportEditError(box, QStringLiteral("'%1' is not a valid integer value").arg(text));
        return false;
    }
    if (subItem) {
        ListData(node->parent())->SetSubItemImage(node->parent()->indexOfChild(node), value);
    } else if (TCustomNodeItem *data = NodeData(node)) {
        if (box == cbeImageIndex)
            data->SetImageIndex(value);
        else if (box == cbeStateIndex)
            data->SetStateIndex(value);
        else
            data->SetCustomIndex(value);
    } else {
        const int role = box == cbeImageIndex   ? ImageRole
                         : box == cbeStateIndex ? StateRole
                                                : SelectedRole;
        FShowing = true;
        node->setData(0, role, value);
        FShowing = false;
    }
    return true;
}

bool TfrmCustomItemsDlg::CaptionStorable()
{
    try {
        CodePage::CheckStorable(leCaption->text());
        return true;
    } catch (const EUnstorableText &error) {
        ReportEditError(leCaption, error.Message());
        return false;
    }
}

void TfrmCustomItemsDlg::ReportEditError(QWidget *box, const QString &message)
{
    // The focus goes back once the focus change under way has finished; a
    // second failure of the same change is not reported twice.
    if (FEditErrorPending)
        return;
    FEditErrorPending = true;
    QMetaObject::invokeMethod(
        this,
        [this, box, message] {
            FEditErrorPending = false;
            box->setFocus(Qt::OtherFocusReason);
            if (auto *edit = qobject_cast<QLineEdit *>(box))
                edit->selectAll();
            else if (auto *combo = qobject_cast<QComboBox *>(box); combo && combo->lineEdit())
                combo->lineEdit()->selectAll();
            ErrorDisplay::Show(message);
        },
        Qt::QueuedConnection);
}

bool TfrmCustomItemsDlg::CommitEdits()
{
    if (!CaptionStorable())
        return false;
    StoreCaption();
    return StoreIndex(cbeImageIndex) && StoreIndex(cbeStateIndex) && StoreIndex(cbeCustomIndex);
}

bool TfrmCustomItemsDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && !FShowing) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Leaving for a pop-up or another window is not leaving the box.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            if (watched == leCaption)
                StoreCaption();
            else if (QApplication::focusWidget() != CancelBtn)
                StoreIndex(static_cast<QComboBox *>(watched));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmCustomItemsDlg::NewItem()
{
    SetChanged(true);
    QTreeWidgetItem *current = SelectedNode();
    QTreeWidgetItem *parent = !FItemClass && current ? current->parent() : nullptr;
    TreeView1->setCurrentItem(AddNode(parent, QString()));
}

void TfrmCustomItemsDlg::NewSubitem()
{
    QTreeWidgetItem *current = SelectedNode();
    if (!current)
        return;
    QTreeWidgetItem *parent = current;
    if (FItemClass) {
        if (parent->parent())
            parent = parent->parent();
        ListData(parent)->AddSubItem(std::string());
    }
    TreeView1->setCurrentItem(AddNode(parent, QString()));
    SetChanged(true);
}

void TfrmCustomItemsDlg::DropData(QTreeWidgetItem *node)
{
    for (int i = 0; i < node->childCount(); ++i)
        DropData(node->child(i));
    FData.erase(node);
}

void TfrmCustomItemsDlg::DeleteItem()
{
    QTreeWidgetItem *node = SelectedNode();
    if (!node)
        return;
    QTreeWidgetItem *parent = node->parent();
    const int index = parent ? parent->indexOfChild(node) : TreeView1->indexOfTopLevelItem(node);
    QTreeWidgetItem *next = parent ? parent->child(index + 1) : TreeView1->topLevelItem(index + 1);
    if (FItemClass && parent)
        ListData(parent)->DeleteSubItem(index);
    FShowing = true;
    FShownNode = nullptr;
    DropData(node);
    delete node;
    TreeView1->setCurrentItem(next);
    if (!next)
        TreeView1->clearSelection();
    FShowing = false;
    ShowNode(next);
    SetChanged(true);
}

void TfrmCustomItemsDlg::LoadFromFile(const QString &fileName)
{
    const std::vector<TTreeLine> lines = ReadTreeFile(fileName);
    FShowing = true;
    FShownNode = nullptr;
    FData.clear();
    TreeView1->clear();
    std::vector<QTreeWidgetItem *> path;
    for (const TTreeLine &line : lines) {
        path.resize(static_cast<size_t>(line.Level));
        QTreeWidgetItem *parent = path.empty() ? nullptr : path.back();
        // A list item keeps its sub-items as children; deeper lines go.
        if (FItemClass && line.Level > 1)
            continue;
        QTreeWidgetItem *node = AddNode(parent, line.Text);
        if (FItemClass && parent)
            ListData(parent)->AddSubItem(CodePage::FromQString(line.Text));
        path.push_back(node);
    }
    TreeView1->setCurrentItem(nullptr);
    TreeView1->clearSelection();
    FShowing = false;
    ShowNode(nullptr);
    SetChanged(true);
}

bool TfrmCustomItemsDlg::ApplyItems()
{
    if (!CommitEdits())
        return false;
    // A node edited in place in the tree has not passed the caption box.
    if (QTreeWidgetItem *node = UnstorableNode(TreeView1->invisibleRootItem())) {
        TreeView1->setCurrentItem(node);
        if (FShownNode != node)
            ShowNode(node);
        CaptionStorable();
        return false;
    }
    SetChanged(false);
    WriteBack();
    return true;
}

void TfrmCustomItemsDlg::accept()
{
    if (FChanged && !ApplyItems())
        return;
    QDialog::accept();
}
