#pragma once

#include "app/MainToolBar.h"
#include "app/RecoveryFile.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <functional>
#include <memory>
#include <typeindex>
#include <vector>

class QAction;
class QDockWidget;
class TProblemsDock;
class TStressPreview;
class QLabel;
class QMenu;
class QSplitter;
class QTabWidget;
class QToolBox;
class TLXControlsContainer;
class TRSObjectInspector;
class TMailClient;
class TPaletteButton;
class TDesignHistory;
class TDesignClipboard;
class TRecentFiles;
class TComponentTree;
class TFilterEdit;
class TPaletteFilter;
class TSelectionOverlay;
class TEditCommandStates;
class TGeometryStatus;
class TControlDoubleClick;

// The main window: palette, design surface, inspector panel, view tabs and
// menus; it owns the document state (file name and modified flag).
class TForm1 : public QMainWindow
{
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    static const QString BaseCaption;
    // The view tabs, in their order.
    enum TTab { TabDesign, TabPreview, TabHTML, TabFO };
    // What "Save as..." writes, in the order of its file types.
    enum TSaveType { SaveLayoutFile = 1, SavePage, SavePdf };

    // Document state.
    const QString &FileName() const { return FFileName; }
    // Set while the undo history is away from the state last saved, or by a
    // command that marks the design modified without a step of its own.
    bool Modified() const;
    void SetFileName(const QString &name);
    void SetModified(bool value);
    void ClearFileName() { SetFileName(QString()); }
    bool HasFileName() const { return !FFileName.isEmpty(); }
    void UpdateTitle();

    // Asks whether to save a modified design; Yes runs "Save as...". An
    // answer of Yes whose save did not happen counts as Cancel, so the
    // design is never discarded against the user's choice.
    QMessageBox::StandardButton AskSave();

    // Commands.
    void mnuNewClick();
    void mnuOpenClick();
    void mnuSaveClick();
    // Answers whether the design itself was saved as a layout; an export
    // (a web page) is not a save of the design.
    bool mnuSaveAsClick();
    // A view tab became active: writes its preview and shows it.
    void MainPagesChange(int index);
    void mnuClearClick();
    void mnuExitClick() { close(); }
    void mnuDisableDesignerClick();
    void mnuCategorizePropertiesClick();
    void mnuSendMailOutlookClick();
    void mnuFeedbackClick();
    void mnuAboutClick();

    // The address "Feedback..." writes to.
    static const QString SupportAddress;
    // Gives the writer of the design that the mail command attaches; the
    // command is disabled while there is none.
    void SetSaveDesign(std::function<void(const QString &fileName)> saveDesign);

    // Control popup menu commands, acting on the handler's selection.
    void mnuBringToFrontClick();
    void mnuSendToBackClick();
    void mnuAlignmentClick();
    void mnuDeleteClick();

    // Edit commands on the handler's selection.
    void mnuCutClick();
    void mnuCopyClick();
    void mnuPasteClick();
    void mnuDuplicateClick();
    // Selects every control of the selection's container (the surface's
    // when nothing is selected).
    void mnuSelectAllClick();
    // The selected controls, as the edit commands see them.
    std::vector<QWidget *> SelectedControls() const;

    // Opens a layout file in place of the design (Open, Recent Files, the
    // command line).
    void OpenLayout(const QString &fileName);
    // The window's geometry, splitter, palette page, docks and inspector
    // arrangement of the last run; false when none was kept, and the
    // window is placed as on the first start.
    bool RestoreWindowState();
    void PlaceFirstWindow();
    void SaveWindowState();

    // Selection display and palette drops.
    void SetStatus(const QString &text);
    void ShowSelected(QWidget *control);
    void ShowSelection(const std::vector<QWidget *> &controls);
    void MainPanelDragDrop(QWidget *sender, QObject *source, const QPoint &pos);
    QWidget *AddControl(int kindIndex, int x, QWidget *target, int y);
    QString NewControlName(QWidget *target) const;
    void MainPanelOnClick();
    void AssignPaletteTags();

    // The path of the program folder's preview file of that name.
    QString PreparePreviewFile(const QString &name) const;

    TLXControlsContainer *Container() const { return FContainer; }
    TRSObjectInspector *ObjectInspector() const { return FInspector; }
    QTabWidget *MainPages() const { return FMainPages; }
    QLabel *Header() const { return FHeader; }
    QString StatusText() const;
    QMenu *ControlPopupMenu() const { return FControlPopupMenu; }
    QAction *SaveAction() const { return FSave; }
    QAction *DisableDesignerAction() const { return FDisableDesigner; }
    QAction *SendMailAction() const { return FSendMail; }
    QAction *UndoAction() const { return FUndo; }
    QAction *RedoAction() const { return FRedo; }
    QAction *CategorizeAction() const { return FCategorize; }
    TProblemsDock *ProblemsDock() const { return FProblemsDock; }
    TStressPreview *StressPreview() const { return FStressPreview; }
    QMenu *RecentFilesMenu() const { return FRecentMenu; }
    QMenu *ViewMenu() const { return FViewMenu; }
    TDesignHistory *History() const { return FHistory; }
    TDesignClipboard *Clipboard() const { return FClipboard.get(); }
    TRecentFiles *RecentFiles() const { return FRecent; }
    QSplitter *Splitter() const { return FSplitter; }
    QToolBox *ControlsPane() const { return FControlsPane; }
    const std::vector<TPaletteButton *> &PaletteButtons() const { return FPaletteButtons; }
    TComponentTree *ComponentTree() const { return FComponentTree; }
    TFilterEdit *PropertyFilter() const { return FPropertyFilter; }
    TPaletteFilter *PaletteFilter() const { return FPaletteFilter; }
    TMainToolBar *ToolBar() const { return FToolBar; }
    // Drops a kind at the top left of the selected panel or group box, else
    // of the selection's parent, else of the surface.
    QWidget *AddControlToSelected(int kindIndex);

    // Offers the unsaved designs of designers that ended without closing,
    // newest first: Yes restores one as a modified design under its old
    // file name, No deletes it. One that cannot be restored is told and set
    // aside, and the next is offered.
    void OfferRecovery();
    void RestoreRecovery(const TRecoveryFile::TOrphan &orphan);
    TRecoveryFile *Recovery() const { return FRecovery; }
    // Shown in the status bar while unsaved changes have no recovery copy.
    QLabel *RecoveryMark() const { return FRecoveryMark; }

    // Replaceable interactions, so that the commands can be driven headless.
    std::function<QMessageBox::StandardButton()> SaveQuestion;
    // Runs "Save as..."; answers whether the design was saved.
    std::function<bool()> SaveAsCommand;
    // The file to open, or empty when the dialog was cancelled.
    std::function<QString()> OpenDialog;
    // The file to save and what to write there; false: cancelled.
    std::function<bool(QString &fileName, TSaveType &fileType)> SaveDialog;
    // Shows a preview file in the web view of a view tab.
    std::function<void(int tab, const QString &path)> Navigate;
    std::function<void(const QString &)> ShowMessage;
    // A message that leaves the window usable while it shows.
    std::function<void(const QString &)> ShowNotice;
    std::function<QMessageBox::StandardButton(const TRecoveryFile::TOrphan &)> RecoveryQuestion;
    std::function<bool(QWidget *owner, const std::vector<QWidget *> &)> AlignmentDialog;
    // Makes the mail client for one mail command; the desktop's when unset.
    std::function<std::unique_ptr<TMailClient>()> CreateMailClient;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Sets the replaceable interactions to the real dialogs and messages.
    void InstallDialogs();
    void CreateMenus();
    void ConfigureInspector();
    // Every preset of the inspector also sets the row fonts.
    void ConfigurePresets();
    QWidget *CreatePalette();
    QWidget *EnsureBrowser(int tabIndex);
    void ShowInBrowser(int tab, const QString &path);
    void CreateHistory();
    void CreateWorkspace();
    // The View menu's commands that give the keyboard to each part.
    void CreateFocusCommands();
    void CreateViewMenu();
    // Shows the design's selection and the inspected control in the tree.
    void ShowInTree(QWidget *current);
    std::vector<QWidget *> InspectedControls() const;
    // The name and kind of the one control shown, above the inspector and
    // in the status bar.
    void ShowNameOf(QWidget *control);
    // Edit commands do not act while the inspector has the keyboard.
    bool InspectorHasFocus() const;
    // Writes the design for the recovery file through an inspector of its
    // own, so that the user's inspector and its editing are left alone.
    std::string RecoveryLayout();
    TRSObjectInspector *RecoveryInspector();
    void ReportUnrestorable(const TRecoveryFile::TOrphan &orphan, const QString &error);

    QString FFileName;
    bool FModified = false;
    QString FDragVerb;
    TDesignHistory *FHistory = nullptr;
    std::unique_ptr<TDesignClipboard> FClipboard;
    TRSObjectInspector *FSnapshotInspector = nullptr;
    TRecentFiles *FRecent = nullptr;
    QMenu *FRecentMenu = nullptr;
    QMenu *FEditMenu = nullptr;
    QMenu *FViewMenu = nullptr;
    QAction *FUndo = nullptr;
    QAction *FRedo = nullptr;

    QTabWidget *FMainPages = nullptr;
    QSplitter *FSplitter = nullptr;
    QToolBox *FControlsPane = nullptr;
    QWidget *FPanel2 = nullptr;
    QLabel *FHeader = nullptr;
    TRSObjectInspector *FInspector = nullptr;
    QLabel *FStatus = nullptr;
    QLabel *FRecoveryMark = nullptr;
    TLXControlsContainer *FContainer = nullptr;
    QMenu *FControlPopupMenu = nullptr;
    QAction *FSave = nullptr;
    QAction *FDisableDesigner = nullptr;
    QAction *FCategorize = nullptr;
    QAction *FSendMail = nullptr;
    std::function<void(const QString &fileName)> FSaveDesign;
    std::vector<TPaletteButton *> FPaletteButtons;
    std::vector<std::type_index> FPaletteClasses;
    QWidget *FBrowsers[3] = {nullptr, nullptr, nullptr};
    TRecoveryFile *FRecovery = nullptr;
    std::unique_ptr<TRSObjectInspector> FRecoveryInspector;
    TMainToolBar::TCommands FCommands{};
    TComponentTree *FComponentTree = nullptr;
    QDockWidget *FComponentDock = nullptr;
    TProblemsDock *FProblemsDock = nullptr;
    TStressPreview *FStressPreview = nullptr;
    QMenu *FOptionsMenu = nullptr;
    TFilterEdit *FPropertyFilter = nullptr;
    TPaletteFilter *FPaletteFilter = nullptr;
    TMainToolBar *FToolBar = nullptr;
    // Lives in the selection's container, and goes when that one goes.
    QPointer<TSelectionOverlay> FSelectionOverlay;
    TEditCommandStates *FCommandStates = nullptr;
    TGeometryStatus *FGeometryStatus = nullptr;
    std::unique_ptr<TControlDoubleClick> FDoubleClick;
};
