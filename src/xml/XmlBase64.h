#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Base64 with the RFC 4648 alphabet and "=" padding; lineLength > 0 breaks
// the output with CR LF after every lineLength characters.
std::string EncodeBase64(const void *bytes, size_t length, int lineLength = 0);
inline std::string EncodeBase64(std::string_view bytes)
{
    return EncodeBase64(bytes.data(), bytes.size());
}
// Ignores characters 0 to 32; characters outside the alphabet count as 0.
// Fewer than four significant characters decode to nothing; a missing tail
// of the last group counts as padding.
std::string DecodeBase64(std::string_view text);
