// The main window's workspace: palette, inspector, component tree, view tabs
// with their previews, and the window state kept between runs.
#include "app/Main.h"

#include "app/BrowserEngine.h"
#include "app/BusyGuard.h"
#include "app/ComponentTree.h"
#include "app/FilterEdit.h"
#include "app/FocusCommands.h"
#include "app/PaletteButton.h"
#include "app/PaletteFilter.h"
#include "app/ProblemsDock.h"
#include "app/RecentFiles.h"
#include "app/StressPreview.h"
#include "app/WaitingForm.h"
#include "controls/ControlsFactory.h"
#include "controls/LXButton.h"
#include "controls/LXCheckBox.h"
#include "controls/LXComboBox.h"
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
#include "designer/ComponentTreeModel.h"
#include "designer/DesignHistory.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "inspector/RSPropertyPreset.h"
#include "inspector/RSPropertyPresets.h"
#include "persistence/LayoutInspector.h"
#include "platform/CodePage.h"
#include "platform/ErrorDisplay.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsFile.h"
#include "presets/RSTComponentPropertyPreset.h"
#include "presets/RSTParentComponentPropertyPreset.h"

#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBox>
#include <QUrl>
#include <QVBoxLayout>

namespace
{

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

} // namespace

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
    FComponentDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                                QDockWidget::DockWidgetClosable);
    addDockWidget(Qt::RightDockWidgetArea, FComponentDock);

    FProblemsDock = new TProblemsDock(FContainer, this);
    FProblemsDock->OnSelectControl = [this](QWidget *control) {
        if (DesignerHandler)
            DesignerHandler->SelectControls({control}, false);
    };
    FProblemsDock->OnShowProperty = [this](QWidget *, const QString &property) {
        TRSCustomObjectInspector *inspector = FInspector->Inspector();
        if (TRSItemProp *row =
                inspector->FindStoredPath(inspector->Items(), CodePage::FromQString(property)))
            inspector->SelectItem(row);
        FInspector->setFocus();
    };
    addDockWidget(Qt::BottomDockWidgetArea, FProblemsDock);
    statusBar()->addPermanentWidget(FProblemsDock->CountLabel());
    FProblemsDock->AddCheckSwitches(FOptionsMenu->addMenu(QStringLiteral("Checks")));
    FProblemsDock->Schedule();
    FStressPreview = new TStressPreview(FContainer, FProblemsDock);
    FProblemsDock->OnRefreshed = [this](const std::vector<QWidget *> *changed) {
        FStressPreview->Follow(changed);
    };
    FStressPreview->AddSwitches(FViewMenu->addMenu(QStringLiteral("Stress preview")));

    connect(FPropertyFilter, &QLineEdit::textChanged, this, [this](const QString &text) {
        FInspector->Inspector()->SetRowFilter(CodePage::FromQString(text));
    });
    FPaletteFilter->OnDropKind = [this](int kindIndex) { AddControlToSelected(kindIndex); };
    // The kind dropped from the keyboard is selected, so that arrows move it
    // and the surface tells a reader what was dropped.
    for (TPaletteButton *button : FPaletteButtons)
        button->OnDropKind = [this](int kindIndex) {
            QWidget *control = AddControlToSelected(kindIndex);
            if (control && DesignerHandler)
                DesignerHandler->SelectControls({control}, false);
        };
    CreateFocusCommands();

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
    CreateViewMenu();
}

void TForm1::CreateViewMenu()
{
    // A closed dock or tool bar comes back here.
    FViewMenu->addAction(FComponentDock->toggleViewAction());
    FViewMenu->addAction(FProblemsDock->toggleViewAction());
    FToolBar->toggleViewAction()->setText(QStringLiteral("Tool Bar"));
    FViewMenu->addAction(FToolBar->toggleViewAction());
    FViewMenu->addSeparator();
}

void TForm1::CreateFocusCommands()
{
    const auto paletteButton = [this]() -> QWidget * {
        // The first button of the open page, or of the filter's list.
        for (TPaletteButton *button : FPaletteFilter->findChildren<TPaletteButton *>())
            if (button->isVisible())
                return button;
        return FPaletteFilter->Edit();
    };
    new TFocusCommands(
        FViewMenu, {{QStringLiteral("Palette"), QKeySequence(Qt::CTRL | Qt::Key_1), paletteButton},
                    {QStringLiteral("Design Surface"), QKeySequence(Qt::CTRL | Qt::Key_2),
                     [this] { return FContainer; }},
                    {QStringLiteral("Component Tree"), QKeySequence(Qt::CTRL | Qt::Key_3),
                     [this] { return FComponentTree; }},
                    {QStringLiteral("Inspector"), QKeySequence(Qt::CTRL | Qt::Key_4),
                     [this] { return FInspector; }}});
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

void TForm1::AssignPaletteTags()
{
    for (size_t i = 0; i < FPaletteButtons.size(); ++i)
        if (FPaletteClasses[i] != typeid(TLXCheckBox))
            FPaletteButtons[i]->SetTag(ControlsFactory->IndexOfClass(FPaletteClasses[i]));
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
    const bool placed = restoreGeometry(settings->value(QStringLiteral("Geometry")).toByteArray());
    if (!placed)
        PlaceFirstWindow();
    // The docks and the tool bar: where they stand, their size, floating.
    restoreState(settings->value(QStringLiteral("WindowState")).toByteArray());
    return placed;
}

void TForm1::PlaceFirstWindow()
{
    // Most of the screen also where the window cannot be maximized, and
    // most of that for the surface.
    const QRect room = screen()->availableGeometry();
    const QSize size(room.width() * 9 / 10, room.height() * 9 / 10);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, room));
    const int side = std::clamp(size.width() / 7, 150, 260);
    resizeDocks({FComponentDock}, {side}, Qt::Horizontal);
    FSplitter->setSizes({side, std::max(side, size.width() - 3 * side), side});
}

void TForm1::SaveWindowState()
{
    const std::unique_ptr<QSettings> settings = TRecentFiles::Settings();
    settings->setValue(QStringLiteral("Geometry"), saveGeometry());
    settings->setValue(QStringLiteral("Splitter"), FSplitter->saveState());
    settings->setValue(QStringLiteral("WindowState"), saveState());
    settings->setValue(QStringLiteral("PalettePage"), FControlsPane->currentIndex());
    settings->setValue(QStringLiteral("CategorizeProperties"), FCategorize->isChecked());
    // The window closes all the same: the failure is only told.
    try {
        SettingsFile::Save(*settings);
    } catch (const std::exception &error) {
        ErrorDisplay::Show(ErrorDisplay::MessageOf(error));
    }
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

QString TForm1::PreparePreviewFile(const QString &name) const
{
    // Not emptied beforehand: the write replaces the file whole, and a page
    // export must find the folder an earlier preview made, not a new file.
    return ProgramFolder::WritablePath() + name;
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

void TForm1::ShowInTree(QWidget *current)
{
    if (!FComponentTree)
        return;
    std::vector<QWidget *> selection = SelectedControls();
    if (!current && !selection.empty())
        current = selection.back();
    FComponentTree->ShowSelection(selection, current);
}
