#include "controls/Font.h"

#include "controls/Colors.h"
#include "platform/CodePage.h"

#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace
{

// Point sizes beyond this would make the toolkit lay out enormous glyphs.
constexpr int kMaxPointSize = 1000;

} // namespace

TFont::TFont(QWidget *control) : FControl(control), FColor(clWindowText) {}

QFont TFont::Current() const
{
    if (FHeldFont)
        return *FHeldFont;
    return FControl ? FControl->font() : FFont;
}

void TFont::Apply(const QFont &font)
{
    if (FControl && FHeld)
        FHeldFont = font;
    else if (FControl)
        FControl->setFont(font);
    else
        FFont = font;
    Changed();
}

void TFont::Hold()
{
    FHeld = true;
}

void TFont::Release()
{
    FHeld = false;
    if (FControl && FHeldFont)
        FControl->setFont(*FHeldFont);
    if (FControl && FHeldPalette)
        FControl->setPalette(*FHeldPalette);
    FHeldFont.reset();
    FHeldPalette.reset();
}

QPalette TFont::Palette() const
{
    if (FHeldPalette)
        return *FHeldPalette;
    return FControl ? FControl->palette() : QPalette();
}

void TFont::SetPalette(const QPalette &palette)
{
    if (!FControl)
        return;
    if (FHeld)
        FHeldPalette = palette;
    else
        FControl->setPalette(palette);
}

void TFont::SetCharset(int charset)
{
    FCharset = charset;
    Changed();
}

void TFont::SetColor(int32_t color)
{
    FColor = color;
    FColorSet = true;
    ApplyColor();
    Changed();
}

void TFont::ApplyColor()
{
    if (!FControl)
        return;
    // While held, the kept palette is changed in place: a copy would be
    // detached and copied again for every role.
    if (FHeld && !FHeldPalette)
        FHeldPalette = FControl->palette();
    QPalette copy;
    QPalette &palette = FHeld ? *FHeldPalette : (copy = FControl->palette());
    const QColor color = ColorToQColor(FColor);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, color);
    if (!FHeld)
        FControl->setPalette(palette);
}

int TFont::Size() const
{
    const QFont font = Current();
    if (font.pointSizeF() > 0)
        return static_cast<int>(std::lround(font.pointSizeF()));
    return static_cast<int>(std::lround(font.pixelSize() * 72.0 / 96.0));
}

void TFont::SetSize(int size)
{
    QFont font = Current();
    font.setPointSize(std::clamp(std::abs(size), 1, kMaxPointSize));
    Apply(font);
}

int TFont::Height() const
{
    return -static_cast<int>(std::lround(Size() * 96.0 / 72.0));
}

void TFont::SetHeight(int height)
{
    SetSize(static_cast<int>(std::lround(-static_cast<double>(height) * 72.0 / 96.0)));
}

std::string TFont::Name() const
{
    return CodePage::FromQString(Current().family());
}

void TFont::SetName(const std::string &name)
{
    QFont font = Current();
    font.setFamily(CodePage::ToQString(name));
    Apply(font);
}

void TFont::SetPitch(TFontPitch pitch)
{
    FPitch = pitch;
    QFont font = Current();
    font.setFixedPitch(pitch == fpFixed);
    if (pitch == fpFixed)
        font.setStyleHint(QFont::TypeWriter);
    Apply(font);
}

TFontStyles TFont::Style() const
{
    const QFont font = Current();
    TFontStyles style = 0;
    if (font.bold())
        style |= 1u << fsBold;
    if (font.italic())
        style |= 1u << fsItalic;
    if (font.underline())
        style |= 1u << fsUnderline;
    if (font.strikeOut())
        style |= 1u << fsStrikeOut;
    return style;
}

void TFont::SetStyle(TFontStyles style)
{
    QFont font = Current();
    font.setBold(style & (1u << fsBold));
    font.setItalic(style & (1u << fsItalic));
    font.setUnderline(style & (1u << fsUnderline));
    font.setStrikeOut(style & (1u << fsStrikeOut));
    Apply(font);
}

void TFont::Assign(const TFont &other)
{
    if (&other == this)
        return;
    FCharset = other.FCharset;
    FPitch = other.FPitch;
    FColor = other.FColor;
    FColorSet = other.FColorSet;
    ApplyColor();
    QFont font = Current();
    const QFont source = other.Current();
    font.setFamily(source.family());
    font.setPointSize(std::clamp(other.Size(), 1, kMaxPointSize));
    font.setFixedPitch(source.fixedPitch());
    font.setBold(source.bold());
    font.setItalic(source.italic());
    font.setUnderline(source.underline());
    font.setStrikeOut(source.strikeOut());
    Apply(font);
}

void TFont::ResetToParent()
{
    FColor = clWindowText;
    FColorSet = false;
    FPitch = fpDefault;
    // The owner rebuilds the control's palette without the text colour.
    // The parent's font is taken at once, held or not, since later reads
    // must see it; a control that never had a font of its own is left as
    // it is, at no cost.
    FHeldFont.reset();
    if (FControl)
        FControl->setFont(QFont());
    else
        FFont = QFont();
}

void TFont::Changed()
{
    if (OnChange)
        OnChange();
}
