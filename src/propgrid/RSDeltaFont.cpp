#include "propgrid/RSDeltaFont.h"

void TRSCustomDeltaFont::ComputeDelta(const TRSFont *parent)
{
    if (FBusy || !parent)
        return;
    FBusy = true;
    unsigned delta = 0;
    if (Bold() != parent->Bold())
        delta |= dfBold;
    if (Color() != parent->Color())
        delta |= dfColor;
    if (Name() != parent->Name())
        delta |= dfName;
    if (Italic() != parent->Italic())
        delta |= dfItalic;
    if (Size() != parent->Size())
        delta |= dfSize;
    if (StrikeOut() != parent->StrikeOut())
        delta |= dfStrikeOut;
    if (Underline() != parent->Underline())
        delta |= dfUnderline;
    FDelta = delta;
    FBusy = false;
}

void TRSCustomDeltaFont::ApplyParent(const TRSFont *parent)
{
    if (FBusy || !parent)
        return;
    FBusy = true;
    unsigned style = Style();
    const auto take = [&](unsigned flag, unsigned bit) {
        if (!(FDelta & flag))
            style = (style & ~bit) | (parent->Style() & bit);
    };
    take(dfBold, fsBold);
    take(dfItalic, fsItalic);
    take(dfUnderline, fsUnderline);
    take(dfStrikeOut, fsStrikeOut);
    SetAll(FDelta & dfName ? Name() : parent->Name(), FDelta & dfSize ? Size() : parent->Size(),
           FDelta & dfColor ? Color() : parent->Color(), style);
    FBusy = false;
}

void TRSCustomDeltaFont::Changed()
{
    if (!FBusy && OnGetParentFont) {
        if (const TRSFont *parent = OnGetParentFont(this))
            ComputeDelta(parent);
    }
    TRSFont::Changed();
}
