#include "support/DesignerSingletons.h"
#include "support/FileBytes.h"
#include "support/HookGuard.h"
#include "support/TestPictures.h"

#include "app/Main.h"
#include "app/WaitingForm.h"
#include "controls/LXDesigned.h"
#include "controls/LXImage.h"
#include "designer/DesignHistory.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "platform/ErrorDisplay.h"
#include "reflection/TypInfo.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        form->SaveQuestion = [this] {
            ++questions;
            return answer;
        };
        form->SaveAsCommand = [this] {
            ++saveDialogs;
            return saveSucceeds;
        };
    }

    bool CloseAccepted()
    {
        QCloseEvent close;
        QCoreApplication::sendEvent(form.get(), &close);
        return close.isAccepted();
    }

    std::unique_ptr<TForm1> form;
    QMessageBox::StandardButton answer = QMessageBox::No;
    bool saveSucceeds = false;
    int questions = 0;
    int saveDialogs = 0;
};

TEST_F(MainWindowTest, TitleFollowsFileNameAndModifiedFlag)
{
    EXPECT_EQ(form->windowTitle(), "Varno Computing PLOVEX Designer (Prototype)");
    EXPECT_FALSE(form->SaveAction()->isEnabled());
    form->SetModified(true);
    EXPECT_EQ(form->windowTitle(), "Varno Computing PLOVEX Designer (Prototype) *");
    form->SetFileName("/tmp/forms/order.xml");
    EXPECT_EQ(form->windowTitle(), "Varno Computing PLOVEX Designer (Prototype) - [order.xml]");
    EXPECT_TRUE(form->SaveAction()->isEnabled());
    EXPECT_FALSE(form->Modified());
    form->SetModified(true);
    EXPECT_TRUE(form->windowTitle().endsWith("[order.xml] *"));
    form->ClearFileName();
    EXPECT_EQ(form->windowTitle(), TForm1::BaseCaption);
    EXPECT_FALSE(form->SaveAction()->isEnabled());
}

TEST_F(MainWindowTest, DropNamesControlsAndMarksTheDesignModified)
{
    QWidget *button = form->AddControl(1, 13, nullptr, 27);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->pos(), QPoint(10, 25));
    EXPECT_EQ(button->objectName(), "Control1");
    EXPECT_EQ(AsDesigned(button)->Text(), "Control1");
    EXPECT_EQ(form->StatusText(), "Selected Control1: Button");
    EXPECT_EQ(form->Header()->text(), "Control1: Button");
    EXPECT_TRUE(form->windowTitle().endsWith(" *"));

    QWidget *panel = form->AddControl(8, 50, nullptr, 50);
    QWidget *inner = form->AddControl(2, 7, panel, 8);
    EXPECT_EQ(inner->parentWidget(), panel);
    EXPECT_EQ(inner->pos(), QPoint(5, 5));
    EXPECT_EQ(inner->objectName(), "Control1") << "names are unique per drop target";

    delete button;
    EXPECT_EQ(form->AddControl(0, 0, nullptr, 0)->objectName(), "Control1");
    QWidget *grid = form->AddControl(11, 0, nullptr, 0);
    EXPECT_EQ(grid->size(), QSize(330, 130));

    form->SetModified(false);
    EXPECT_EQ(form->AddControl(99, 0, nullptr, 0), nullptr);
    EXPECT_TRUE(form->Modified()) << "an unknown kind still marks the design modified";
}

TEST_F(MainWindowTest, DroppingSomethingElseIsRefused)
{
    QString message;
    form->ShowMessage = [&](const QString &text) { message = text; };
    QLabel stranger;
    form->MainPanelDragDrop(form->Container(), &stranger, QPoint(5, 5));
    EXPECT_EQ(message, "Wrong element dropped");
    EXPECT_TRUE(form->Container()->Controls().isEmpty());
}

TEST_F(MainWindowTest, CloseAsksOnlyForAModifiedNonEmptyDesign)
{
    EXPECT_TRUE(CloseAccepted());
    form->SetModified(true);
    EXPECT_TRUE(CloseAccepted()) << "nothing on the surface: nothing to save";
    EXPECT_EQ(questions, 0);

    form->AddControl(1, 0, nullptr, 0);
    answer = QMessageBox::Cancel;
    EXPECT_FALSE(CloseAccepted());
    answer = QMessageBox::No;
    EXPECT_TRUE(CloseAccepted());
    EXPECT_EQ(questions, 2);
    EXPECT_EQ(saveDialogs, 0);
}

TEST_F(MainWindowTest, YesSavesAndAnUnsavedYesKeepsTheDesign)
{
    form->SetFileName("/tmp/known.xml");
    form->AddControl(1, 0, nullptr, 0);
    answer = QMessageBox::Yes;
    saveSucceeds = false;
    EXPECT_FALSE(CloseAccepted()) << "a cancelled save dialog must not discard the design";
    EXPECT_EQ(saveDialogs, 1) << "Yes always opens the save-as dialog";
    form->mnuNewClick();
    EXPECT_EQ(form->Container()->Controls().size(), 1);

    saveSucceeds = true;
    EXPECT_TRUE(CloseAccepted());
    form->mnuNewClick();
    EXPECT_TRUE(form->Container()->Controls().isEmpty());
}

TEST_F(MainWindowTest, NewHonoursCancelAndClearsOtherwise)
{
    QWidget *panel = form->AddControl(8, 0, nullptr, 0);
    QPointer<QWidget> nested = form->AddControl(1, 0, panel, 0);
    answer = QMessageBox::Cancel;
    form->mnuNewClick();
    EXPECT_EQ(form->Container()->Controls().size(), 1);
    EXPECT_TRUE(form->Modified());

    answer = QMessageBox::No;
    form->mnuNewClick();
    EXPECT_TRUE(form->Container()->Controls().isEmpty());
    EXPECT_TRUE(nested.isNull()) << "controls inside panels go with them";
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(form->StatusText(), "Done");
    EXPECT_EQ(form->Header()->text(), "<None>");
    EXPECT_EQ(WaitingForm(), nullptr);
}

TEST_F(MainWindowTest, DeletionWaitsUntilThePostingCommandReturned)
{
    QPointer<QWidget> a = form->AddControl(1, 0, nullptr, 0);
    QPointer<QWidget> b = form->AddControl(1, 100, nullptr, 0);
    DesignerHandler->SelectControl(a, false);
    DesignerHandler->SelectControl(b, true);
    DesignerHandler->DeleteSelected(form.get());
    EXPECT_FALSE(a.isNull());
    EXPECT_FALSE(b.isNull());
    EXPECT_EQ(DesignerHandler->Selection().size(), 2u);
    QCoreApplication::sendPostedEvents(form.get());
    // The controls left the design; the undo history keeps them.
    EXPECT_TRUE(form->Container()->Controls().isEmpty());
    EXPECT_TRUE(DesignerHandler->Selection().empty());
    form->History()->Stack().clear();
    EXPECT_TRUE(a.isNull());
    EXPECT_TRUE(b.isNull());
}

TEST_F(MainWindowTest, PopupCommandsRestackAlignAndDelete)
{
    QWidget *a = form->AddControl(1, 0, nullptr, 0);
    QWidget *b = form->AddControl(1, 20, nullptr, 10);
    DesignerHandler->SelectControl(a, false);
    form->SetModified(false);
    form->mnuBringToFrontClick();
    EXPECT_EQ(form->Container()->Controls().back(), a);
    EXPECT_TRUE(form->Modified());
    form->mnuSendToBackClick();
    EXPECT_EQ(form->Container()->Controls().front(), a);

    DesignerHandler->SelectControl(b, true);
    form->mnuBringToFrontClick();
    EXPECT_EQ(form->Container()->Controls().back(), b) << "the last selected ends on top";

    form->SetModified(false);
    form->AlignmentDialog = [](QWidget *, const std::vector<QWidget *> &) { return false; };
    form->mnuAlignmentClick();
    EXPECT_FALSE(form->Modified()) << "a cancelled alignment changes nothing";
    std::vector<QWidget *> aligned;
    form->AlignmentDialog = [&](QWidget *, const std::vector<QWidget *> &list) {
        aligned = list;
        return true;
    };
    form->mnuAlignmentClick();
    EXPECT_TRUE(form->Modified());
    EXPECT_EQ(aligned.size(), 2u);

    QPointer<QWidget> gone = a;
    form->mnuDeleteClick();
    EXPECT_FALSE(gone.isNull());
    EXPECT_EQ(form->Container()->Controls().size(), 2);
    QCoreApplication::sendPostedEvents(form.get());
    EXPECT_EQ(form->Container()->Controls().size(), 0);
    form->UndoAction()->trigger();
    EXPECT_EQ(form->Container()->Controls().size(), 2) << "one step brings both back";
}

TEST_F(MainWindowTest, DisablingTheDesignerHidesTheToolsAndMarksModified)
{
    form->show();
    QWidget *button = form->AddControl(1, 0, nullptr, 0);
    DesignerHandler->SelectControl(button, false);
    form->SetModified(false);
    form->DisableDesignerAction()->trigger();
    EXPECT_FALSE(DesignerHandler->Enabled());
    EXPECT_TRUE(DesignerHandler->Selection().empty());
    EXPECT_FALSE(form->Header()->isVisible());
    EXPECT_TRUE(form->Modified());
    form->DisableDesignerAction()->trigger();
    EXPECT_TRUE(DesignerHandler->Enabled());
    EXPECT_TRUE(form->Header()->isVisible());
}

TEST_F(MainWindowTest, WaitingOverlayIsSingleAndKeepsItsTextWhenGivenNone)
{
    ShowWaiting(form.get(), "Saving data...");
    TWaitingForm *first = WaitingForm();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->size(), QSize(436, 128));
    ShowWaiting(form.get(), "Opening data...");
    EXPECT_EQ(WaitingForm()->Text(), "Opening data...");
    SetWaitingText("");
    EXPECT_EQ(WaitingForm()->Text(), "Opening data...");
    HideWaiting();
    EXPECT_EQ(WaitingForm(), nullptr);
    HideWaiting();
}

TEST_F(MainWindowTest, TabsAndPreviewFiles)
{
    QTabWidget *pages = form->MainPages();
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->tabText(0), "Design");
    EXPECT_EQ(pages->tabText(1), "Preview");
    EXPECT_EQ(pages->tabText(2), "Html");
    EXPECT_EQ(pages->tabText(3), "FO");
    EXPECT_FALSE(pages->isTabVisible(3));
    EXPECT_EQ(pages->currentIndex(), 0);

    // A preview file is not emptied ahead of the write that replaces it whole.
    const QString path = form->PreparePreviewFile("PreviewProbe.txt");
    EXPECT_EQ(QFileInfo(path).fileName(), "PreviewProbe.txt");
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace

namespace
{

class DocumentCommandsTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        form->SaveAsCommand = [this] { return form->mnuSaveAsClick(); };
        form->SaveDialog = [this](QString &fileName, TForm1::TSaveType &fileType) {
            fileName = chosen;
            fileType = chosenType;
            return !chosen.isEmpty();
        };
        form->OpenDialog = [this] { return chosen; };
        form->Navigate = [this](int tab, const QString &path) { shown.emplace_back(tab, path); };
    }

    QTemporaryDir dir;
    QString chosen;
    TForm1::TSaveType chosenType = TForm1::SaveLayoutFile;
    std::vector<std::pair<int, QString>> shown;
};

TEST_F(DocumentCommandsTest, SaveAsOpenAndSaveKeepTheDocumentState)
{
    QWidget *panel = form->AddControl(8, 20, nullptr, 20);
    form->AddControl(1, 5, panel, 5);
    chosen = dir.filePath("form.xml");
    EXPECT_TRUE(form->mnuSaveAsClick());
    EXPECT_EQ(form->FileName(), chosen);
    EXPECT_FALSE(form->Modified());
    EXPECT_TRUE(form->windowTitle().endsWith("[form.xml]"));

    form->mnuClearClick();
    EXPECT_TRUE(form->Container()->Controls().isEmpty());
    form->mnuOpenClick();
    ASSERT_EQ(form->Container()->Controls().size(), 1);
    EXPECT_EQ(TControlsFactory::DesignedChildren(form->Container()->Controls().front()).size(), 1);
    EXPECT_EQ(form->FileName(), chosen);
    EXPECT_TRUE(form->ObjectInspector()->isVisibleTo(form.get()));
    EXPECT_EQ(WaitingForm(), nullptr);

    form->SetModified(true);
    form->mnuSaveClick();
    EXPECT_FALSE(form->Modified());

    chosen.clear();
    EXPECT_FALSE(form->mnuSaveAsClick()) << "a cancelled dialog changes nothing";
}

TEST_F(DocumentCommandsTest, TheCommandLineExporterReadsAndWritesTheSameLayoutAsTheWindow)
{
    QWidget *panel = form->AddControl(8, 20, nullptr, 20);
    form->AddControl(1, 5, panel, 5);
    form->AddControl(11, 40, nullptr, 120);
    chosen = dir.filePath("form.xml");
    ASSERT_TRUE(form->mnuSaveAsClick());

    // As the exporter does: a surface without an inspector the user sees.
    TLXControlsContainer container(nullptr, nullptr);
    container.LoadLayout(chosen);
    container.SaveLayout(dir.filePath("again.xml"));
    QFile first(chosen), second(dir.filePath("again.xml"));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    const QByteArray written = first.readAll();
    EXPECT_FALSE(written.contains("name=\"Cursor\"")) << "filtered properties stay out of files";
    EXPECT_EQ(second.readAll(), written);
}

TEST_F(DocumentCommandsTest, PicturesOfAnHtmlExportAreNamedThroughThePagesOfTheWindow)
{
    auto *image = static_cast<TLXImage *>(form->AddControl(10, 0, nullptr, 0));
    ASSERT_NE(image, nullptr);
    image->Picture().SetGraphic(BitmapOf(BitmapFileBytes(2, 2)));
    chosen = dir.filePath("page.htm");
    chosenType = TForm1::SavePage;
    EXPECT_FALSE(form->mnuSaveAsClick()) << "a page is not a save of the design";
    EXPECT_TRUE(QFileInfo(dir.filePath("page.htm/images/Form1_MainPages_TabDesign_MainPanel_"
                                       "Control1.BMP"))
                    .isFile());
}

TEST_F(DocumentCommandsTest, HtmlExportLeavesTheTitleAndViewTabsWritePreviews)
{
    form->AddControl(1, 16, nullptr, 8);
    form->SetModified(true);
    const QString before = form->windowTitle();
    chosen = dir.filePath("page.htm");
    chosenType = TForm1::SavePage;
    EXPECT_FALSE(form->mnuSaveAsClick()) << "an exported page is not a save of the design";
    EXPECT_TRUE(QFileInfo(dir.filePath("page.htm/page.htm")).isFile());
    EXPECT_TRUE(QFileInfo(dir.filePath("page.htm/images")).isDir());
    EXPECT_EQ(form->windowTitle(), before);

    form->MainPagesChange(1);
    form->MainPagesChange(2);
    form->MainPagesChange(2);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_TRUE(shown[0].second.endsWith("NativePreview.xml"));
    EXPECT_TRUE(shown[1].second.endsWith("HTMLPreview.htm/HTMLPreview.htm"));
    EXPECT_EQ(shown[2].second, shown[1].second) << "the second switch writes into the same folder";
    EXPECT_TRUE(QFileInfo(shown[2].second).isFile());
    EXPECT_EQ(WaitingForm(), nullptr);
}

TEST_F(DocumentCommandsTest, TheInspectorShowsTheSelectionWithoutHiddenProperties)
{
    form->resize(870, 578);
    form->show();
    QWidget *button = form->AddControl(1, 0, nullptr, 0);
    QCoreApplication::processEvents();
    TRSCustomObjectInspector *inspector = form->ObjectInspector()->Inspector();
    EXPECT_EQ(inspector->LeftCol(), 0) << "the names column stays in view when both fit";
    EXPECT_EQ(form->ObjectInspector()->Component(), AsDesigned(button));
    ASSERT_NE(inspector->Items()->FindPath("Caption"), nullptr);
    EXPECT_EQ(inspector->Items()->FindPath("Caption")->Value(), "Control1");
    EXPECT_EQ(inspector->Items()->FindPath("Tag"), nullptr);
    EXPECT_EQ(inspector->Items()->FindPath("Cursor"), nullptr);
    EXPECT_NE(inspector->Items()->FindPath("Font.Style.fsBold"), nullptr);

    QWidget *edit = form->AddControl(2, 100, nullptr, 0);
    DesignerHandler->SelectControl(button, false);
    DesignerHandler->SelectControl(edit, true);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(inspector->Objects().Count(), 2);
    EXPECT_EQ(inspector->Items()->FindPath("Caption"), nullptr) << "only common properties";
    TRSItemProp *width = inspector->Items()->FindPath("Width");
    ASSERT_NE(width, nullptr);
    width->SetValue("90");
    static_cast<TRSItemProperty *>(width)->Apply();
    EXPECT_EQ(button->width(), 90);
    EXPECT_EQ(edit->width(), 90);

    form->MainPanelOnClick();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(inspector->Objects().Count(), 0);
}

} // namespace

namespace
{

TEST_F(DocumentCommandsTest, OpenAsksFirstAndABadFileChangesNothing)
{
    form->SetFileName(dir.filePath("mine.xml"));
    form->AddControl(1, 0, nullptr, 0);
    answer = QMessageBox::Cancel;
    chosen = dir.filePath("bad.xml");
    Put(chosen, "<root>\n  <control type=\"Button\">");
    form->mnuOpenClick();
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(form->Container()->Controls().size(), 1) << "Cancel ends the command";

    answer = QMessageBox::No;
    QString error;
    const THookGuard display(ErrorDisplay::Show, [&](const QString &m) { error = m; });
    try {
        form->mnuOpenClick();
    } catch (const std::exception &e) {
        error = e.what();
    }
    // The message says where the file went wrong.
    EXPECT_EQ(error, chosen + ":2:26: Expecting \"/\".");
    EXPECT_EQ(form->Container()->Controls().size(), 1);
    EXPECT_EQ(form->FileName(), dir.filePath("mine.xml"));
    EXPECT_TRUE(form->Modified());
    EXPECT_EQ(WaitingForm(), nullptr);
}

TEST_F(DocumentCommandsTest, AnErrorOfAMenuCommandIsShownAndGoesNoFurther)
{
    form->SetFileName(dir.filePath("mine.xml"));
    form->AddControl(1, 0, nullptr, 0);
    answer = QMessageBox::No;
    chosen = dir.filePath("notes.txt");
    Put(chosen, "shopping list");
    QStringList shown;
    const THookGuard display(ErrorDisplay::Show, [&](const QString &m) { shown << m; });
    QAction *open = nullptr;
    for (QAction *action : form->findChildren<QAction *>())
        if (action->text() == "Open...")
            open = action;
    ASSERT_NE(open, nullptr);
    // The real action, as the menu and the tool bar trigger it: nothing
    // escapes to the caller.
    EXPECT_NO_THROW(open->trigger());
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("is not a form layout")) << shown[0].toStdString();
    EXPECT_EQ(form->Container()->Controls().size(), 1);
    EXPECT_EQ(form->FileName(), dir.filePath("mine.xml"));
    EXPECT_TRUE(form->Modified());
}

} // namespace

namespace
{

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

TEST_F(MainWindowTest, HiddenControlsStaySelectableWhileDesigning)
{
    form->show();
    QWidget *button = form->AddControl(1, 0, nullptr, 0);
    QCoreApplication::processEvents();
    PaintCounter counter;
    button->installEventFilter(&counter);
    TypInfo::WriteFromVariant(AsDesigned(button), "Visible", TVariant("False"));
    QCoreApplication::processEvents();
    EXPECT_GT(counter.paints, 0) << "repainted at once to show its hatching";
    button->removeEventFilter(&counter);
    EXPECT_TRUE(button->isVisible()) << "still on the surface while designing";
    EXPECT_EQ(TypInfo::GetEnumProp(AsDesigned(button), "Visible"), "False");
    form->DisableDesignerAction()->trigger();
    EXPECT_FALSE(button->isVisible()) << "hidden when the form runs live";
    form->DisableDesignerAction()->trigger();
    EXPECT_TRUE(button->isVisible());
}

TEST_F(MainWindowTest, SaveDialogGivesATypedNameTheExtensionOfTheChosenType)
{
    QTemporaryDir dir;
    // Chooses a type in the dialog's type box by key, enters a bare name and
    // presses Return.
    auto answerDialog = [&dir](int typeKey) {
        QTimer::singleShot(0, [&dir, typeKey] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto *types = dialog->findChild<QComboBox *>("fileTypeCombo");
            auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
            ASSERT_TRUE(types && name);
            QTest::keyClick(types, static_cast<Qt::Key>(typeKey));
            name->setFocus();
            name->setText(dir.filePath("page"));
            QTest::keyClick(name, Qt::Key_Return);
            if (dialog->isVisible())
                dialog->reject();
        });
    };
    QString fileName;
    TForm1::TSaveType fileType = TForm1::SavePdf;
    answerDialog(Qt::Key_Down);
    ASSERT_TRUE(form->SaveDialog(fileName, fileType));
    EXPECT_EQ(fileType, TForm1::SavePage);
    EXPECT_EQ(fileName.toStdString(), dir.filePath("page.htm").toStdString());

    answerDialog(Qt::Key_Up);
    ASSERT_TRUE(form->SaveDialog(fileName, fileType));
    EXPECT_EQ(fileType, TForm1::SaveLayoutFile);
    EXPECT_EQ(fileName.toStdString(), dir.filePath("page.xml").toStdString());

    answerDialog(Qt::Key_End);
    ASSERT_TRUE(form->SaveDialog(fileName, fileType));
    EXPECT_EQ(fileType, TForm1::SavePdf);
    EXPECT_EQ(fileName.toStdString(), dir.filePath("page.pdf").toStdString());
}

} // namespace
