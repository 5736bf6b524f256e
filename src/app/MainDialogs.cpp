// The main window's default dialogs and messages; tests replace them to drive
// the commands headless.
#include "app/Main.h"

#include "crash/Command.h"
#include "designer/FormAlignment.h"
#include "designer/LXControlsContainer.h"
#include "platform/FileDialog.h"

#include <QApplication>
#include <QFile>
#include <QLocale>

void TForm1::InstallDialogs()
{
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
    SaveDialog = [this](QString &fileName, TSaveType &fileType) {
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
        fileType = static_cast<TSaveType>(filters.indexOf(dialog.selectedNameFilter()) + 1);
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
