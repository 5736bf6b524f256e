#include "platform/FileDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

TFileDialog::TFileDialog(QWidget *parent, const QString &caption) : QFileDialog(parent, caption) {}

QString TFileDialog::FileName() const
{
    if (result() != Accepted)
        return {};
    return FLiteralName.isEmpty() ? selectedFiles().value(0) : FLiteralName;
}

QString TFileDialog::Run()
{
    return exec() == Accepted ? FileName() : QString();
}

void TFileDialog::accept()
{
    FLiteralName.clear();
    // A dialog of the desktop has no name box here and returns one name.
    auto *edit = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    const bool oneName = fileMode() == AnyFile || fileMode() == ExistingFile;
    if (edit && oneName && edit->text().contains(QLatin1Char('"'))) {
        if (AcceptLiterally(edit))
            QDialog::accept();
        return;
    }
    QFileDialog::accept();
}

bool TFileDialog::AcceptLiterally(QLineEdit *edit)
{
    QString path = directory().absoluteFilePath(edit->text());
    if (QFileInfo(path).isDir()) {
        setDirectory(path);
        edit->clear();
        return false;
    }
    if (!defaultSuffix().isEmpty() && !QFileInfo(path).fileName().contains(QLatin1Char('.')))
        path += QLatin1Char('.') + defaultSuffix();
    const QFileInfo info(path);
    const QString title = windowTitle();
    if (!info.exists() && fileMode() == ExistingFile) {
        QMessageBox::warning(
            this, title,
            QStringLiteral("%1\nFile not found.\nCheck the file name.").arg(info.fileName()));
        return false;
    }
    if (info.exists() && acceptMode() == AcceptSave && !testOption(DontConfirmOverwrite) &&
        QMessageBox::warning(
            this, title,
            QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(info.fileName()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return false;
    FLiteralName = info.absoluteFilePath();
    return true;
}
