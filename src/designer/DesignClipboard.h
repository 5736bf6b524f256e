#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

class QMimeData;
class QWidget;
class TDesignHistory;

// Cut, copy, paste, duplicate and delete of designed controls. Copied
// controls go to the system clipboard as layout text under the designer's
// own type and as plain text, so designers share them and a layout can be
// pasted from any text.
class TDesignClipboard
{
public:
    explicit TDesignClipboard(TDesignHistory &history);

    static const QString MimeType;

    // The clipboard content for the controls.
    QMimeData *MimeDataFor(const std::vector<QWidget *> &controls);
    void Copy(const std::vector<QWidget *> &controls);
    void Cut(const std::vector<QWidget *> &controls);
    void Delete(const std::vector<QWidget *> &controls);
    // Pastes the clipboard (or the given data) next to the selection;
    // returns the pasted controls.
    std::vector<QWidget *> Paste(const std::vector<QWidget *> &selection,
                                 const QMimeData *data = nullptr);
    std::vector<QWidget *> Duplicate(const std::vector<QWidget *> &controls);

    // Whether a paste of the data would add controls: the designer's own
    // type, or text that is a well-formed layout holding controls.
    static bool HoldsControls(const QMimeData *data);

    // Where a paste goes: the one selected panel or group box, else the
    // parent of the selection, else the surface.
    QWidget *PasteTarget(const std::vector<QWidget *> &selection) const;

    // The name a new control in target gets.
    std::function<QString(QWidget *target)> NewControlName;
    std::function<void(const QString &)> OnStatus;

private:
    std::vector<QWidget *> Insert(const std::string &text, QWidget *target, const QString &verb);

    TDesignHistory &FHistory;
};
