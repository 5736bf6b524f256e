// The main window's menus and popup menu, and the edit and arrangement commands
// they run on the selection.
#include "app/Main.h"

#include "app/DesignOptionsMenu.h"
#include "app/EditAction.h"
#include "app/EditCommandStates.h"
#include "app/PaletteFilter.h"
#include "app/RecentFiles.h"
#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "crash/Command.h"
#include "designer/DesignClipboard.h"
#include "designer/DesignHistory.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/LXControlsContainer.h"
#include "designer/TabOrderMode.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"

#include <QApplication>
#include <QDockWidget>
#include <QMenuBar>
#include <QPointer>

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
    QAction *selectAll = editAction(QStringLiteral("Select All"), QKeySequence::SelectAll,
                                    &TForm1::mnuSelectAllClick);
    edit->addActions({cut, copy, paste, duplicate, remove, selectAll});
    FCommands.Cut = cut;
    FCommands.Copy = copy;
    FCommands.Paste = paste;
    FCommands.Delete = remove;
    // The arrangement commands of the popup menu come here once made.
    QAction *arrangement = edit->addSeparator();
    Command::Connect(edit->addAction(QStringLiteral("Clear")), &QAction::triggered, this,
                     [this] { mnuClearClick(); });
    FDisableDesigner = edit->addAction(QStringLiteral("Disable Designer"));
    FDisableDesigner->setCheckable(true);
    Command::Connect(FDisableDesigner, &QAction::triggered, this,
                     [this] { mnuDisableDesignerClick(); });

    FViewMenu = menuBar()->addMenu(QStringLiteral("View"));

    QMenu *tools = menuBar()->addMenu(QStringLiteral("Tools"));
    QMenu *options = tools->addMenu(QStringLiteral("Options"));
    FOptionsMenu = options;
    FCategorize = options->addAction(QStringLiteral("Categorize properties"));
    FCategorize->setCheckable(true);
    Command::Connect(FCategorize, &QAction::triggered, this,
                     [this] { mnuCategorizePropertiesClick(); });
    TDesignOptionsMenu::Add(options, this);

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
    auto *tabOrder = new QAction(QStringLiteral("Tab Order"), this);
    Command::Connect(tabOrder, &QAction::triggered, this,
                     [this] { TTabOrderMode::Start(FContainer->ClientWidget(), *FHistory); });
    edit->insertActions(
        arrangement, {FCommands.Alignment, FCommands.BringToFront, FCommands.SendToBack, tabOrder});
    edit->insertSeparator(FCommands.Alignment);

    FCommandStates = new TEditCommandStates({cut, copy, duplicate, remove, FCommands.Alignment,
                                             FCommands.BringToFront, FCommands.SendToBack},
                                            paste, this);
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

void TForm1::mnuSelectAllClick()
{
    if (!DesignerHandler || !DesignerHandler->Enabled())
        return;
    const std::vector<QWidget *> selection = SelectedControls();
    QWidget *container =
        selection.empty() ? FContainer : TControlPath::DesignParent(selection.front(), FContainer);
    const QList<QWidget *> all = TControlsFactory::DesignedChildren(container);
    DesignerHandler->SelectControls(std::vector<QWidget *>(all.begin(), all.end()), false);
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
