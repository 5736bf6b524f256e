#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Colour as 0xRRGGBB.
using TRSColor = std::uint32_t;

// A toolkit-free font description with change notification. The view turns
// it into a toolkit font when it paints.
class TRSFont
{
public:
    enum Style : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

    TRSFont() = default;
    TRSFont(const TRSFont &other);
    TRSFont &operator=(const TRSFont &) = delete;
    virtual ~TRSFont() = default;

    const std::string &Name() const { return FName; }
    int Size() const { return FSize; }
    TRSColor Color() const { return FColor; }
    unsigned Style() const { return FStyle; }
    bool Bold() const { return FStyle & fsBold; }
    bool Italic() const { return FStyle & fsItalic; }
    bool Underline() const { return FStyle & fsUnderline; }
    bool StrikeOut() const { return FStyle & fsStrikeOut; }

    void SetName(const std::string &value);
    void SetSize(int value);
    void SetColor(TRSColor value);
    void SetStyle(unsigned value);
    // Copies every attribute; reports a change only when one differs.
    void Assign(const TRSFont &source);
    bool SameAs(const TRSFont &other) const;

    std::function<void(TRSFont *)> OnChange;

protected:
    // Stores the attributes and reports one change when any differs.
    void SetAll(const std::string &name, int size, TRSColor color, unsigned style);
    virtual void Changed();

private:
    std::string FName = "Sans Serif";
    int FSize = 8;
    TRSColor FColor = 0x000000;
    unsigned FStyle = 0;
};
