#include "app/Main.h"

#include "app/AccessibleFactory.h"
#include "app/ComponentTree.h"
#include "app/ControlDoubleClick.h"
#include "app/EditCommandStates.h"
#include "app/FilterEdit.h"
#include "app/GeometryStatus.h"
#include "app/PaletteButton.h"
#include "app/PaletteFilter.h"
#include "app/ProblemsDock.h"
#include "app/SurfaceAccessible.h"
#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "controls/LXStringGrid.h"
#include "crash/Command.h"
#include "designer/ComponentTreeModel.h"
#include "designer/DeleteControlEvent.h"
#include "designer/DesignClipboard.h"
#include "designer/DesignHistory.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/LXControlsContainer.h"
#include "designer/SelectionOverlay.h"
#include "designer/SurfaceKeys.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/LayoutInspector.h"
#include "platform/CodePage.h"
#include "platform/ErrorDisplay.h"

#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QUndoStack>
#include <QVBoxLayout>

const QString TForm1::BaseCaption = QStringLiteral("Varno Computing PLOVEX Designer (Prototype)");

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setGeometry(247, 181, 870, 578);
    TAccessibleFactory::Install();

    FStatus = new QLabel(this);
    FStatus->setMinimumWidth(50);
    statusBar()->addWidget(FStatus, 1);
    // Stays while the unsaved work has no recovery copy.
    FRecoveryMark = new QLabel(QStringLiteral("Unsaved changes are not protected"), this);
    FRecoveryMark->setObjectName(QStringLiteral("RecoveryMark"));
    FRecoveryMark->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold"));
    FRecoveryMark->hide();
    FGeometryStatus = new TGeometryStatus(this);
    statusBar()->addPermanentWidget(FGeometryStatus);
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
    FInspector->setAccessibleName(QStringLiteral("Properties"));
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
        if (FProblemsDock)
            FProblemsDock->Changed({TDesignChange::Properties, InspectedControls()});
        // A rename shows at once above the inspector and in the status bar.
        if (const std::vector<QWidget *> shown = InspectedControls(); shown.size() == 1)
            ShowNameOf(shown.front());
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
        DesignerHandler->OnDoubleClick = [this](QWidget *control, const QPoint &global) {
            // After the click's own events: it may open a dialog.
            QMetaObject::invokeMethod(
                this,
                [this, target = QPointer<QWidget>(control), global] {
                    if (target)
                        Command::Run(
                            [this, &target, global] { FDoubleClick->Run(target, global); });
                },
                Qt::QueuedConnection);
        };
        DesignerHandler->SetEnabled(true);
    }
    FContainer = new TLXControlsContainer(this, FInspector);
    FContainer->setObjectName(QStringLiteral("MainPanel"));
    FContainer->setAccessibleName(QStringLiteral("Design surface"));
    FContainer->SetOnDragOver(
        [](QWidget *, QObject *, const QPoint &, bool &accept) { accept = true; });
    FContainer->SetOnDragDrop([this](QWidget *sender, QObject *source, const QPoint &pos) {
        MainPanelDragDrop(sender, source, pos);
    });
    FContainer->OnClick = [this] { MainPanelOnClick(); };
    CreateHistory();
    FDoubleClick = std::make_unique<TControlDoubleClick>(FInspector, FHistory);
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

    InstallDialogs();
}

TForm1::~TForm1()
{
    if (DesignerHandler) {
        DesignerHandler->ClearSelection();
        DesignerHandler->OnSelect = nullptr;
        DesignerHandler->OnChange = nullptr;
        DesignerHandler->OnBeginDrag = nullptr;
        DesignerHandler->OnDoubleClick = nullptr;
        DesignerHandler->PopupMenu = nullptr;
    }
    FInspector->Inspector()->OnPropertyChanging = nullptr;
    FInspector->Inspector()->OnPropertyChanged = nullptr;
    // The history goes with the surface, after this window's own part is
    // gone: it must not reach back into it on its way.
    disconnect(&FHistory->Stack(), nullptr, this, nullptr);
    FHistory->OnSelect = nullptr;
    FHistory->OnChanged = nullptr;
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
    // The problems follow each step as it is done, undone or redone.
    FHistory->OnChanged = [this](const TDesignChange &change) {
        if (FProblemsDock)
            FProblemsDock->Changed(change);
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

QWidget *TForm1::AddControlToSelected(int kindIndex)
{
    return AddControl(kindIndex, 0, FClipboard->PasteTarget(SelectedControls()), 0);
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
    TSurfaceAccessible::AnnounceSelection(FContainer);
    if (!control) {
        SetStatus(QStringLiteral("Done"));
        FHeader->setText(QStringLiteral("<None>"));
        return;
    }
    ShowNameOf(control);
}

void TForm1::ShowNameOf(QWidget *control)
{
    const QString text =
        control->objectName() + QStringLiteral(": ") + ControlsFactory->GetKindName(control);
    SetStatus(QStringLiteral("Selected ") + text);
    FHeader->setText(text);
}

void TForm1::ShowSelection(const std::vector<QWidget *> &controls)
{
    if (!FSelectionOverlay && !controls.empty())
        FSelectionOverlay = new TSelectionOverlay;
    if (FSelectionOverlay)
        FSelectionOverlay->Show(controls);
    FGeometryStatus->Show(controls);
    FCommandStates->SelectionChanged(controls.empty());
    FInspector->SetComponent(nullptr);
    if (controls.empty()) {
        ShowInTree(nullptr);
        TSurfaceAccessible::AnnounceSelection(FContainer);
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
    TSurfaceAccessible::AnnounceSelection(FContainer);
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
        // On the grid while snapping to it.
        const int step = !DesignerHandler              ? 5
                         : DesignerHandler->SnapToGrid ? std::max(1, DesignerHandler->GridStep)
                                                       : 1;
        control->move(x - x % step, y - y % step);
        AsDesigned(control)->SetName(NewControlName(target));
        AsDesigned(control)->SetVisible(true);
        FHistory->Added(QStringLiteral("Drop ") + control->objectName(), {control});
        // The new control is what the next key acts on.
        if (DesignerHandler && DesignerHandler->Enabled())
            DesignerHandler->SelectControls({control}, false);
        else
            ShowSelected(control);
        FContainer->setFocus(Qt::OtherFocusReason);
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
