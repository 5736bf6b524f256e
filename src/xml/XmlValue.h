#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Date-time as a day count from 1899-12-30 with the time of day as fraction.
using TDateTime = double;

// Tagged value stored in attributes, text nodes and element values. The type
// codes are those of the binary form and of DataType/AttrType. The value is
// kept in 16 bytes: numbers in place, strings of up to 12 bytes in place and
// longer ones on the heap, so attribute records stay small.
class TXmlValue
{
public:
    enum TType : uint16_t {
        varEmpty = 0,
        varNull = 1,
        varSmallint = 2,
        varInteger = 3,
        varSingle = 4,
        varDouble = 5,
        varCurrency = 6,
        varDate = 7,
        varOleStr = 8,
        varBoolean = 11,
        varShortInt = 16,
        varByte = 17,
        varWord = 18,
        varLongWord = 19,
        varInt64 = 20,
        varString = 256,
        varByteArray = 8209,
    };

    TXmlValue() noexcept = default;
    TXmlValue(const char *text) : TXmlValue(std::string_view(text)) {}
    TXmlValue(const std::string &text) : TXmlValue(std::string_view(text)) {}
    TXmlValue(std::string_view text)
    {
        if (text.size() <= sizeof FData) {
            FType = varString;
            FSmallLen = uint8_t(text.size());
            if (!text.empty())
                __builtin_memcpy(FData, text.data(), text.size());
        } else {
            SetBytes(varString, text);
        }
    }
    TXmlValue(int value) noexcept : FType(varInteger) { SetNumber(int64_t(value)); }
    TXmlValue(double value) noexcept : FType(varDouble) { SetNumber(value); }
    TXmlValue(bool value) noexcept : FType(varBoolean) { SetNumber(int64_t(value)); }
    TXmlValue(const TXmlValue &other);
    // Moves are inline: the readers move every value they read.
    TXmlValue(TXmlValue &&other) noexcept
        : FType(other.FType), FSmallLen(other.FSmallLen), FReserved(other.FReserved)
    {
        __builtin_memcpy(FData, other.FData, sizeof FData);
        other.FType = varEmpty;
        other.FSmallLen = 0;
    }
    TXmlValue &operator=(const TXmlValue &other);
    TXmlValue &operator=(TXmlValue &&other) noexcept
    {
        if (this != &other) {
            if (FSmallLen == HeapFlag)
                FreeHeap();
            FType = other.FType;
            FSmallLen = other.FSmallLen;
            __builtin_memcpy(FData, other.FData, sizeof FData);
            other.FType = varEmpty;
            other.FSmallLen = 0;
        }
        return *this;
    }
    ~TXmlValue()
    {
        if (FSmallLen == HeapFlag)
            FreeHeap();
    }

    static TXmlValue Null();
    // Integer kinds (varSmallint, varInteger, varShortInt, varByte, varWord,
    // varLongWord, varInt64, varBoolean); the value is truncated to the kind.
    static TXmlValue Integer(TType type, int64_t value);
    static TXmlValue Single(float value);
    static TXmlValue Currency(int64_t scaledBy10000);
    static TXmlValue Date(TDateTime value);
    static TXmlValue WideString(std::u16string_view text);
    static TXmlValue ByteArray(std::string_view bytes);

    TType Type() const noexcept { return TType(FType); }
    bool IsEmpty() const noexcept { return FType == varEmpty; }
    bool IsString() const noexcept { return FType == varString || FType == varOleStr; }
    bool IsNumeric() const noexcept;

    // Raw bytes of byte strings and byte arrays; UTF-16 units of wide strings.
    std::string_view Bytes() const noexcept;
    std::u16string WideText() const;
    int64_t AsInt64() const noexcept; // integer kinds, boolean, currency (scaled)
    double AsDouble() const noexcept; // single, double, date-time

    // The value as the library writes it (XmlValueText).
    std::string Text() const;

    // Conversions used by the typed attribute readers; they raise Exception
    // with a conversion message when the value cannot be converted.
    bool ToBool() const;
    int ToInt() const;
    double ToDouble() const;
    TDateTime ToDateTime() const;

    // Equality used by FindChildByAttr; a conversion that fails is unequal.
    bool Equals(const TXmlValue &other) const noexcept;

private:
    static constexpr uint8_t HeapFlag = 0xFF;
    void SetNumber(int64_t value) noexcept;
    void SetNumber(double value) noexcept;
    void SetBytes(uint16_t type, std::string_view bytes);
    void FreeHeap() noexcept;
    const char *Payload() const noexcept { return FData + 4; }

    uint16_t FType = varEmpty;
    uint8_t FSmallLen = 0; // length of an in-place string, HeapFlag when on the heap
    uint8_t FReserved = 0;
    // In-place string: 12 bytes. Heap string: length (4 bytes) + pointer.
    // Number: 8 bytes at offset 4.
    char FData[12] = {};
};

// XmlValueText of a value.
inline std::string XmlValueText(const TXmlValue &value)
{
    return value.Text();
}

// Text form of date-times ("2024-03-05T14-07-09") and its reading.
std::string XmlDateTimeText(TDateTime value);
TDateTime XmlParseDateTime(std::string_view text);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second);
void DecodeDateTime(TDateTime value, int &year, int &month, int &day, int &hour, int &minute,
                    int &second);

// Floating-point text read with either "." or "," as decimal point.
double XmlParseFloat(std::string_view text);
// General decimal form with at most 15 significant digits and "." as point.
std::string XmlFloatText(double value);

// Conversions between the 8-bit system code page and UTF-16.
std::string WideToCodePage(std::u16string_view text);
std::u16string CodePageToWide(std::string_view text);
// True for the letters of the system code page.
bool IsCodePageLetter(unsigned char c) noexcept;
