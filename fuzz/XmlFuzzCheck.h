#pragma once

#include "platform/Exception.h"
#include "xml/XmlDocument.h"
#include "xml/XmlWriter.h"

#include <cstdio>
#include <cstdlib>
#include <string>

// A document on a table of its own: the process-wide table would keep every
// name of every input and slow the fuzzer down.
inline IXmlDocument FreshDocument()
{
    return NewXmlDocument({}, "1.0", {}, TXmlRef<TXmlNameTable>(new TXmlNameTable(64)).get());
}

// The serialization of a loaded document, or false when a value cannot be
// written as text (a date-time out of range raises a conversion error); the
// writer's nesting counter must be back at 0 either way.
inline bool Serialize(const IXmlDocument &doc, std::string &xml)
{
    bool written = true;
    try {
        xml = doc->Xml();
    } catch (const Exception &) {
        written = false;
    }
    if (IndentLevel != 0) {
        std::fprintf(stderr, "IndentLevel not restored\n");
        std::abort();
    }
    return written;
}

// Properties every loaded document must have: its binary form reads back
// to the same serialization.
inline void CheckBinaryRoundTrip(const IXmlDocument &doc)
{
    std::string xml;
    const bool written = Serialize(doc, xml);
    for (unsigned options : {0u, 1u}) {
        IXmlDocument back = FreshDocument();
        back->SetKeepWhitespace(doc->KeepWhitespace());
        try {
            back->LoadFromText(doc->BinaryText(options));
        } catch (const Exception &e) {
            std::fprintf(stderr, "binary form not readable: %s\n", e.what());
            std::abort();
        }
        // UTF-16 names only survive for characters of the code page.
        std::string again;
        if (options == 0 && written && (!Serialize(back, again) || again != xml)) {
            std::fprintf(stderr, "binary form reads back differently\n");
            std::abort();
        }
    }
}
