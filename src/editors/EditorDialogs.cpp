#include "editors/EditorDialogs.h"

#include "editors/RSTDateEditor.h"
#include "editors/RSTStringsEditor.h"
#include "inspector/RSPresetDialogs.h"

#include <QGuiApplication>
#include <QScreen>

namespace
{

std::optional<std::vector<std::string>> EditStrings(const std::vector<std::string> &lines,
                                                    bool offerIni, bool offerPlain)
{
    TfrmRSStringsEditor editor;
    editor.SetLines(lines);
    editor.SetIniViewVisible(offerIni);
    editor.SetMemoViewVisible(offerPlain);
    if (editor.exec() != QDialog::Accepted)
        return std::nullopt;
    return editor.Lines();
}

std::optional<QDateTime> PickDate(const QDateTime &initial, const QPoint &topLeft,
                                  bool keepOnScreen)
{
    TfrmDateEditor editor;
    editor.SetDate(initial);
    QPoint place = topLeft;
    if (keepOnScreen) {
        if (const QScreen *screen = QGuiApplication::screenAt(topLeft)) {
            const QRect room = screen->availableGeometry();
            place.setX(std::min(place.x(), room.right() + 1 - editor.width()));
            place.setY(std::min(place.y(), room.bottom() + 1 - editor.height()));
        }
    }
    editor.move(place);
    if (editor.exec() != QDialog::Accepted)
        return std::nullopt;
    return editor.Date();
}

} // namespace

void InstallEditorDialogs()
{
    TRSPresetDialogs &dialogs = PresetDialogs();
    dialogs.StringsEditor = EditStrings;
    dialogs.DateEditor = PickDate;
}
