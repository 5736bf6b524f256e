#include "support/DesignerSingletons.h"
#include "support/FileBytes.h"
#include "support/HookGuard.h"

#include "app/Main.h"
#include "app/RecoveryFile.h"
#include "controls/LXDesigned.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSItemProperty.h"
#include "inspector/RSObjectInspector.h"
#include "platform/ErrorDisplay.h"
#include "platform/Exception.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace
{

void RemoveRecoveryFiles()
{
    QDir(TRecoveryFile::Folder()).removeRecursively();
}

mode_t Mode(const QString &path)
{
    struct stat status {
    };
    return stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & ALLPERMS : 0;
}

// Runs the recovery tests' designer (tests/app/child) in a child process
// that shares this test's home; what it told, line by line.
QStringList RunChild(const QStringList &arguments, QProcess &child)
{
    // The toolkit's warnings go to the test's own output.
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(FD_RECOVERY_CHILD), arguments);
    child.waitForFinished(120000);
    return QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// The lines of a child's output that begin with prefix.
QStringList Told(const QStringList &lines, const QString &prefix)
{
    return lines.filter(QRegularExpression("^" + QRegularExpression::escape(prefix)));
}

class DataSafetyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The recovery folder lies in a home of this test's own, which its
        // child processes share, so that test runs never meet each other's
        // files; with the access a user's files usually get.
        previousHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        previousMask = umask(022);
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        form->SaveQuestion = [this] { return answer; };
        form->OpenDialog = [this] { return chosen; };
        form->SaveDialog = [this](QString &fileName, TForm1::TSaveType &fileType) {
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

    void TearDown() override
    {
        form.reset();
        umask(previousMask);
        qputenv("HOME", previousHome);
    }

    QTemporaryDir home;
    QByteArray previousHome;
    mode_t previousMask = 0;
    QStringList errors;
    const THookGuard display{ErrorDisplay::Show,
                             [this](const QString &message) { errors << message; }};
    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    QString chosen;
    TForm1::TSaveType chosenType = TForm1::SaveLayoutFile;
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
    chosenType = TForm1::SavePage;
    EXPECT_FALSE(CloseAccepted());
    EXPECT_TRUE(QFileInfo(dir.filePath("page.htm/page.htm")).isFile());
    EXPECT_TRUE(form->Modified());

    // Yes, then the dialog cancelled.
    chosen.clear();
    EXPECT_FALSE(CloseAccepted());
    form->mnuNewClick();
    EXPECT_EQ(form->Container()->Controls().size(), 1) << "New keeps a design that was not saved";

    chosen = dir.filePath("form.xml");
    chosenType = TForm1::SaveLayoutFile;
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

    Put(dir.filePath("empty.xml"), QByteArray());
    Put(dir.filePath("comment.xml"), "<?xml version=\"1.0\"?><!-- nothing -->");
    Put(dir.filePath("page.xml"), "<HTML><BODY>HTML Preview</BODY></HTML>");
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
    child.start(QStringLiteral(FD_RECOVERY_CHILD), {"killed", expected});
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

    // A value typed into the inspector is a change written again.
    auto *caption = dynamic_cast<TRSItemProperty *>(
        form->ObjectInspector()->Inspector()->Items()->FindPath("Caption"));
    ASSERT_NE(caption, nullptr);
    caption->SetValue("Typed caption");
    caption->Validate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Bytes(path).contains("Typed caption"); }));

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
    Put(orphan.Layout, "<root/>");
    int questions = 0;
    form->RecoveryQuestion = [&](const TRecoveryFile::TOrphan &) {
        ++questions;
        return QMessageBox::No;
    };
    form->OfferRecovery();
    EXPECT_EQ(questions, 1);
    EXPECT_FALSE(QFileInfo::exists(orphan.Layout));
}

// A copy that cannot be read (cut short, or holding a value the reader
// refuses) does not stop the designer from starting, nor every start after
// it: it is told, moved aside under a name that says so, and never offered
// again.
TEST_F(DataSafetyTest, AnUnreadableCopyIsToldAndSetAsideAndTheDesignerStarts)
{
    QWidget *panel = form->AddControl(8, 10, nullptr, 10);
    AsDesigned(form->AddControl(1, 5, panel, 5))->SetText("Order");
    AsDesigned(form->AddControl(0, 200, nullptr, 30))->SetText("Total");
    const QByteArray layout = Bytes(SavedBytesPath("layout.xml"));
    ASSERT_GT(layout.size(), 100);
    std::vector<QByteArray> copies;
    for (qsizetype length :
         {qsizetype(0), qsizetype(1), layout.size() / 3, layout.size() / 2, layout.size() - 4})
        copies.push_back(layout.left(length));
    const QString rejected = QString::fromLatin1(layout).replace(
        QRegularExpression(R"(name="Left" value="\d+")"), R"(name="Left" value="ten")");
    ASSERT_NE(rejected.toLatin1(), layout);
    copies.push_back(rejected.toLatin1());

    QDir().mkpath(TRecoveryFile::Folder());
    QStringList layouts;
    for (size_t i = 0; i < copies.size(); ++i) {
        const QString base = TRecoveryFile::Folder() + QStringLiteral("%1-left").arg(i + 1);
        Put(base + ".xml", copies[i]);
        Put(base + ".name", "/home/user/orders.xml");
        layouts << base + ".xml";
    }

    QProcess child;
    const QStringList out = RunChild({"start"}, child);
    const std::string said = out.join('\n').toStdString();
    ASSERT_EQ(child.exitStatus(), QProcess::NormalExit) << said;
    EXPECT_EQ(child.exitCode(), 0) << said;
    EXPECT_TRUE(out.contains("controls: 0")) << said;
    EXPECT_TRUE(out.contains("unmodified")) << said;
    EXPECT_EQ(Told(out, "told: The unsaved changes").size(), qsizetype(copies.size())) << said;

    for (size_t i = 0; i < copies.size(); ++i) {
        const QString &original = layouts[int(i)];
        const QString aside = original.left(original.size() - 4) + ".unreadable.xml";
        EXPECT_FALSE(QFileInfo::exists(original)) << i;
        EXPECT_EQ(Bytes(aside), copies[i]) << i;
        EXPECT_EQ(Mode(aside), 0600u) << i;
        EXPECT_TRUE(out.join('\n').contains("\"" + aside + "\"")) << i << said;
    }
    // A cut copy is told with the place where it ends.
    for (size_t i = 2; i < 5; ++i)
        EXPECT_TRUE(out.join('\n').contains(
            QRegularExpression(QRegularExpression::escape(layouts[int(i)]) + ":\\d+:\\d+: \\S")))
            << i << said;

    // The next start offers none of them.
    int questions = 0;
    form->RecoveryQuestion = [&](const TRecoveryFile::TOrphan &) {
        ++questions;
        return QMessageBox::Yes;
    };
    form->OfferRecovery();
    EXPECT_EQ(questions, 0);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

// Copies that cannot be written (here: a file stands where the folder
// belongs) are told once, marked in the status bar, and tried again on
// each change until one succeeds.
TEST_F(DataSafetyTest, ACopyThatCannotBeWrittenIsToldOnceAndTriedAgain)
{
    const QString folder = QDir::cleanPath(TRecoveryFile::Folder());
    QDir().mkpath(QFileInfo(folder).absolutePath());
    Put(folder, "in the way");
    form->Recovery()->SetDelay(0);
    form->AddControl(1, 0, nullptr, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !errors.isEmpty(); }));
    EXPECT_TRUE(errors[0].contains(folder)) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("Not a directory")) << errors[0].toStdString();
    EXPECT_TRUE(form->Recovery()->Failing());
    EXPECT_FALSE(form->RecoveryMark()->isHidden());

    form->AddControl(0, 50, nullptr, 50);
    EXPECT_FALSE(form->Recovery()->WriteNow());
    EXPECT_EQ(errors.size(), 1) << "told once";
    EXPECT_FALSE(form->RecoveryMark()->isHidden());

    QFile::remove(folder);
    form->AddControl(0, 100, nullptr, 100);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Recovery()->Failing(); }));
    EXPECT_TRUE(QFileInfo::exists(form->Recovery()->LayoutPath()));
    EXPECT_TRUE(form->RecoveryMark()->isHidden());
    EXPECT_EQ(errors.size(), 1);
}

TEST_F(DataSafetyTest, ACopyOnAFullDiskIsToldOnceAndTriedAgain)
{
    // Files of the child may not grow past half the design's layout.
    QProcess child;
    const QStringList out = RunChild({"full-disk", dir.path()}, child);
    const std::string said = out.join('\n').toStdString();
    ASSERT_EQ(child.exitStatus(), QProcess::NormalExit) << said;
    EXPECT_EQ(child.exitCode(), 0) << said;
    const QStringList told = Told(out, "told: ");
    ASSERT_EQ(told.size(), 1) << "told once: " << said;
    EXPECT_TRUE(told[0].contains("File too large")) << said;
    QStringList states = out;
    states.removeAll(told[0]);
    // Refused, marked, no copy cut short; refused again on the next change;
    // written when there is room, and the mark goes.
    EXPECT_EQ(states.join(", ").toStdString(),
              "refused, failing, mark shown, no copy, refused, failing, mark shown, written, "
              "not failing, mark hidden, copy as saved");
}

// Unsaved designs are no one else's business: the folder lets only its
// owner in, also when an older version made it open to all, and every file
// in it is the owner's alone.
TEST_F(DataSafetyTest, RecoveryFilesAreTheUsersAlone)
{
    const QString folder = QDir::cleanPath(TRecoveryFile::Folder());
    QDir().mkpath(folder);
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0755), 0);
    form->OfferRecovery();
    EXPECT_EQ(Mode(folder), 0700u) << "closed at start";

    form->SetFileName("/home/user/salaries.xml");
    form->AddControl(1, 0, nullptr, 0);
    ASSERT_TRUE(form->Recovery()->WriteNow());
    const QString layout = form->Recovery()->LayoutPath();
    const QString base = layout.left(layout.size() - 4);
    for (const QString &file : {layout, base + ".name", base + ".lock"})
        EXPECT_EQ(Mode(file), 0600u) << file.toStdString();
    ASSERT_TRUE(form->Recovery()->WriteNow());
    EXPECT_EQ(Mode(layout), 0600u) << "a replaced copy stays private";
}

} // namespace
