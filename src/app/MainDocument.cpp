// The main window's document commands: New, Open, Save, Save as, Clear, closing,
// and restoring the design of a designer that did not close.
#include "app/Main.h"

#include "app/BusyGuard.h"
#include "app/PdfExport.h"
#include "app/ProblemsDock.h"
#include "app/RecentFiles.h"
#include "app/WaitingForm.h"
#include "crash/Command.h"
#include "crash/CrashReporter.h"
#include "designer/DesignHistory.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/LayoutInspector.h"
#include "persistence/XmlPersistance.h"
#include "platform/CodePage.h"
#include "platform/ErrorDisplay.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

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
    FProblemsDock->Schedule();
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
    FProblemsDock->Schedule();
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
    TSaveType fileType = SaveLayoutFile;
    if (!SaveDialog(fileName, fileType))
        return false;
    TBusyGuard busy(this, QStringLiteral("Saving data..."));
    FHistory->FinishPropertyEdit();
    // Exports (a web page, a PDF document) leave the document as it was.
    if (fileType == SavePage) {
        FContainer->ExportHtml(fileName);
        return false;
    }
    if (fileType == SavePdf) {
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
    FProblemsDock->Schedule();
    SetModified(true);
    // The restored design is this designer's unsaved work from now on; the
    // old copy goes once the new one is written.
    if (FRecovery->WriteNow())
        TRecoveryFile::Discard(orphan);
}
