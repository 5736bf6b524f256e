#include "editors/RSTStringsEditor.h"

#include "platform/AtomicFile.h"
#include "platform/CodePage.h"
#include "platform/ErrorDisplay.h"
#include "platform/Exception.h"
#include "platform/FileDialog.h"
#include "platform/UnstorableText.h"
#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSItemListView.h"
#include "propgrid/RSItemStrings.h"
#include "propgrid/RSStringList.h"

#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QVBoxLayout>

namespace
{

constexpr int kMemoPage = 0;
constexpr int kIniPage = 1;

// The file types offered by both file dialogs. The file system is case
// sensitive, so each extension is offered in both cases, and "all files"
// includes names without an extension.
QStringList FileFilters()
{
    return {QStringLiteral("Text files (*.TXT *.txt)"),
            QStringLiteral("Config files (*.SYS *.INI *.sys *.ini)"),
            QStringLiteral("Batch files (*.BAT *.bat)"), QStringLiteral("All files (*)")};
}

std::string FileNameText(const QFile &file)
{
    return CodePage::FromQString(file.fileName());
}

} // namespace

TfrmRSStringsEditor::TfrmRSStringsEditor(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("String List Editor"));
    setFixedSize(430, 279);

    lblLineCount = new QLabel(QStringLiteral("0 lines"), this);
    pcViews = new QTabWidget(this);
    tsMemo = new QWidget;
    tsINI = new QWidget;
    pcViews->addTab(tsMemo, QStringLiteral("&Memo"));
    pcViews->addTab(tsINI, QStringLiteral("&INI"));

    Memo1 = new QPlainTextEdit(tsMemo);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->installEventFilter(this);
    auto *memoLayout = new QVBoxLayout(tsMemo);
    memoLayout->setContentsMargins(0, 0, 0, 0);
    memoLayout->addWidget(Memo1);

    IniEditor = new TRSItemListView(tsINI);
    TRSCustomItemListEditor *grid = IniEditor->Grid();
    grid->SetPropertyOptions(propEdit | propAdd | propDelete);
    grid->SetOptions(grid->Options() | goTabs);
    grid->SetCol(0);
    auto *iniLayout = new QVBoxLayout(tsINI);
    iniLayout->setContentsMargins(0, 0, 0, 0);
    iniLayout->addWidget(IniEditor);

    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnHelp = new QPushButton(QStringLiteral("&Help"), this);
    // There is no help system to ask.
    btnHelp->setEnabled(false);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    StringEditorMenu = new QMenu(this);
    StringEditorMenu->addAction(QStringLiteral("Load..."), this,
                                [this] { RunMenuCommand(&TfrmRSStringsEditor::Load1Click); });
    StringEditorMenu->addAction(QStringLiteral("Save..."), this,
                                [this] { RunMenuCommand(&TfrmRSStringsEditor::Save1Click); });
    for (QWidget *view : {static_cast<QWidget *>(Memo1), static_cast<QWidget *>(IniEditor)}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint &pos) {
            const auto *area = static_cast<QAbstractScrollArea *>(view);
            StringEditorMenu->popup(area->viewport()->mapToGlobal(pos));
        });
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnHelp);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblLineCount);
    layout->addWidget(pcViews, 1);
    layout->addLayout(buttons);

    connect(Memo1, &QPlainTextEdit::textChanged, this, &TfrmRSStringsEditor::UpdateLineCount);
    connect(pcViews, &QTabWidget::currentChanged, this, &TfrmRSStringsEditor::pcViewsChange);

    OnChooseLoadFile = [this] { return RunLoadDialog(); };
    OnChooseSaveFile = [this](const QString &suggested) { return RunSaveDialog(suggested); };

    FFocusOnShow = Memo1;
    pcViews->setCurrentIndex(kMemoPage);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TfrmRSStringsEditor::~TfrmRSStringsEditor() = default;

std::vector<std::string> TfrmRSStringsEditor::Lines() const
{
    return RSSplitLines(CodePage::FromQStringChecked(Memo1->toPlainText()));
}

void TfrmRSStringsEditor::SetMemoLines(const std::vector<std::string> &lines)
{
    // Every line ends with a break, so a trailing empty line survives.
    std::string text;
    for (const std::string &line : lines)
        text += line + "\n";
    Memo1->setPlainText(CodePage::ToQString(text));
}

void TfrmRSStringsEditor::SetLines(const std::vector<std::string> &lines)
{
    SetMemoLines(lines);
    SetGridLines(lines);
}

std::vector<std::string> TfrmRSStringsEditor::GridLines() const
{
    TRSItemStrings &strings = IniEditor->Grid()->Strings();
    std::vector<std::string> lines;
    for (int i = 0; i < strings.Count(); ++i)
        lines.push_back(strings.Get(i));
    return lines;
}

void TfrmRSStringsEditor::SetGridLines(const std::vector<std::string> &lines)
{
    TRSStringList list;
    for (const std::string &line : lines)
        list.Add(line);
    IniEditor->Grid()->SetStrings(list);
}

void TfrmRSStringsEditor::SetMemoViewVisible(bool value)
{
    if (value == FMemoViewVisible)
        return;
    FMemoViewVisible = value;
    UpdateTabs();
    UpdateViews();
}

void TfrmRSStringsEditor::SetIniViewVisible(bool value)
{
    if (value == FIniViewVisible)
        return;
    FIniViewVisible = value;
    UpdateTabs();
    UpdateViews();
}

// A page whose view is not allowed loses its tab; a single remaining view is
// shown without any tab, so the tab bar goes when fewer than two are allowed.
void TfrmRSStringsEditor::UpdateTabs()
{
    pcViews->setTabEnabled(kMemoPage, FMemoViewVisible);
    pcViews->setTabEnabled(kIniPage, FIniViewVisible);
    pcViews->tabBar()->setVisible(FMemoViewVisible && FIniViewVisible);
}

void TfrmRSStringsEditor::UpdateViews()
{
    QWidget *page = nullptr;
    if (FIniViewVisible && !FMemoViewVisible) {
        page = tsINI;
        FFocusOnShow = IniEditor;
    } else if (FMemoViewVisible && !FIniViewVisible) {
        page = tsMemo;
        FFocusOnShow = Memo1;
    } else {
        return;
    }
    // Choosing the page here is not a switch by the user: no write-back.
    FUpdatingViews = true;
    pcViews->setCurrentWidget(page);
    FUpdatingViews = false;
    FFocusOnShow->setFocus();
}

void TfrmRSStringsEditor::UpdateLineCount()
{
    const QTextDocument *doc = Memo1->document();
    int count = doc->blockCount();
    // A final line break adds no line.
    if (doc->lastBlock().text().isEmpty())
        --count;
    lblLineCount->setText(QStringLiteral("%1 %2").arg(count).arg(
        count == 1 ? QStringLiteral("line") : QStringLiteral("lines")));
}

void TfrmRSStringsEditor::pcViewsChange(int index)
{
    if (FUpdatingViews)
        return;
    if (index == kMemoPage) {
        SetLines(GridLines());
    } else if (index == kIniPage) {
        // Text the code page cannot hold stays in the memo, to be mended.
        try {
            SetGridLines(Lines());
        } catch (const EUnstorableText &error) {
            FUpdatingViews = true;
            pcViews->setCurrentIndex(kMemoPage);
            FUpdatingViews = false;
            ErrorDisplay::Show(error.Message());
        }
    }
}

void TfrmRSStringsEditor::done(int result)
{
    // Whatever the result, Lines holds what the user last saw; OK is
    // refused while that holds text the code page cannot store.
    try {
        if (pcViews->currentIndex() == kIniPage) {
            if (result == Accepted)
                IniEditor->ValidateEditor();
            SetLines(GridLines());
        } else if (result == Accepted) {
            CodePage::CheckStorable(Memo1->toPlainText());
        }
    } catch (const EUnstorableText &error) {
        ErrorDisplay::Show(error.Message());
        return;
    }
    QDialog::done(result);
}

bool TfrmRSStringsEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Memo1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        btnCancel->click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmRSStringsEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FFocusOnShow->setFocus();
}

void TfrmRSStringsEditor::RunMenuCommand(void (TfrmRSStringsEditor::*command)())
{
    // A file error is shown by the program's error display; the dialog stays.
    try {
        (this->*command)();
    } catch (const std::exception &e) {
        ErrorDisplay::Show(ErrorDisplay::MessageOf(e));
    }
}

void TfrmRSStringsEditor::Load1Click()
{
    const QString fileName = OnChooseLoadFile();
    if (fileName.isEmpty())
        return;
    FLoadFileName = fileName;
    LoadFromFile(fileName);
}

void TfrmRSStringsEditor::Save1Click()
{
    const QString fileName = OnChooseSaveFile(FLoadFileName);
    if (!fileName.isEmpty())
        SaveToFile(fileName);
}

void TfrmRSStringsEditor::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception("Cannot open file \"" + FileNameText(file) + "\". " +
                        CodePage::FromQString(file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Exception("Cannot read file \"" + FileNameText(file) + "\". " +
                        CodePage::FromQString(file.errorString()));
    SetMemoLines(RSSplitLines(bytes.toStdString()));
}

void TfrmRSStringsEditor::SaveToFile(const QString &fileName) const
{
    std::string text;
    for (const std::string &line : Lines())
        text += line + "\r\n";
    AtomicFile::Write(fileName, text);
}

QString TfrmRSStringsEditor::RunLoadDialog()
{
    TFileDialog dialog(this, QStringLiteral("Load string list"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(FileFilters());
    dialog.setDefaultSuffix(QStringLiteral("TXT"));
    if (!FLoadFileName.isEmpty())
        dialog.selectFile(FLoadFileName);
    return dialog.Run();
}

QString TfrmRSStringsEditor::RunSaveDialog(const QString &suggested)
{
    TFileDialog dialog(this, QStringLiteral("Save string list"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(FileFilters());
    if (!suggested.isEmpty())
        dialog.selectFile(suggested);
    return dialog.Run();
}
