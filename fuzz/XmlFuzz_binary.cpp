#include "XmlFuzzCheck.h"

#include <cstdint>

// Feeds the bytes to the binary reader, behind the signature.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string input(BinaryXmlSignature);
    input.append(reinterpret_cast<const char *>(data), size);
    IXmlDocument doc = FreshDocument();
    try {
        doc->LoadFromText(input);
    } catch (const Exception &) {
        return 0;
    }
    CheckBinaryRoundTrip(doc);
    return 0;
}
