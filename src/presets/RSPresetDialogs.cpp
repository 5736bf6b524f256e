#include "presets/RSPresetDialogs.h"

#include "controls/Font.h"
#include "platform/CodePage.h"
#include "platform/FileDialog.h"
#include "presets/RSTFilenamePropertyPreset.h"

#include <QApplication>
#include <QFontDialog>

namespace
{

QWidget *DialogParent()
{
    return QApplication::activeWindow();
}

bool ChooseFont(TFont &font)
{
    QFont initial(CodePage::ToQString(font.Name()));
    if (font.Size() > 0)
        initial.setPointSize(font.Size());
    const TFontStyles style = font.Style();
    initial.setBold(style & (1u << fsBold));
    initial.setItalic(style & (1u << fsItalic));
    initial.setUnderline(style & (1u << fsUnderline));
    initial.setStrikeOut(style & (1u << fsStrikeOut));
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, DialogParent());
    if (!ok)
        return false;
    font.SetName(CodePage::FromQStringChecked(chosen.family()));
    if (chosen.pointSize() > 0)
        font.SetSize(chosen.pointSize());
    TFontStyles styles = 0;
    if (chosen.bold())
        styles |= 1u << fsBold;
    if (chosen.italic())
        styles |= 1u << fsItalic;
    if (chosen.underline())
        styles |= 1u << fsUnderline;
    if (chosen.strikeOut())
        styles |= 1u << fsStrikeOut;
    font.SetStyle(styles);
    return true;
}

std::optional<QString> ChoosePicture()
{
    TFileDialog dialog(DialogParent(), QStringLiteral("Load picture"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(
        QStringLiteral("Pictures (*.bmp *.jpg *.jpeg *.ico *.emf *.wmf);;All files (*)"));
    const QString file = dialog.Run();
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

// "Text files|*.txt;*.text|All|*.*" as the dialog's name filters.
QStringList NameFilters(const std::string &filter)
{
    const QStringList parts = CodePage::ToQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

std::optional<std::string> ChooseFile(const TRSTFilenamePropertyPreset &settings,
                                      const std::string &fileName)
{
    TFileDialog dialog(DialogParent(), CodePage::ToQString(settings.Title()));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const TOpenOptions options = settings.Options();
    dialog.setFileMode((options & (1u << ofFileMustExist)) ? QFileDialog::ExistingFile
                                                           : QFileDialog::AnyFile);
    if (!settings.InitialDir().empty())
        dialog.setDirectory(CodePage::ToQString(settings.InitialDir()));
    if (!settings.DefaultExt().empty())
        dialog.setDefaultSuffix(CodePage::ToQString(settings.DefaultExt()));
    const QStringList filters = NameFilters(settings.Filter());
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = settings.FilterIndex() - 1;
        if (index >= 0 && index < filters.size())
            dialog.selectNameFilter(filters[index]);
    }
    if (!fileName.empty())
        dialog.selectFile(CodePage::ToQString(fileName));
    const QString file = dialog.Run();
    if (file.isEmpty())
        return std::nullopt;
    // The name becomes the row's value, so it must be one the layout can hold.
    return CodePage::FromQStringChecked(file);
}

} // namespace

TRSPresetDialogs &PresetDialogs()
{
    static TRSPresetDialogs dialogs = [] {
        TRSPresetDialogs d;
        d.FontDialog = ChooseFont;
        d.OpenPictureDialog = ChoosePicture;
        d.OpenFileDialog = ChooseFile;
        return d;
    }();
    return dialogs;
}
