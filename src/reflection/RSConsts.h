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

// Property stream.
inline constexpr const char *SNoWriterForFiler = "No TWriter defined for filer";
inline constexpr const char *SNoReaderForFiler = "No TReader defined for filer";
inline constexpr const char *SClassNotFound = "Class %s not found";
inline constexpr const char *SStreamReadError = "Stream read error: the data ends too early";
inline constexpr const char *SInvalidStreamFormat = "Invalid stream format: %s";
inline constexpr const char *SStreamTooDeep = "Stream error: objects nested too deeply";
inline constexpr const char *SCannotStreamValue = "A value of type %s cannot be stored";

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
