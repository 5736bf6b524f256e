#pragma once

#include <cstdint>
#include <string>
#include <variant>

class TPersistent;

// A tagged value as properties are read and written by name: empty, Boolean,
// 32-bit integer, 64-bit integer, floating point, text, or an object
// reference.
class TVariant
{
public:
    enum TVarType { varEmpty, varBoolean, varInteger, varInt64, varDouble, varString, varObject };

    TVariant() = default;
    TVariant(bool value) : FValue(value) {}
    TVariant(int value) : FValue(static_cast<int32_t>(value)) {}
    TVariant(int64_t value) : FValue(value) {}
    TVariant(double value) : FValue(value) {}
    TVariant(std::string value) : FValue(std::move(value)) {}
    TVariant(const char *value) : FValue(std::string(value)) {}
    TVariant(TPersistent *value) : FValue(value) {}

    TVarType VarType() const { return static_cast<TVarType>(FValue.index()); }
    bool IsEmpty() const { return VarType() == varEmpty; }
    bool IsString() const { return VarType() == varString; }
    bool IsBoolean() const { return VarType() == varBoolean; }
    bool IsOrdinal() const;

    // Conversions; a text that is no number raises "Could not convert
    // variant of type (String) into type (Double)".
    double AsDouble() const;
    int64_t AsInt64() const;
    bool AsBoolean() const;
    std::string AsString() const;
    TPersistent *AsObject() const;

    // The variant type name used in conversion errors ("String", "Double").
    static const char *TypeName(TVarType type);

    // Equal values of comparable types; values that cannot be compared
    // (a text against a number) are unequal.
    bool operator==(const TVariant &other) const;
    bool operator!=(const TVariant &other) const { return !(*this == other); }

private:
    [[noreturn]] void ConversionError(TVarType to) const;

    std::variant<std::monostate, bool, int32_t, int64_t, double, std::string, TPersistent *> FValue;
};
