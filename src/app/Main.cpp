#include "app/Main.h"

#include "app/BrowserEngine.h"
#include "app/BusyGuard.h"
#include "app/ComponentTree.h"
#include "app/FilterEdit.h"
#include "app/PaletteButton.h"
#include "app/PaletteFilter.h"
#include "app/PdfExport.h"
#include "app/RecentFiles.h"
#include "app/WaitingForm.h"
#include "controls/ControlsFactory.h"
#include "controls/LXButton.h"
#include "controls/LXCheckBox.h"
#include "controls/LXComboBox.h"
#include "controls/LXDesigned.h"
#include "controls/LXEditBox.h"
#include "controls/LXGroupBox.h"
#include "controls/LXImage.h"
#include "controls/LXLabel.h"
#include "controls/LXListBox.h"
#include "controls/LXMemo.h"
#include "controls/LXPanel.h"
#include "controls/LXRadioButton.h"
#include "controls/LXStringGrid.h"
#include "crash/Command.h"
#include "crash/CrashReporter.h"
#include "designer/ComponentTreeModel.h"
#include "designer/DeleteControlEvent.h"
#include "designer/DesignClipboard.h"
#include "designer/DesignHistory.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/FormAlignment.h"
#include "designer/LXControlsContainer.h"
#include "designer/SurfaceKeys.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "inspector/RSPropertyPreset.h"
#include "inspector/RSPropertyPresets.h"
#include "persistence/LayoutInspector.h"
#include "persistence/XmlPersistance.h"
#include "platform/CodePage.h"
#include "platform/ErrorDisplay.h"
#include "platform/FileDialog.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsFile.h"
#include "presets/RSTComponentPropertyPreset.h"
#include "presets/RSTParentComponentPropertyPreset.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBox>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

const QString TForm1::BaseCaption = QStringLiteral("Varno Computing PLOVEX Designer (Prototype)");

namespace
{

enum { TabDesign, TabPreview, TabHTML, TabFO };

struct PaletteEntry {
    const char *caption;
    int tag;
    std::type_index cls;
};

struct PalettePage {
    const char *caption;
    std::vector<PaletteEntry> entries;
};

// The palette as the window lays it out; AssignPaletteTags then numbers the
// buttons from the registry.
std::vector<PalettePage> PaletteLayout()
{
    return {
        {"Buttons and Labels", {{"Button", 1, typeid(TLXButton)}, {"Label", 0, typeid(TLXLabel)}}},
        {"Edits and Boxes",
         {{"EditBox", 2, typeid(TLXEditBox)},
          {"ListBox", 3, typeid(TLXListBox)},
          {"Memo", 4, typeid(TLXMemo)},
          {"ComboBox", 5, typeid(TLXComboBox)},
          {"CheckBox", 6, typeid(TLXCheckBox)},
          {"RadioButton", 7, typeid(TLXRadioButton)}}},
        {"Panels", {{"Panel", 8, typeid(TLXPanel)}, {"GroupBox", 9, typeid(TLXGroupBox)}}},
        {"Miscellaneous",
         {{"Image", 10, typeid(TLXImage)}, {"String Grid", 0, typeid(TLXStringGrid)}}},
    };
}

// An edit command whose shortcut does not act while the inspector has the
// keyboard: there, Delete and Ctrl+C belong to the value being edited.
class TEditAction : public QAction
{
public:
    TEditAction(const QString &caption, const QKeySequence &key, std::function<bool()> blocked,
                QObject *parent)
        : QAction(caption, parent), FBlocked(std::move(blocked))
    {
        setShortcut(key);
    }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::Shortcut && FBlocked())
            return true;
        return QAction::event(event);
    }

private:
    std::function<bool()> FBlocked;
};

} // namespace

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setGeometry(247, 181, 870, 578);

    FStatus = new QLabel(this);
    FStatus->setMinimumWidth(50);
    statusBar()->addWidget(FStatus, 1);
    // Stays while the unsaved work has no recovery copy.
    FRecoveryMark = new QLabel(QStringLiteral("Unsaved changes are not protected"), this);
    FRecoveryMark->setObjectName(QStringLiteral("RecoveryMark"));
    FRecoveryMark->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold"));
    FRecoveryMark->hide();
    statusBar()->addPermanentWidget(FRecoveryMark);

    FMainPages = new QTabWidget(this);
    FMainPages->setObjectName(QStringLiteral("MainPages"));
    FMainPages->setTabPosition(QTabWidget::South);
    setCentralWidget(FMainPages);

    // The page and the page control name the pictures of an HTML export.
    auto *design = new QWidget;
    design->setObjectName(QStringLiteral("TabDesign"));
    auto *designLayout = new QVBoxLayout(design);
    designLayout->setContentsMargins(0, 0, 0, 0);
    FSplitter = new QSplitter(Qt::Horizontal, design);
    FSplitter->setHandleWidth(8);
    designLayout->addWidget(FSplitter);
    FMainPages->addTab(design, QStringLiteral("Design"));
    const std::pair<const char *, const char *> viewPages[] = {
        {"TabPreview", "Preview"}, {"TabHTML", "Html"}, {"TabFO", "FO"}};
    for (const auto &[name, caption] : viewPages) {
        auto *page = new QWidget;
        page->setObjectName(QLatin1String(name));
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        FMainPages->addTab(page, QString::fromLatin1(caption));
    }
    // The FO view exists but the user cannot select it.
    FMainPages->setTabVisible(TabFO, false);

    CreatePalette();
    FPaletteFilter = new TPaletteFilter(FControlsPane, FPaletteButtons);
    FSplitter->addWidget(FPaletteFilter);

    FPanel2 = new QWidget;
    auto *panelLayout = new QVBoxLayout(FPanel2);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(2);
    FHeader = new QLabel(QStringLiteral("<None>"), FPanel2);
    FHeader->setObjectName(QStringLiteral("NavPanelHeader1"));
    FHeader->setFrameStyle(QFrame::Panel | QFrame::Raised);
    FHeader->setMargin(3);
    QFont headerFont = FHeader->font();
    headerFont.setBold(true);
    FHeader->setFont(headerFont);
    panelLayout->addWidget(FHeader);
    FPropertyFilter = new TFilterEdit(QStringLiteral("Filter properties"), FPanel2);
    FPropertyFilter->setObjectName(QStringLiteral("PropertyFilter"));
    panelLayout->addWidget(FPropertyFilter);
    FInspector = new TRSObjectInspector(FPanel2);
    FInspector->setObjectName(QStringLiteral("RSObjectInspector1"));
    ConfigureInspector();
    panelLayout->addWidget(FInspector, 1);

    CreateMenus();

    FRecovery = new TRecoveryFile([this] { return RecoveryLayout(); }, this);
    FRecovery->IsModified = [this] { return Modified(); };
    FRecovery->DocumentName = [this] { return FFileName; };
    FRecovery->OnFailure = [this](const QString &error) {
        FRecoveryMark->setToolTip(error);
        FRecoveryMark->show();
        ErrorDisplay::Show(
            QStringLiteral("Unsaved changes can no longer be copied for recovery:\n%1\n\n"
                           "Until a copy succeeds, a crash loses them; save the design to keep "
                           "it. A copy is tried again after each change.")
                .arg(error));
    };
    FRecovery->OnWrittenAgain = [this] { FRecoveryMark->hide(); };
    // Values typed into the inspector are changes of the design too.
    FInspector->Inspector()->OnPropertyChanged = [this](TRSObject *, TRSItemProperty *) {
        FRecovery->Schedule();
        if (FComponentTree)
            FComponentTree->Model()->RefreshTexts();
    };

    // Window creation: document state, design-time handler, surface, palette.
    ClearFileName();
    if (DesignerHandler) {
        DesignerHandler->OnSelect = [this](QObject *, QWidget *, bool) {
            ShowSelection(DesignerHandler->Selection());
        };
        DesignerHandler->OnBeginDrag = [this](QObject *) {
            FDragVerb =
                DesignerHandler->DragHandle() ? QStringLiteral("Resize") : QStringLiteral("Move");
            if (FHistory)
                FHistory->BeginGeometry(DesignerHandler->Selection());
            // The keyboard goes to the surface while designing.
            if (FContainer)
                FContainer->setFocus(Qt::MouseFocusReason);
        };
        DesignerHandler->OnChange = [this](QObject *) {
            if (FHistory)
                FHistory->EndGeometry(FDragVerb);
            ShowSelection(DesignerHandler->Selection());
        };
        DesignerHandler->PopupMenu = FControlPopupMenu;
        DesignerHandler->SetEnabled(true);
    }
    FContainer = new TLXControlsContainer(this, FInspector);
    FContainer->setObjectName(QStringLiteral("MainPanel"));
    FContainer->SetOnDragOver(
        [](QWidget *, QObject *, const QPoint &, bool &accept) { accept = true; });
    FContainer->SetOnDragDrop([this](QWidget *sender, QObject *source, const QPoint &pos) {
        MainPanelDragDrop(sender, source, pos);
    });
    FContainer->OnClick = [this] { MainPanelOnClick(); };
    CreateHistory();
    CreateWorkspace();
    FSplitter->addWidget(FContainer);
    FSplitter->addWidget(FPanel2);
    FSplitter->setStretchFactor(0, 0);
    FSplitter->setStretchFactor(1, 1);
    FSplitter->setStretchFactor(2, 0);
    FSplitter->setSizes({185, 468, 185});
    AssignPaletteTags();

    Command::Connect(FMainPages, &QTabWidget::currentChanged, this,
                     [this] { MainPagesChange(FMainPages->currentIndex()); });

    ShowMessage = [this](const QString &text) {
        QMessageBox::information(this, windowTitle(), text);
    };
    ShowNotice = [this](const QString &text) {
        auto *box =
            new QMessageBox(QMessageBox::Information, windowTitle(), text, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->show();
    };
    AlignmentDialog = ShowAlignmentDialog;
    SaveAsCommand = [this] { return mnuSaveAsClick(); };
    OpenDialog = [this] {
        TFileDialog dialog(this, QStringLiteral("Open layout..."));
        dialog.setNameFilters(
            {QStringLiteral("XML Files (*.xml)"), QStringLiteral("All Files (*)")});
        dialog.setDefaultSuffix(QStringLiteral("xml"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        return dialog.Run();
    };
    SaveDialog = [this](QString &fileName, int &fileType) {
        TFileDialog dialog(this, QStringLiteral("Save as"));
        const QStringList filters = {QStringLiteral("XML File (*.xml)"),
                                     QStringLiteral("HTML File (*.htm *.html)"),
                                     QStringLiteral("PDF File (*.pdf)")};
        const QStringList suffixes = {QStringLiteral("xml"), QStringLiteral("htm"),
                                      QStringLiteral("pdf")};
        dialog.setNameFilters(filters);
        dialog.setDefaultSuffix(suffixes[0]);
        // A name typed without extension takes that of the chosen type, so
        // a web page is not written under a layout's name.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, filters, suffixes](const QString &filter) {
                             dialog.setDefaultSuffix(
                                 suffixes.value(filters.indexOf(filter), suffixes[0]));
                         });
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        fileName = dialog.Run();
        if (fileName.isEmpty())
            return false;
        // The chosen type decides, not the typed extension.
        fileType = filters.indexOf(dialog.selectedNameFilter()) + 1;
        return true;
    };
    Navigate = [this](int tab, const QString &path) { ShowInBrowser(tab, path); };
    SetSaveDesign([this](const QString &fileName) { FContainer->SaveLayout(fileName); });
    SaveQuestion = [this] {
        return QMessageBox::question(this, QApplication::applicationName(),
                                     QStringLiteral("Do you want to save designed form?"),
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    };
    RecoveryQuestion = [this](const TRecoveryFile::TOrphan &orphan) {
        const QString document = orphan.DocumentName.isEmpty()
                                     ? QStringLiteral("a design never saved")
                                     : QStringLiteral("\"%1\"").arg(orphan.DocumentName);
        return QMessageBox::question(
            this, QApplication::applicationName(),
            QStringLiteral("Form Designer did not close normally. Restore the unsaved changes "
                           "of %1, written at %2?")
                .arg(document, QLocale::system().toString(orphan.Written, QLocale::LongFormat)),
            QMessageBox::Yes | QMessageBox::No);
    };
}

TForm1::~TForm1()
{
    if (DesignerHandler) {
        DesignerHandler->ClearSelection();
        DesignerHandler->OnSelect = nullptr;
        DesignerHandler->OnChange = nullptr;
        DesignerHandler->OnBeginDrag = nullptr;
        DesignerHandler->PopupMenu = nullptr;
    }
    FInspector->Inspector()->OnPropertyChanging = nullptr;
    FInspector->Inspector()->OnPropertyChanged = nullptr;
    // The history goes with the surface, after this window's own part is
    // gone: it must not reach back into it on its way.
    disconnect(&FHistory->Stack(), nullptr, this, nullptr);
    FHistory->OnSelect = nullptr;
}

void TForm1::CreateHistory()
{
    // A hidden inspector, configured like the one that writes the layout
    // file, reads and writes the values of the undo steps.
    FSnapshotInspector = MakeLayoutInspector().release();
    FSnapshotInspector->setParent(this);
    FHistory = new TDesignHistory(FContainer, FSnapshotInspector);
    FClipboard = std::make_unique<TDesignClipboard>(*FHistory);
    FClipboard->NewControlName = [this](QWidget *target) { return NewControlName(target); };
    FClipboard->OnStatus = [this](const QString &text) { SetStatus(text); };
    FHistory->OnSelect = [this](const std::vector<QWidget *> &controls) {
        if (!DesignerHandler)
            return;
        if (controls.empty()) {
            DesignerHandler->ClearSelection();
            ShowSelected(nullptr);
        } else {
            DesignerHandler->SelectControls(controls, false);
        }
    };
    connect(&FHistory->Stack(), &QUndoStack::cleanChanged, this, [this] { UpdateTitle(); });
    connect(&FHistory->Stack(), &QUndoStack::indexChanged, this, [this] {
        // Undoing or redoing an edit may rename a control or hide it.
        if (FComponentTree)
            FComponentTree->Model()->RefreshTexts();
        if (Modified())
            FRecovery->Schedule();
        else
            FRecovery->Remove();
    });
    new TSurfaceKeys(*FHistory, FContainer);

    // The stack's own actions would call it outside the command net.
    QUndoStack &stack = FHistory->Stack();
    const auto stackAction = [this, &stack](const QString &verb, void (QUndoStack::*step)(),
                                            void (QUndoStack::*can)(bool),
                                            void (QUndoStack::*text)(const QString &)) {
        auto *action = new QAction(verb, this);
        action->setEnabled(false);
        Command::Connect(action, &QAction::triggered, this, [&stack, step] { (stack.*step)(); });
        connect(&stack, can, action, &QAction::setEnabled);
        connect(&stack, text, action, [action, verb](const QString &name) {
            action->setText(name.isEmpty() ? verb : verb + QLatin1Char(' ') + name);
        });
        return action;
    };
    FUndo = stackAction(QStringLiteral("Undo"), &QUndoStack::undo, &QUndoStack::canUndoChanged,
                        &QUndoStack::undoTextChanged);
    FUndo->setShortcut(QKeySequence::Undo);
    FRedo = stackAction(QStringLiteral("Redo"), &QUndoStack::redo, &QUndoStack::canRedoChanged,
                        &QUndoStack::redoTextChanged);
    FRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    QAction *first = FEditMenu->actions().value(0);
    FEditMenu->insertAction(first, FUndo);
    FEditMenu->insertAction(first, FRedo);
    FEditMenu->insertSeparator(first);

    // Every committed inspector edit becomes one step, named after the row.
    FInspector->Inspector()->OnPropertyChanging = [this](TRSObject *, TRSItemProperty *row) {
        QStringList names;
        for (TRSItemProp *p = row; p; p = p->ParentItem())
            if (!p->Category())
                names.prepend(CodePage::ToQString(p->Name()));
        FHistory->BeginPropertyEdit(InspectedControls(), names.join('.'));
    };
}

void TForm1::CreateWorkspace()
{
    FHistory->NewControlName = [this](QWidget *target) { return NewControlName(target); };

    FComponentTree = new TComponentTree(FContainer);
    FComponentTree->Model()->OnMove = [this](const std::vector<QWidget *> &controls,
                                             QWidget *target) {
        return FHistory->Reparent(controls, target);
    };
    FComponentTree->OnSelectControls = [this](const std::vector<QWidget *> &controls) {
        if (!DesignerHandler)
            return;
        if (controls.empty()) {
            ShowSelected(nullptr);
            DesignerHandler->ClearSelection();
        } else {
            DesignerHandler->SelectControls(controls, false);
        }
    };
    FComponentDock = new QDockWidget(QStringLiteral("Components"), this);
    FComponentDock->setObjectName(QStringLiteral("ComponentsDock"));
    FComponentDock->setWidget(FComponentTree);
    FComponentDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::RightDockWidgetArea, FComponentDock);

    connect(FPropertyFilter, &QLineEdit::textChanged, this, [this](const QString &text) {
        FInspector->Inspector()->SetRowFilter(CodePage::FromQString(text));
    });
    FPaletteFilter->OnDropKind = [this](int kindIndex) { AddControlToSelected(kindIndex); };

    FCommands.Save = FSave;
    FCommands.Undo = FUndo;
    FCommands.Redo = FRedo;
    FCommands.Preview = new QAction(QStringLiteral("Preview"), this);
    Command::Connect(FCommands.Preview, &QAction::triggered, this,
                     [this] { FMainPages->setCurrentIndex(TabPreview); });
    FCommands.Html = new QAction(QStringLiteral("Html"), this);
    Command::Connect(FCommands.Html, &QAction::triggered, this,
                     [this] { FMainPages->setCurrentIndex(TabHTML); });
    FToolBar = new TMainToolBar(FCommands, this);
    addToolBar(Qt::TopToolBarArea, FToolBar);
}

QWidget *TForm1::AddControlToSelected(int kindIndex)
{
    return AddControl(kindIndex, 0, FClipboard->PasteTarget(SelectedControls()), 0);
}

void TForm1::ShowInTree(QWidget *current)
{
    if (!FComponentTree)
        return;
    std::vector<QWidget *> selection = SelectedControls();
    if (!current && !selection.empty())
        current = selection.back();
    FComponentTree->ShowSelection(selection, current);
}

std::vector<QWidget *> TForm1::InspectedControls() const
{
    std::vector<QWidget *> controls;
    for (TPersistent *object : FInspector->Inspector()->InspectedObjects())
        if (auto *designed = dynamic_cast<TLXDesigned *>(object))
            controls.push_back(designed->Widget());
    return controls;
}

std::vector<QWidget *> TForm1::SelectedControls() const
{
    return DesignerHandler ? DesignerHandler->Selection() : std::vector<QWidget *>();
}

bool TForm1::InspectorHasFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && FPanel2->isAncestorOf(focus);
}

void TForm1::mnuCutClick()
{
    FClipboard->Cut(SelectedControls());
}

void TForm1::mnuCopyClick()
{
    FClipboard->Copy(SelectedControls());
}

void TForm1::mnuPasteClick()
{
    FClipboard->Paste(SelectedControls());
}

void TForm1::mnuDuplicateClick()
{
    FClipboard->Duplicate(SelectedControls());
}

bool TForm1::RestoreWindowState()
{
    const std::unique_ptr<QSettings> settings = TRecentFiles::Settings();
    const bool categorize = settings->value(QStringLiteral("CategorizeProperties")).toBool();
    if (categorize != FCategorize->isChecked()) {
        FCategorize->setChecked(categorize);
        mnuCategorizePropertiesClick();
    }
    const int page = settings->value(QStringLiteral("PalettePage"), 0).toInt();
    if (page >= 0 && page < FControlsPane->count())
        FControlsPane->setCurrentIndex(page);
    FSplitter->restoreState(settings->value(QStringLiteral("Splitter")).toByteArray());
    return restoreGeometry(settings->value(QStringLiteral("Geometry")).toByteArray());
}

void TForm1::SaveWindowState()
{
    const std::unique_ptr<QSettings> settings = TRecentFiles::Settings();
    settings->setValue(QStringLiteral("Geometry"), saveGeometry());
    settings->setValue(QStringLiteral("Splitter"), FSplitter->saveState());
    settings->setValue(QStringLiteral("PalettePage"), FControlsPane->currentIndex());
    settings->setValue(QStringLiteral("CategorizeProperties"), FCategorize->isChecked());
    // The window closes all the same: the failure is only told.
    try {
        SettingsFile::Save(*settings);
    } catch (const std::exception &error) {
        ErrorDisplay::Show(ErrorDisplay::MessageOf(error));
    }
}

QWidget *TForm1::CreatePalette()
{
    FControlsPane = new QToolBox;
    FControlsPane->setObjectName(QStringLiteral("ControlsPane"));
    for (const PalettePage &page : PaletteLayout()) {
        auto *list = new QWidget;
        auto *layout = new QVBoxLayout(list);
        layout->setContentsMargins(4, 4, 4, 4);
        for (const PaletteEntry &entry : page.entries) {
            auto *button = new TPaletteButton(QString::fromLatin1(entry.caption), entry.tag, list);
            layout->addWidget(button);
            FPaletteButtons.push_back(button);
            FPaletteClasses.push_back(entry.cls);
        }
        layout->addStretch(1);
        FControlsPane->addItem(list, QString::fromLatin1(page.caption));
    }
    return FControlsPane;
}

void TForm1::CreateMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("File"));
    QAction *newAction = file->addAction(QStringLiteral("New"));
    FCommands.New = newAction;
    newAction->setShortcut(QKeySequence::New);
    Command::Connect(newAction, &QAction::triggered, this, [this] { mnuNewClick(); });
    QAction *open = file->addAction(QStringLiteral("Open..."));
    open->setShortcut(QKeySequence::Open);
    FCommands.Open = open;
    Command::Connect(open, &QAction::triggered, this, [this] { mnuOpenClick(); });
    FRecentMenu = file->addMenu(QStringLiteral("Recent Files"));
    FRecent = new TRecentFiles(FRecentMenu);
    FRecent->OnOpen = [this](const QString &fileName) {
        if (AskSave() != QMessageBox::Cancel)
            OpenLayout(fileName);
    };
    FRecent->ShowMessage = [this](const QString &text) { ShowMessage(text); };
    FSave = file->addAction(QStringLiteral("Save"));
    FSave->setShortcut(QKeySequence::Save);
    Command::Connect(FSave, &QAction::triggered, this, [this] { mnuSaveClick(); });
    QAction *saveAs = file->addAction(QStringLiteral("Save as..."));
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    Command::Connect(saveAs, &QAction::triggered, this, [this] { mnuSaveAsClick(); });
    file->addSeparator();
    file->addAction(QStringLiteral("Open From Mail..."))->setEnabled(false);
    FSendMail = file->addAction(QStringLiteral("Send Mail via Outlook..."));
    // Enabled once the window is given the writer of the design.
    FSendMail->setEnabled(false);
    Command::Connect(FSendMail, &QAction::triggered, this, [this] { mnuSendMailOutlookClick(); });
    file->addSeparator();
    QAction *exit = file->addAction(QStringLiteral("Exit"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    Command::Connect(exit, &QAction::triggered, this, [this] { mnuExitClick(); });

    QMenu *edit = menuBar()->addMenu(QStringLiteral("Edit"));
    FEditMenu = edit;
    const auto editAction = [this](const QString &caption, const QKeySequence &key,
                                   void (TForm1::*command)()) {
        auto *action = new TEditAction(
            caption, key, [this] { return InspectorHasFocus(); }, this);
        Command::Connect(action, &QAction::triggered, this,
                         [this, command] { (this->*command)(); });
        return action;
    };
    QAction *cut = editAction(QStringLiteral("Cut"), QKeySequence::Cut, &TForm1::mnuCutClick);
    QAction *copy = editAction(QStringLiteral("Copy"), QKeySequence::Copy, &TForm1::mnuCopyClick);
    QAction *paste =
        editAction(QStringLiteral("Paste"), QKeySequence::Paste, &TForm1::mnuPasteClick);
    QAction *duplicate = editAction(QStringLiteral("Duplicate"), QKeySequence(Qt::CTRL | Qt::Key_D),
                                    &TForm1::mnuDuplicateClick);
    QAction *remove =
        editAction(QStringLiteral("Delete"), QKeySequence::Delete, &TForm1::mnuDeleteClick);
    edit->addActions({cut, copy, paste, duplicate, remove});
    FCommands.Cut = cut;
    FCommands.Copy = copy;
    FCommands.Paste = paste;
    FCommands.Delete = remove;
    edit->addSeparator();
    Command::Connect(edit->addAction(QStringLiteral("Clear")), &QAction::triggered, this,
                     [this] { mnuClearClick(); });
    FDisableDesigner = edit->addAction(QStringLiteral("Disable Designer"));
    FDisableDesigner->setCheckable(true);
    Command::Connect(FDisableDesigner, &QAction::triggered, this,
                     [this] { mnuDisableDesignerClick(); });

    QMenu *tools = menuBar()->addMenu(QStringLiteral("Tools"));
    QMenu *options = tools->addMenu(QStringLiteral("Options"));
    FCategorize = options->addAction(QStringLiteral("Categorize properties"));
    FCategorize->setCheckable(true);
    Command::Connect(FCategorize, &QAction::triggered, this,
                     [this] { mnuCategorizePropertiesClick(); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("Help"));
    Command::Connect(help->addAction(QStringLiteral("Feedback...")), &QAction::triggered, this,
                     [this] { mnuFeedbackClick(); });
    Command::Connect(help->addAction(QStringLiteral("About")), &QAction::triggered, this,
                     [this] { mnuAboutClick(); });

    FControlPopupMenu = new QMenu(this);
    FControlPopupMenu->setObjectName(QStringLiteral("ControlPopupMenu"));
    FCommands.BringToFront = FControlPopupMenu->addAction(QStringLiteral("Bring To Front"));
    Command::Connect(FCommands.BringToFront, &QAction::triggered, this,
                     [this] { mnuBringToFrontClick(); });
    FCommands.SendToBack = FControlPopupMenu->addAction(QStringLiteral("Send To Back"));
    Command::Connect(FCommands.SendToBack, &QAction::triggered, this,
                     [this] { mnuSendToBackClick(); });
    FCommands.Alignment = FControlPopupMenu->addAction(QStringLiteral("Alignment..."));
    Command::Connect(FCommands.Alignment, &QAction::triggered, this,
                     [this] { mnuAlignmentClick(); });
    FControlPopupMenu->addSeparator();
    FControlPopupMenu->addActions({cut, copy, paste, duplicate, remove});
}

void TForm1::SetFileName(const QString &name)
{
    FFileName = name;
    TCrashReporter::SetDesignFileName(name);
    SetModified(false);
}

void TForm1::SetModified(bool value)
{
    FModified = value;
    if (!value && FHistory)
        FHistory->Stack().setClean();
    UpdateTitle();
    // Unsaved work is copied aside a moment after it changes; once the
    // design is saved, cleared or replaced the copy has served.
    if (value)
        FRecovery->Schedule();
    else
        FRecovery->Remove();
}

bool TForm1::Modified() const
{
    return FModified || (FHistory && !FHistory->Stack().isClean());
}

void TForm1::UpdateTitle()
{
    QString caption = BaseCaption;
    FSave->setEnabled(HasFileName());
    if (HasFileName())
        caption += QStringLiteral(" - [") + QFileInfo(FFileName).fileName() + ']';
    if (Modified())
        caption += QStringLiteral(" *");
    setWindowTitle(caption);
}

QMessageBox::StandardButton TForm1::AskSave()
{
    if (!Modified() || FContainer->Controls().isEmpty())
        return QMessageBox::No;
    const QMessageBox::StandardButton answer = SaveQuestion();
    if (answer == QMessageBox::Yes && !(SaveAsCommand && SaveAsCommand()))
        return QMessageBox::Cancel;
    return answer;
}

void TForm1::mnuNewClick()
{
    if (AskSave() == QMessageBox::Cancel)
        return;
    mnuClearClick();
    FHistory->Stack().clear();
}

void TForm1::mnuClearClick()
{
    ShowWaiting(this, QStringLiteral("Clearing controls"));
    ShowSelected(nullptr);
    FHistory->FinishPropertyEdit();
    const QList<QWidget *> controls = FContainer->Controls();
    FHistory->Remove(QStringLiteral("Clear"),
                     std::vector<QWidget *>(controls.begin(), controls.end()));
    ClearFileName();
    HideWaiting();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // The window closes only once the question is answered and any save it
    // asked for has happened: a cancelled, refused or failed save (an error
    // leaves this handler) keeps the window and the design.
    event->ignore();
    if (AskSave() == QMessageBox::Cancel)
        return;
    event->accept();
    FRecovery->Remove();
    if (isVisible())
        SaveWindowState();
}

void TForm1::mnuDisableDesignerClick()
{
    const bool on = !FDisableDesigner->isChecked();
    FPanel2->setVisible(on);
    FPaletteFilter->setVisible(on);
    FComponentDock->setVisible(on);
    if (DesignerHandler)
        DesignerHandler->SetEnabled(on);
    // Controls that are not Visible show only while designing.
    for (QWidget *w : FContainer->widget()->findChildren<QWidget *>())
        if (TLXDesigned *designed = AsDesigned(w))
            designed->ApplyVisibility();
    SetModified(true);
}

void TForm1::mnuCategorizePropertiesClick()
{
    FInspector->Inspector()->SetArrangeByCategory(FCategorize->isChecked());
    FContainer->SetCategorized(FCategorize->isChecked());
}

void TForm1::ConfigureInspector()
{
    TRSCustomObjectInspector *inspector = FInspector->Inspector();
    FInspector->setFrameShape(QFrame::NoFrame);
    ConfigureLayoutInspector(*inspector);
    const std::string family = CodePage::FromQString(font().family());
    const int size = std::max(font().pointSize(), 8);
    const auto setFont = [&](TRSFont &f, TRSColor color, unsigned style) {
        f.SetName(family);
        f.SetSize(size);
        f.SetColor(color);
        f.SetStyle(style);
    };
    setFont(inspector->ValueFont(), 0x000080, 0); // navy
    setFont(inspector->CategoryFont(), 0x800080, TRSFont::fsBold);
    setFont(inspector->TitleCaptionFont(), 0x000000, 0);
    inspector->SetColWidth(0, 100);
    inspector->SetColWidth(1, 81);
    ConfigurePresets();
}

void TForm1::ConfigurePresets()
{
    TRSCustomObjectInspector *inspector = FInspector->Inspector();
    const TRSFont &base = inspector->ValueFont();
    TRSPropertyPresets &presets = inspector->Presets();
    presets.BeginUpdate();
    for (int i = 0; i < presets.Count(); ++i) {
        TRSPropertyPreset *preset = presets.Item(i);
        const TClassInfo *cls = TypInfo::ClassInfoOf(preset);
        TRSColor color = 0x000000; // window text
        if (cls == TRSTComponentPropertyPreset::ClassType())
            color = 0x800000; // maroon
        else if (cls == TRSTParentComponentPropertyPreset::ClassType())
            color = 0x008000; // green
        preset->Font().SetName(base.Name());
        preset->Font().SetSize(base.Size());
        preset->Font().SetStyle(0);
        preset->Font().SetColor(color);
        preset->ValueFont().SetName(base.Name());
        preset->ValueFont().SetSize(base.Size());
        preset->ValueFont().SetColor(0x000080); // navy
        preset->SetActions(preset->Actions() | PresetBit(pftFont) | PresetBit(pftValueFont));
    }
    presets.EndUpdate();
}

void TForm1::mnuBringToFrontClick()
{
    FHistory->Restack(QStringLiteral("Bring To Front"), DesignerHandler->Selection(), true);
}

void TForm1::mnuSendToBackClick()
{
    FHistory->Restack(QStringLiteral("Send To Back"), DesignerHandler->Selection(), false);
}

void TForm1::mnuAlignmentClick()
{
    const std::vector<QWidget *> selection = DesignerHandler->Selection();
    // The tool bar offers the command also when nothing is selected.
    if (selection.empty())
        return;
    FHistory->BeginGeometry(selection);
    const int steps = FHistory->Stack().count();
    if (AlignmentDialog(this, selection)) {
        FHistory->EndGeometry(QStringLiteral("Alignment"));
        FInspector->Rebuild();
        // Ok marks the design modified even when nothing had to move.
        if (FHistory->Stack().count() == steps)
            SetModified(true);
    } else {
        FHistory->EndGeometry(QStringLiteral("Alignment"));
    }
}

void TForm1::mnuDeleteClick()
{
    // The controls leave the design after the command has returned, as one
    // step.
    std::vector<QPointer<QWidget>> selection;
    for (QWidget *c : DesignerHandler->Selection())
        selection.emplace_back(c);
    QMetaObject::invokeMethod(
        this,
        [this, selection] {
            std::vector<QWidget *> controls;
            for (const QPointer<QWidget> &c : selection)
                if (c && c->parentWidget() != FHistory->Parking())
                    controls.push_back(c);
            FClipboard->Delete(controls);
        },
        Qt::QueuedConnection);
}

QString TForm1::PreparePreviewFile(const QString &name) const
{
    // Not emptied beforehand: the write replaces the file whole, and a page
    // export must find the folder an earlier preview made, not a new file.
    return ProgramFolder::WritablePath() + name;
}

bool TForm1::event(QEvent *event)
{
    if (event->type() == static_cast<QEvent::Type>(WM_DELETECONTROL)) {
        if (QWidget *control = static_cast<TDeleteControlEvent *>(event)->Control)
            if (control->parentWidget() != FHistory->Parking())
                FClipboard->Delete({control});
        return true;
    }
    return QMainWindow::event(event);
}

void TForm1::SetStatus(const QString &text)
{
    FStatus->setText(text);
}

QString TForm1::StatusText() const
{
    return FStatus->text();
}

void TForm1::ShowSelected(QWidget *control)
{
    FInspector->SetComponent(AsDesigned(control));
    FInspector->Rebuild();
    ShowInTree(control);
    if (!control) {
        SetStatus(QStringLiteral("Done"));
        FHeader->setText(QStringLiteral("<None>"));
        return;
    }
    const QString text =
        control->objectName() + QStringLiteral(": ") + ControlsFactory->GetKindName(control);
    SetStatus(QStringLiteral("Selected ") + text);
    FHeader->setText(text);
}

void TForm1::ShowSelection(const std::vector<QWidget *> &controls)
{
    FInspector->SetComponent(nullptr);
    if (controls.empty()) {
        ShowInTree(nullptr);
        return;
    }
    if (controls.size() == 1) {
        ShowSelected(controls.front());
        return;
    }
    TRSInspectorObjects &objects = FInspector->Inspector()->Objects();
    objects.BeginUpdate();
    for (QWidget *control : controls)
        if (TLXDesigned *designed = AsDesigned(control))
            objects.AddObject(designed);
    objects.EndUpdate();
    SetStatus(QStringLiteral("Selected %1 control(s)").arg(controls.size()));
    FHeader->setText(QStringLiteral("Multiple"));
    ShowInTree(controls.back());
}

void TForm1::MainPanelDragDrop(QWidget *sender, QObject *source, const QPoint &pos)
{
    auto *button = dynamic_cast<TPaletteButton *>(source);
    if (!button) {
        ShowMessage(QStringLiteral("Wrong element dropped"));
        return;
    }
    AddControl(button->Tag(), pos.x(), sender, pos.y());
}

QWidget *TForm1::AddControl(int kindIndex, int x, QWidget *target, int y)
{
    if (!target)
        target = FContainer;
    QWidget *control = ControlsFactory->CreateControl(kindIndex, target);
    if (auto *grid = dynamic_cast<TLXStringGrid *>(control)) {
        grid->SetFixedCols(0);
        grid->resize(330, 130);
        grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine |
                         goRangeSelect | goRowSizing | goColSizing | goRowMoving | goColMoving |
                         goEditing);
    }
    if (control) {
        const int step = DesignerHandler ? DesignerHandler->GridStep : 5;
        control->move(x - x % step, y - y % step);
        AsDesigned(control)->SetName(NewControlName(target));
        AsDesigned(control)->SetVisible(true);
        FHistory->Added(QStringLiteral("Drop ") + control->objectName(), {control});
        ShowSelected(control);
    } else {
        SetModified(true);
    }
    return control;
}

QString TForm1::NewControlName(QWidget *target) const
{
    const QList<QWidget *> owned = TControlsFactory::DesignedChildren(target);
    for (int n = 1; n <= owned.size(); ++n) {
        const QString candidate = QStringLiteral("Control%1").arg(n);
        const bool taken = std::any_of(owned.begin(), owned.end(),
                                       [&](QWidget *w) { return w->objectName() == candidate; });
        if (!taken)
            return candidate;
    }
    return QStringLiteral("Unknown");
}

void TForm1::MainPanelOnClick()
{
    FContainer->setFocus(Qt::MouseFocusReason);
    ShowSelected(nullptr);
    if (DesignerHandler)
        DesignerHandler->ClearSelection();
}

void TForm1::AssignPaletteTags()
{
    for (size_t i = 0; i < FPaletteButtons.size(); ++i)
        if (FPaletteClasses[i] != typeid(TLXCheckBox))
            FPaletteButtons[i]->SetTag(ControlsFactory->IndexOfClass(FPaletteClasses[i]));
}

QWidget *TForm1::EnsureBrowser(int tabIndex)
{
    QWidget *&browser = FBrowsers[tabIndex - TabPreview];
    if (browser)
        return browser;
    if (TBrowserEngine *engine = TBrowserEngine::Instance()) {
        std::function<void()> started, finished;
        if (tabIndex != TabFO) {
            started = [this] { ShowWaiting(this, QStringLiteral("Downloading Page...")); };
            finished = [] { HideWaiting(); };
        }
        browser = engine->CreateView(std::move(started), std::move(finished));
    } else {
        browser = new QLabel(QStringLiteral("No web view is available."));
    }
    browser->setObjectName(QStringLiteral("WebBrowser%1").arg(tabIndex));
    FMainPages->widget(tabIndex)->layout()->addWidget(browser);
    return browser;
}

void TForm1::ShowInBrowser(int tab, const QString &path)
{
    QWidget *browser = EnsureBrowser(tab);
    if (TBrowserEngine *engine = TBrowserEngine::Instance())
        engine->Load(browser, QUrl::fromLocalFile(path));
    else
        static_cast<QLabel *>(browser)->setText(path);
}

void TForm1::MainPagesChange(int index)
{
    if (index < TabPreview || index > TabFO)
        return;
    TBusyGuard busy(this, QStringLiteral("Switching view mode..."));
    if (index == TabPreview) {
        const QString file = PreparePreviewFile(QStringLiteral("NativePreview.xml"));
        FContainer->SaveLayout(file);
        Navigate(index, file);
    } else if (index == TabHTML) {
        const QString file = PreparePreviewFile(QStringLiteral("HTMLPreview.htm"));
        FContainer->ExportHtml(file);
        Navigate(index,
                 QFileInfo(file).isDir() ? TLXControlsContainer::HtmlExportPath(file) : file);
    } else {
        const QString file = PreparePreviewFile(QStringLiteral("FOPreview.xsl"));
        FContainer->ExportFO(file);
        Navigate(index, file);
    }
}

void TForm1::mnuOpenClick()
{
    // Unsaved work is offered for saving first; the design is replaced only
    // by a file that reads completely.
    if (AskSave() == QMessageBox::Cancel)
        return;
    const QString fileName = OpenDialog();
    if (fileName.isEmpty())
        return;
    OpenLayout(fileName);
}

void TForm1::OpenLayout(const QString &fileName)
{
    TBusyGuard busy(this, QStringLiteral("Opening data..."));
    ShowSelected(nullptr);
    FHistory->FinishPropertyEdit();
    try {
        const TDesignHistory::TSuspend suspend(FHistory);
        FContainer->LoadLayout(fileName);
    } catch (...) {
        // The design stayed as it was; so does what the inspector shows.
        if (DesignerHandler)
            ShowSelection(DesignerHandler->Selection());
        throw;
    }
    // The steps belonged to the design that the file replaced.
    FHistory->Stack().clear();
    SetFileName(fileName);
    FRecent->Add(fileName);
    if (const QString notice = FContainer->KeptNotice(); !notice.isEmpty())
        ShowNotice(notice);
}

void TForm1::mnuSaveClick()
{
    if (!HasFileName()) {
        mnuSaveAsClick();
        return;
    }
    TBusyGuard busy(this, QStringLiteral("Saving data..."));
    FHistory->FinishPropertyEdit();
    FContainer->SaveLayout(FFileName);
    SetFileName(FFileName);
    FRecent->Add(FFileName);
}

bool TForm1::mnuSaveAsClick()
{
    QString fileName;
    int fileType = 1;
    if (!SaveDialog(fileName, fileType))
        return false;
    TBusyGuard busy(this, QStringLiteral("Saving data..."));
    FHistory->FinishPropertyEdit();
    // Exports (a web page, a PDF document) leave the document as it was.
    if (fileType == 2) {
        FContainer->ExportHtml(fileName);
        return false;
    }
    if (fileType == 3) {
        ExportPdf(*FContainer, fileName);
        return false;
    }
    FContainer->SaveLayout(fileName);
    SetFileName(fileName);
    FRecent->Add(fileName);
    return true;
}

TRSObjectInspector *TForm1::RecoveryInspector()
{
    if (!FRecoveryInspector)
        FRecoveryInspector = MakeLayoutInspector();
    return FRecoveryInspector.get();
}

std::string TForm1::RecoveryLayout()
{
    TXmlPersistance writer(FContainer, RecoveryInspector());
    return writer.SaveToText();
}

void TForm1::OfferRecovery()
{
    for (const TRecoveryFile::TOrphan &orphan : TRecoveryFile::FindOrphans()) {
        if (RecoveryQuestion(orphan) != QMessageBox::Yes) {
            TRecoveryFile::Discard(orphan);
            continue;
        }
        // A copy that cannot be read must not stop the start, nor every
        // start after it: it is told, moved aside, and the next is offered.
        try {
            RestoreRecovery(orphan);
            return;
        } catch (const std::exception &error) {
            ReportUnrestorable(orphan, ErrorDisplay::MessageOf(error));
        } catch (...) {
            ReportUnrestorable(orphan, QStringLiteral("Unknown error"));
        }
    }
}

void TForm1::ReportUnrestorable(const TRecoveryFile::TOrphan &orphan, const QString &error)
{
    QString text = QStringLiteral("The unsaved changes written at %1 could not be restored:\n%2")
                       .arg(QLocale::system().toString(orphan.Written, QLocale::LongFormat), error);
    try {
        text += QStringLiteral("\n\nThe copy was moved to \"%1\".")
                    .arg(TRecoveryFile::SetAside(orphan));
    } catch (const std::exception &moveError) {
        text += QStringLiteral("\n\n") + CodePage::ToQString(moveError.what());
    }
    ErrorDisplay::Show(text);
}

void TForm1::RestoreRecovery(const TRecoveryFile::TOrphan &orphan)
{
    TBusyGuard busy(this, QStringLiteral("Opening data..."));
    ShowSelected(nullptr);
    TXmlPersistance reader(FContainer, RecoveryInspector());
    reader.Load(QFile::encodeName(orphan.Layout).toStdString());
    FFileName = orphan.DocumentName;
    FHistory->Stack().clear();
    SetModified(true);
    // The restored design is this designer's unsaved work from now on; the
    // old copy goes once the new one is written.
    if (FRecovery->WriteNow())
        TRecoveryFile::Discard(orphan);
}
