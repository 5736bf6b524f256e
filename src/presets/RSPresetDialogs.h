#pragma once

#include <QDateTime>
#include <QPoint>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TCollection;
class TFont;
class TPersistent;
class TRSCustomObjectInspector;
class TRSTFilenamePropertyPreset;

// The dialogs that presets open from a row's ellipsis button. The editor
// dialogs live elsewhere and are installed here at start-up; an empty hook
// makes its button do nothing. Tests replace hooks to answer for the user.
struct TRSPresetDialogs {
    // Edits the font in place; true when the user confirmed.
    std::function<bool(TFont &font)> FontDialog;
    // The picture file chosen, or nothing. Its path stays in the toolkit's
    // text: it is opened, not stored, and need not fit the code page.
    std::function<std::optional<QString>()> OpenPictureDialog;
    // The file chosen with the preset's dialog settings, starting at the
    // current name, or nothing.
    std::function<std::optional<std::string>(const TRSTFilenamePropertyPreset &settings,
                                             const std::string &fileName)>
        OpenFileDialog;
    // The edited lines, or nothing when the editor was cancelled.
    std::function<std::optional<std::vector<std::string>>(const std::vector<std::string> &lines,
                                                          bool offerIni, bool offerPlain)>
        StringsEditor;
    // The chosen day, or nothing. The pop-up's top-left corner is at the
    // position; with keepOnScreen it moves up and left as far as needed to
    // stay on the screen.
    std::function<std::optional<QDateTime>(const QDateTime &initial, const QPoint &topLeft,
                                           bool keepOnScreen)>
        DateEditor;
    // Opens (or brings to the front) the non-modal editor of a collection
    // for an inspector; the caption names what is edited.
    std::function<void(TRSCustomObjectInspector *inspector, TCollection *collection,
                       const std::string &caption)>
        CollectionEditor;
    // Modal editors of the list items or tree nodes of the object that owns
    // them; they edit that object directly.
    std::function<void(TPersistent *owner)> ListItemsDialog;
    std::function<void(TPersistent *owner)> TreeNodesDialog;
};

// The one hook table; the font, picture and file dialogs start with the
// toolkit's standard dialogs.
TRSPresetDialogs &PresetDialogs();
