#include "reflection/Variant.h"

#include "reflection/RSConsts.h"
#include "reflection/StrUtils.h"

#include <cmath>

bool TVariant::IsOrdinal() const
{
    const TVarType t = VarType();
    return t == varBoolean || t == varInteger || t == varInt64;
}

const char *TVariant::TypeName(TVarType type)
{
    switch (type) {
    case varEmpty:
        return "Empty";
    case varBoolean:
        return "Boolean";
    case varInteger:
        return "Integer";
    case varInt64:
        return "Int64";
    case varDouble:
        return "Double";
    case varString:
        return "String";
    case varObject:
        return "Object";
    }
    return "Unknown";
}

void TVariant::ConversionError(TVarType to) const
{
    std::string message = RSConsts::SVarConvert;
    message = RSFormat(message, TypeName(VarType()));
    throw ERSException(RSFormat(message, TypeName(to)));
}

double TVariant::AsDouble() const
{
    switch (VarType()) {
    case varEmpty:
        return 0;
    case varBoolean:
        return std::get<bool>(FValue) ? -1 : 0;
    case varInteger:
        return std::get<int32_t>(FValue);
    case varInt64:
        return static_cast<double>(std::get<int64_t>(FValue));
    case varDouble:
        return std::get<double>(FValue);
    case varString: {
        double value;
        if (!StrUtils::ParseFloat(std::get<std::string>(FValue), value))
            ConversionError(varDouble);
        return value;
    }
    case varObject:
        ConversionError(varDouble);
    }
    return 0;
}

int64_t TVariant::AsInt64() const
{
    switch (VarType()) {
    case varBoolean:
        return std::get<bool>(FValue) ? -1 : 0;
    case varInteger:
        return std::get<int32_t>(FValue);
    case varInt64:
        return std::get<int64_t>(FValue);
    case varObject:
        return static_cast<int64_t>(reinterpret_cast<intptr_t>(std::get<TPersistent *>(FValue)));
    default: {
        const double d = AsDouble();
        if (!std::isfinite(d) || d >= 9.3e18 || d <= -9.3e18)
            ConversionError(varInt64);
        return static_cast<int64_t>(std::llround(d));
    }
    }
}

bool TVariant::AsBoolean() const
{
    switch (VarType()) {
    case varBoolean:
        return std::get<bool>(FValue);
    case varString: {
        const std::string &s = std::get<std::string>(FValue);
        if (StrUtils::SameText(s, "True"))
            return true;
        if (StrUtils::SameText(s, "False"))
            return false;
        double d;
        if (!StrUtils::ParseFloat(s, d))
            ConversionError(varBoolean);
        return d != 0;
    }
    default:
        return AsDouble() != 0;
    }
}

std::string TVariant::AsString() const
{
    switch (VarType()) {
    case varEmpty:
        return {};
    case varBoolean:
        return std::get<bool>(FValue) ? "True" : "False";
    case varInteger:
        return std::to_string(std::get<int32_t>(FValue));
    case varInt64:
        return std::to_string(std::get<int64_t>(FValue));
    case varDouble:
        return StrUtils::FormatFloat(std::get<double>(FValue));
    case varString:
        return std::get<std::string>(FValue);
    case varObject:
        ConversionError(varString);
    }
    return {};
}

TPersistent *TVariant::AsObject() const
{
    if (VarType() == varObject)
        return std::get<TPersistent *>(FValue);
    if (VarType() == varEmpty)
        return nullptr;
    ConversionError(varObject);
}

bool TVariant::operator==(const TVariant &other) const
{
    const TVarType a = VarType(), b = other.VarType();
    if (a == b)
        return FValue == other.FValue;
    const bool numA = a == varInteger || a == varInt64 || a == varDouble || a == varBoolean;
    const bool numB = b == varInteger || b == varInt64 || b == varDouble || b == varBoolean;
    if (numA && numB)
        return AsDouble() == other.AsDouble();
    return false;
}
