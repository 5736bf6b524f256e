#include "editors/EditorDialogs.h"

#include "editors/RSTCollectionEditor.h"
#include "editors/RSTDateEditor.h"
#include "editors/RSTListItemsDialog.h"
#include "editors/RSTStringsEditor.h"
#include "editors/RSTTreeNodesDialog.h"
#include "editors/itemviews/ListView.h"
#include "editors/itemviews/TreeView.h"
#include "presets/RSPresetDialogs.h"

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

// The items dialogs edit the view that owns the items and write back to it
// themselves; their result is not needed.
void EditListItems(TPersistent *owner)
{
    if (auto *view = dynamic_cast<TListView *>(owner)) {
        TfrmTListItemsDlg dialog;
        dialog.Open(view);
        dialog.exec();
    }
}

void EditTreeNodes(TPersistent *owner)
{
    if (auto *view = dynamic_cast<TTreeView *>(owner)) {
        TfrmTTreeNodesDlg dialog;
        dialog.Open(view);
        dialog.exec();
    }
}

} // namespace

void InstallEditorDialogs()
{
    TRSPresetDialogs &dialogs = PresetDialogs();
    dialogs.StringsEditor = EditStrings;
    dialogs.DateEditor = PickDate;
    dialogs.CollectionEditor = [](TRSCustomObjectInspector *inspector, TCollection *collection,
                                  const std::string &caption) {
        ShowCollectionEditor(inspector, collection, caption, true);
    };
    dialogs.ListItemsDialog = EditListItems;
    dialogs.TreeNodesDialog = EditTreeNodes;
}
