#pragma once

#include "propgrid/RSFont.h"

// A font that remembers which attributes were set apart from a parent font
// and takes the others from the parent when the parent changes.
class TRSCustomDeltaFont : public TRSFont
{
public:
    enum DeltaFlag : unsigned {
        dfBold = 1,
        dfColor = 2,
        dfName = 4,
        dfItalic = 8,
        dfSize = 16,
        dfStrikeOut = 32,
        dfUnderline = 64,
    };

    TRSCustomDeltaFont() = default;
    explicit TRSCustomDeltaFont(const TRSFont &copy) : TRSFont(copy) {}

    unsigned Delta() const { return FDelta; }
    void SetDelta(unsigned value) { FDelta = value; }

    virtual void ComputeDelta(const TRSFont *parent);
    virtual void ApplyParent(const TRSFont *parent);

    std::function<const TRSFont *(TRSCustomDeltaFont *)> OnGetParentFont;

protected:
    void Changed() override;

private:
    unsigned FDelta = 0;
    bool FBusy = false;
};
