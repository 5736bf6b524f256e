#pragma once

#include "platform/Exception.h"

#include <string>

// Message texts of the property grid and the object inspector. Placeholders
// are "%s" (text) and "%d" (integer), filled by RSFormat.
namespace RSConsts
{
inline constexpr const char *SPropertyNotUnique = "Property name is not unique: %s";
inline constexpr const char *SPropertyNotFound = "Property not found: %s";
inline constexpr const char *SNotACategory = "Cannot delete item, not a category";
inline constexpr const char *SListIndexError = "List index out of bounds (%d)";
inline constexpr const char *SMiscellaneous = "Miscellaneous";
inline constexpr const char *SInvalidPropertyValue = "\"%s\" is not a valid property value";

// Published-property model and inspected rows.
inline constexpr const char *SPropertyDoesNotExist = "Property %s does not exist";
inline constexpr const char *SInvalidPropertyType = "Invalid property type: %s";
inline constexpr const char *SInvalidPropertyElement = "Invalid property element: %s";
inline constexpr const char *SRangeError = "Range check error";
inline constexpr const char *SVarConvert = "Could not convert variant of type (%s) into type (%s)";
inline constexpr const char *SNotARealProperty = "Item \"%s\" is not a real property";
inline constexpr const char *SInvalidTypedValue = "\"%s\" is not a valid %s value: %s";
} // namespace RSConsts

// Replaces the first "%s" or "%d" of the pattern by the argument.
std::string RSFormat(const std::string &pattern, const std::string &arg);
std::string RSFormat(const std::string &pattern, int arg);

// Error of the property grid, carrying one of the message texts above.
class ERSException : public Exception
{
public:
    explicit ERSException(const std::string &message) : Exception(message) {}
};
