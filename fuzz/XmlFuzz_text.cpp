#include "XmlFuzzCheck.h"

#include <cstdint>

// Loads any bytes as a document (text, or binary after the signature). A
// document read from text serializes to text that reads again.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    IXmlDocument doc = FreshDocument();
    doc->SetKeepWhitespace(size > 0 && data[0] == ' ');
    try {
        doc->LoadFromText(input);
    } catch (const Exception &) {
        return 0;
    }
    CheckBinaryRoundTrip(doc);
    if (input.substr(0, BinaryXmlSignature.size()) == BinaryXmlSignature)
        return 0;
    std::string xml;
    // Deep nesting gives indented text quadratic in the depth; reading such
    // text back is left to the unit tests to keep the fuzzer fast.
    if (!Serialize(doc, xml) || xml.size() > (1u << 20))
        return 0;
    IXmlDocument again = FreshDocument();
    again->SetKeepWhitespace(doc->KeepWhitespace());
    try {
        again->LoadFromText(xml);
    } catch (const Exception &e) {
        std::fprintf(stderr, "serialization does not read back: %s\n", e.what());
        std::abort();
    }
    return 0;
}
