#pragma once

#include "checks/TextStress.h"

#include <QPointer>
#include <memory>
#include <vector>

class QWidget;
class TLXControlsContainer;
class TRSObjectInspector;

// A copy of a design as it would show at a larger text size with its texts
// pseudo-localised longer, for display only. It is read from the bytes the
// design saves and then given the larger fonts and the longer texts, so the
// design itself, its undo history and its file stay as they are.
class TStressedCopy
{
public:
    TStressedCopy(TLXControlsContainer *design, const TTextStress &stress);
    ~TStressedCopy();
    TStressedCopy(const TStressedCopy &) = delete;
    TStressedCopy &operator=(const TStressedCopy &) = delete;

    // The copy's client, holding the copied controls where the design's
    // stand; it is never shown, only rendered.
    QWidget *Client() const;
    // Copies again the values and places of these controls of the design,
    // which changed without controls coming or going; false when the copy
    // no longer matches the design and must be made anew.
    bool Update(const std::vector<QWidget *> &changed);

private:
    TLXControlsContainer *FDesign;
    QPointer<QWidget> FDesignClient;
    TTextStress FStress;
    std::unique_ptr<TRSObjectInspector> FInspector;
    std::unique_ptr<TLXControlsContainer> FCopy;
};
