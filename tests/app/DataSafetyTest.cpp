#include "support/DesignerSingletons.h"

#include "app/Main.h"
#include "app/RecoveryFile.h"
#include "controls/LXDesigned.h"
#include "designer/LXControlsContainer.h"
#include "platform/Exception.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void RemoveRecoveryFiles()
{
    QDir(TRecoveryFile::Folder()).removeRecursively();
}

class DataSafetyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        form->SaveQuestion = [this] { return answer; };
        form->OpenDialog = [this] { return chosen; };
        form->SaveDialog = [this](QString &fileName, int &fileType) {
            fileName = chosen;
            fileType = chosenType;
            return !chosen.isEmpty();
        };
    }

    // Sends a close event as closing the window does; an error that leaves
    // the handler is caught as the application's handler would.
    bool CloseAccepted(QString *error = nullptr)
    {
        QCloseEvent close;
        try {
            QCoreApplication::sendEvent(form.get(), &close);
        } catch (const std::exception &e) {
            if (error)
                *error = QString::fromLocal8Bit(e.what());
        }
        return close.isAccepted();
    }

    QString SavedBytesPath(const QString &name)
    {
        const QString path = dir.filePath(name);
        form->Container()->SaveLayout(path);
        return path;
    }

    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    QString chosen;
    int chosenType = 1;
};

TEST_F(DataSafetyTest, AFailedCancelledOrExportingSaveKeepsTheWindowOpen)
{
    form->AddControl(1, 0, nullptr, 0);

    // Yes, then a path that cannot be written.
    chosen = dir.filePath("no/such/folder/form.xml");
    QString error;
    EXPECT_FALSE(CloseAccepted(&error)) << "the save failed, the design must stay";
    EXPECT_TRUE(error.startsWith("Cannot create file")) << error.toStdString();

    // Yes, then an error raised by the save command itself.
    form->SaveAsCommand = []() -> bool { throw Exception("Disk full"); };
    error.clear();
    EXPECT_FALSE(CloseAccepted(&error));
    EXPECT_EQ(error, "Disk full");
    form->SaveAsCommand = [this] { return form->mnuSaveAsClick(); };

    // Yes, then the web page type: a page is written, the design is not.
    chosen = dir.filePath("page.htm");
    chosenType = 2;
    EXPECT_FALSE(CloseAccepted());
    EXPECT_TRUE(QFileInfo(dir.filePath("page.htm/page.htm")).isFile());
    EXPECT_TRUE(form->Modified());

    // Yes, then the dialog cancelled.
    chosen.clear();
    EXPECT_FALSE(CloseAccepted());
    form->mnuNewClick();
    EXPECT_EQ(form->Container()->Controls().size(), 1) << "New keeps a design that was not saved";

    chosen = dir.filePath("form.xml");
    chosenType = 1;
    EXPECT_TRUE(CloseAccepted());
    EXPECT_TRUE(QFileInfo(chosen).isFile());
}

TEST_F(DataSafetyTest, AFileThatIsNoLayoutIsRefusedAndChangesNothing)
{
    form->AddControl(1, 0, nullptr, 0);
    form->SetFileName(dir.filePath("mine.xml"));
    form->SetModified(true);
    const QByteArray design = Bytes(SavedBytesPath("before.xml"));
    answer = QMessageBox::No;

    WriteBytes(dir.filePath("empty.xml"), QByteArray());
    WriteBytes(dir.filePath("comment.xml"), "<?xml version=\"1.0\"?><!-- nothing -->");
    WriteBytes(dir.filePath("page.xml"), "<HTML><BODY>HTML Preview</BODY></HTML>");
    for (const char *name : {"empty.xml", "comment.xml", "page.xml"}) {
        chosen = dir.filePath(name);
        QString error;
        try {
            form->mnuOpenClick();
        } catch (const std::exception &e) {
            error = QString::fromLocal8Bit(e.what());
        }
        EXPECT_TRUE(error.contains("is not a form layout")) << name << ": " << error.toStdString();
        EXPECT_EQ(form->FileName(), dir.filePath("mine.xml")) << name;
        EXPECT_TRUE(form->Modified()) << name;
        EXPECT_EQ(Bytes(SavedBytesPath("after.xml")), design) << name;
    }

    // The command-line exporter refuses them the same way.
    QProcess exporter;
    exporter.start(QCoreApplication::applicationDirPath() + "/../formdesigner-export",
                   {"xml", dir.filePath("empty.xml"), dir.filePath("out.xml")});
    ASSERT_TRUE(exporter.waitForFinished());
    EXPECT_NE(exporter.exitCode(), 0);
    EXPECT_TRUE(exporter.readAllStandardError().contains("is not a form layout"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("out.xml")));
}

TEST_F(DataSafetyTest, KeysTypedAfterClickingAControlGoToTheSurface)
{
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    auto *edit = static_cast<QLineEdit *>(form->AddControl(2, 20, nullptr, 20));
    edit->show();
    const QString text = edit->text();

    QTest::mouseClick(edit, Qt::LeftButton, {}, {10, 5});
    QTest::keyClicks(QApplication::focusWidget() ? QApplication::focusWidget() : form.get(), "zz");
    EXPECT_EQ(edit->text(), text);
    EXPECT_FALSE(edit->hasFocus());
    QWidget *focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(focus == form->Container()->widget() || focus == form->Container())
        << focus->metaObject()->className();

    // With the designer off, the control is live again.
    form->DisableDesignerAction()->trigger();
    QTest::mouseClick(edit, Qt::LeftButton, {}, {10, 5});
    EXPECT_TRUE(edit->hasFocus());
    QTest::keyClicks(edit, "zz");
    EXPECT_EQ(edit->text().size(), text.size() + 2);
    EXPECT_TRUE(edit->text().contains("zz"));
}

TEST_F(DataSafetyTest, CaptionsAndHintsShowTheirTextLiterally)
{
    QWidget *label = form->AddControl(0, 0, nullptr, 0);
    AsDesigned(label)->SetText("<b>Total</b>");
    EXPECT_EQ(static_cast<QLabel *>(label)->textFormat(), Qt::PlainText);
    EXPECT_EQ(static_cast<QLabel *>(label)->text(), "<b>Total</b>");

    AsDesigned(label)->SetHint("<i>x</i> & y");
    AsDesigned(label)->SetShowHint(true);
    const QString tip = label->toolTip();
    EXPECT_TRUE(tip.contains("&lt;i&gt;x&lt;/i&gt; &amp; y")) << tip.toStdString();
}

// The unsaved design of a designer that was killed comes back at the next
// start, byte for byte, as a modified design under its old file name.
TEST_F(DataSafetyTest, AKilledDesignerIsOfferedAndRestoredAtTheNextStart)
{
    RemoveRecoveryFiles();
    const QString expected = dir.filePath("expected.xml");
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("FD_RECOVERY_CHILD", expected);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=RecoveryChild.ChangesADesignAndWaitsToBeKilled"});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray out;
    while (!out.contains("recovery written") && child.waitForReadyRead(60000))
        out += child.readAllStandardOutput();
    ASSERT_TRUE(out.contains("recovery written")) << out.toStdString();
    child.kill();
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    std::vector<TRecoveryFile::TOrphan> asked;
    form->RecoveryQuestion = [&](const TRecoveryFile::TOrphan &orphan) {
        asked.push_back(orphan);
        return QMessageBox::Yes;
    };
    form->OfferRecovery();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].DocumentName, "/home/user/orders.xml");
    EXPECT_TRUE(asked[0].Written.isValid());
    EXPECT_EQ(form->FileName(), "/home/user/orders.xml");
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(form->windowTitle().endsWith("[orders.xml] *"));
    EXPECT_EQ(Bytes(SavedBytesPath("restored.xml")), Bytes(expected));

    // The restored design is protected again, and offered only once.
    EXPECT_TRUE(QFileInfo::exists(form->Recovery()->LayoutPath()));
    asked.clear();
    TForm1 second;
    second.RecoveryQuestion = form->RecoveryQuestion;
    second.OfferRecovery();
    EXPECT_TRUE(asked.empty()) << "a running designer's file is not offered";
}

TEST_F(DataSafetyTest, RecoveryFilesFollowTheDocumentState)
{
    RemoveRecoveryFiles();
    form->Recovery()->SetDelay(0);
    form->AddControl(1, 0, nullptr, 0);
    EXPECT_TRUE(form->Recovery()->LayoutPath().isEmpty()) << "written after a pause, not at once";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Recovery()->LayoutPath().isEmpty(); }));
    const QString path = form->Recovery()->LayoutPath();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(path));

    // Two designers at once keep files of their own.
    TForm1 other;
    other.Recovery()->WriteNow();
    EXPECT_NE(other.Recovery()->LayoutPath(), path);
    EXPECT_TRUE(QFileInfo::exists(path));

    chosen = dir.filePath("saved.xml");
    form->mnuSaveAsClick();
    EXPECT_FALSE(QFileInfo::exists(path)) << "a successful save removes it";

    form->SetModified(true);
    form->Recovery()->WriteNow();
    const QString again = form->Recovery()->LayoutPath();
    ASSERT_TRUE(QFileInfo::exists(again));
    answer = QMessageBox::No;
    EXPECT_TRUE(CloseAccepted());
    EXPECT_FALSE(QFileInfo::exists(again)) << "a clean exit removes it";

    // Declining the offer deletes a dead designer's file.
    TRecoveryFile::TOrphan orphan{TRecoveryFile::Folder() + "1-dead.xml", {}, {}};
    WriteBytes(orphan.Layout, "<root/>");
    int questions = 0;
    form->RecoveryQuestion = [&](const TRecoveryFile::TOrphan &) {
        ++questions;
        return QMessageBox::No;
    };
    form->OfferRecovery();
    EXPECT_EQ(questions, 1);
    EXPECT_FALSE(QFileInfo::exists(orphan.Layout));
}

// Run only as the child of the test above: a designer with unsaved work
// that waits for its recovery file and then for its end.
TEST(RecoveryChild, ChangesADesignAndWaitsToBeKilled)
{
    const QString expected = qEnvironmentVariable("FD_RECOVERY_CHILD");
    if (expected.isEmpty())
        GTEST_SKIP() << "run by AKilledDesignerIsOfferedAndRestoredAtTheNextStart";
    EnsureDesignerSingletons();
    TForm1 form;
    form.show();
    form.Recovery()->SetDelay(10);
    form.SetFileName("/home/user/orders.xml");
    QWidget *panel = form.AddControl(8, 10, nullptr, 10);
    AsDesigned(form.AddControl(1, 5, panel, 5))->SetText("Order");
    AsDesigned(form.AddControl(0, 200, nullptr, 30))->SetText("<b>Total</b>");
    form.Container()->SaveLayout(expected);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.Recovery()->LayoutPath().isEmpty(); }));
    std::printf("recovery written\n");
    std::fflush(stdout);
    EXPECT_FALSE(QTest::qWaitFor([] { return false; }, 120000));
    FAIL() << "the parent did not end this designer";
}

} // namespace
