#pragma once

#include "persistence/XmlPersistance.h"

#include <QList>
#include <string>
#include <vector>

class QWidget;
class TLXControlsContainer;

// One element of a control's native layout: a property row's text, the
// lines of a string list or the encoded bytes of a picture.
struct TPropertyValue {
    enum TKind { Plain, Strings, Picture };
    TKind Kind = Plain;
    std::string Name;
    // The value text; for a picture its base64 bytes.
    std::string Value;
    // The picture's format, or the lines of a string list.
    std::string Format;
    std::vector<std::string> Lines;
    bool operator==(const TPropertyValue &) const = default;
};

// One cell of a string grid.
struct TCellValue {
    int Col = 0;
    int Row = 0;
    std::string Text;
    bool operator==(const TCellValue &) const = default;
};

// What the native layout holds of one control, without its child controls.
struct TControlState {
    std::vector<TPropertyValue> Properties;
    std::vector<TCellValue> Cells;
};

// The values that differ between two states of a control, each side holding
// only what it must set to return to that state.
struct TStateDelta {
    std::vector<TPropertyValue> Before;
    std::vector<TPropertyValue> After;
    std::vector<TCellValue> CellsBefore;
    std::vector<TCellValue> CellsAfter;
    bool IsEmpty() const { return Before.empty() && After.empty() && CellsBefore.empty(); }
    size_t Bytes() const;
};

// Reads and writes controls in the native layout's terms, through an
// inspector of its own that is configured like the one the layout file is
// written with, so that the main window's inspector keeps what it shows.
// States of single controls serve undo; fragments (layout text of whole
// controls with their children) serve the clipboard.
class TLayoutSnapshot : public TXmlPersistance
{
public:
    TLayoutSnapshot(TLXControlsContainer *container, TRSObjectInspector *inspector);

    TControlState Capture(QWidget *control);
    // Sets the given values on the control, in their order.
    void Restore(QWidget *control, const std::vector<TPropertyValue> &values,
                 const std::vector<TCellValue> &cells);
    static TStateDelta Difference(const TControlState &before, const TControlState &after);

    // The layout text of the controls with everything inside them.
    std::string WriteFragment(const std::vector<QWidget *> &controls);
    // Whether the text reads as a layout holding at least one control;
    // false for text that is no XML at all.
    static bool IsFragment(const std::string &text);
    // Makes the controls of a layout text inside parent and returns them;
    // an error leaves parent as it was.
    QList<QWidget *> ReadFragment(const std::string &text, QWidget *parent);
};
