#pragma once

#include <string>
#include <string_view>

class TXmlNode;

// Indentation of the serializer: one TAB per nesting level. IndentLevel is
// the level of the element being written; it is 0 between serializations.
inline constexpr char IndentUnit = '\t';
inline int IndentLevel = 0;

// Appends the serialization of the node (any kind) to out. Nesting is
// walked with an explicit stack, so trees of any depth are written.
void WriteXml(const TXmlNode *node, std::string &out);

// The text with "\"", "&", "<" and ">" replaced by their references; other
// bytes unchanged.
std::string EscapeXmlText(std::string_view text);
void AppendEscapedXmlText(std::string &out, std::string_view text);
