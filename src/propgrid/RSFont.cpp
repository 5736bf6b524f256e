#include "propgrid/RSFont.h"

TRSFont::TRSFont(const TRSFont &other)
    : FName(other.FName), FSize(other.FSize), FColor(other.FColor), FStyle(other.FStyle)
{
}

void TRSFont::SetName(const std::string &value)
{
    SetAll(value, FSize, FColor, FStyle);
}

void TRSFont::SetSize(int value)
{
    SetAll(FName, value, FColor, FStyle);
}

void TRSFont::SetColor(TRSColor value)
{
    SetAll(FName, FSize, value, FStyle);
}

void TRSFont::SetStyle(unsigned value)
{
    SetAll(FName, FSize, FColor, value);
}

void TRSFont::Assign(const TRSFont &source)
{
    SetAll(source.FName, source.FSize, source.FColor, source.FStyle);
}

bool TRSFont::SameAs(const TRSFont &other) const
{
    return FName == other.FName && FSize == other.FSize && FColor == other.FColor &&
           FStyle == other.FStyle;
}

void TRSFont::SetAll(const std::string &name, int size, TRSColor color, unsigned style)
{
    if (name == FName && size == FSize && color == FColor && style == FStyle)
        return;
    FName = name;
    FSize = size;
    FColor = color;
    FStyle = style;
    Changed();
}

void TRSFont::Changed()
{
    if (OnChange)
        OnChange(this);
}
