#pragma once

#include "reflection/Persistent.h"

#include <QFont>
#include <QPalette>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QWidget;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
// Bit n stands for the style of ordinal n.
using TFontStyles = uint32_t;

// The Font of a designed control. Every change applies itself at once to
// the control's font and text colour; without a control the font keeps its
// values for itself. Height is the negative pixel height at 96 dots per
// inch: Height = -Size * 96 / 72, rounded.
//
// While held, the font and the palette (which carries the text colour)
// are kept here and reach the control once, on release: a layout sets
// them attribute by attribute, and every change makes the control and its
// inner widgets take a new font or palette and lay out their text again.
class TFont : public TPersistent
{
public:
    explicit TFont(QWidget *control = nullptr);

    int Charset() const { return FCharset; }
    void SetCharset(int charset);
    int32_t Color() const { return FColor; }
    void SetColor(int32_t color);
    int Height() const;
    void SetHeight(int height);
    std::string Name() const;
    void SetName(const std::string &name);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch pitch);
    int Size() const;
    void SetSize(int size);
    TFontStyles Style() const;
    void SetStyle(TFontStyles style);

    void Assign(const TFont &other);
    // Takes the parent's font and the default text colour again; the
    // control's owner takes the text colour out of its palette.
    void ResetToParent();
    // True when the colour was set apart from the parent's.
    bool ColorSet() const { return FColorSet; }

    void Hold();
    void Release();
    // The control's palette, or the one it takes on release.
    QPalette Palette() const;
    void SetPalette(const QPalette &palette);

    // Called after every change.
    std::function<void()> OnChange;

private:
    QFont Current() const;
    void Apply(const QFont &font);
    void ApplyColor();
    void Changed();

    QWidget *FControl;
    QFont FFont;
    bool FHeld = false;
    std::optional<QFont> FHeldFont;
    std::optional<QPalette> FHeldPalette;
    int FCharset = 1;
    int32_t FColor;
    TFontPitch FPitch = fpDefault;
    bool FColorSet = false;
};
