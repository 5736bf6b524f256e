#pragma once

#include "platform/Persistent.h"

#include <QFont>
#include <cstdint>
#include <functional>
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

    // Called after every change.
    std::function<void()> OnChange;

private:
    QFont Current() const;
    void Apply(const QFont &font);
    void ApplyColor();
    void Changed();

    QWidget *FControl;
    QFont FFont;
    int FCharset = 1;
    int32_t FColor;
    TFontPitch FPitch = fpDefault;
    bool FColorSet = false;
};
