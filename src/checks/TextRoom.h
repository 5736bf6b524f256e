#pragma once

#include "checks/TextStress.h"

#include <QString>
#include <optional>

class QWidget;

// Whether the texts of a control fit the room it gives them, measured with
// the font and style the control draws with. Controls that size themselves
// to their text, and kinds whose text scrolls or wraps freely (memos), are
// never clipped.
class TTextRoom
{
public:
    struct TClip {
        QString What;     // "caption", "text", "item" or "cell"
        QString Text;     // as shown, under the stress
        QString Property; // the property a user changes to mend it
        int Needs = 0;
        int Has = 0;
        bool Height = false; // the room lacks height, not width
    };

    // The first text of the control that does not fit, or none.
    static std::optional<TClip> Clipped(QWidget *control, const TTextStress &stress = {});
};
