#pragma once

#include <QAccessibleWidget>

class TLXControlsContainer;

// What a screen reader learns of the design surface: its name, and as its
// value and description the selected control's name and kind (or how many
// are selected), read from the design-time handler's selection.
class TSurfaceAccessible : public QAccessibleWidget
{
public:
    explicit TSurfaceAccessible(TLXControlsContainer *surface);

    QString text(QAccessible::Text t) const override;

    // The selection as a reader says it.
    static QString SelectionText();
    // Tells readers that the selection changed, and while the surface has
    // the keyboard has them read it again.
    static void AnnounceSelection(TLXControlsContainer *surface);
};
