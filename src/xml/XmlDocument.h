#pragma once

#include "xml/XmlBase64.h"
#include "xml/XmlCDATASection.h"
#include "xml/XmlComment.h"
#include "xml/XmlElement.h"
#include "xml/XmlNameTable.h"
#include "xml/XmlNode.h"
#include "xml/XmlNodeList.h"
#include "xml/XmlProcessingInstruction.h"
#include "xml/XmlText.h"

class QIODevice;
class QString;

// The first 14 bytes of binary XML.
inline constexpr std::string_view BinaryXmlSignature = "< binary-xml >";

// A document: the root of a tree, with the whitespace rule for its parse,
// text and serialization.
class TXmlDocument : public TXmlNode
{
public:
    explicit TXmlDocument(TXmlNameTable *nameTable);

    int NameId() const override;
    int NodeType() const override { return DOCUMENT_NODE; }
    std::string Text() const override;
    void SetText(std::string_view) override {}
    void SetValue(const TXmlValue &) override {}

    IXmlElement DocumentElement() const;
    std::string BinaryText(unsigned options = 0) const;
    bool KeepWhitespace() const { return FKeepWhitespace; }
    void SetKeepWhitespace(bool keep) { FKeepWhitespace = keep; }
    // The deepest nesting of elements the parser reads, 0 for any: a reader
    // that knows how deep its documents go refuses a deeper text before it
    // has built a tree of it.
    int MaxDepth() const { return FMaxDepth; }
    void SetMaxDepth(int depth) { FMaxDepth = depth; }

    // Replaces the content by the declaration and a root element, which it
    // returns. An empty encoding means "windows-1251".
    IXmlElement StartDocument(std::string_view version, std::string_view encoding,
                              std::string_view rootName);
    IXmlElement StartDocument(std::string_view version, std::string_view encoding, int rootId);

    IXmlElement CreateElement(std::string_view name) const;
    IXmlElement CreateElement(int nameId) const;
    IXmlNode CreateText(const TXmlValue &value) const;
    IXmlNode CreateCDATASection(std::string_view text) const;
    IXmlNode CreateComment(std::string_view text) const;
    IXmlNode CreateProcessingInstruction(std::string_view target, std::string_view text) const;
    IXmlNode CreateProcessingInstruction(int targetId, std::string_view text) const;

    // Loads replace the content; on an error the document keeps what was
    // read before it. Text and streams starting with the binary signature
    // are read as binary XML. Text that is not well-formed raises
    // EXmlParseError; from a file, its message names the file, line and
    // column.
    void LoadFromText(std::string_view text);
    void LoadBinaryFromText(std::string_view text);
    void LoadFromStream(QIODevice &stream);
    void LoadFromFile(const QString &fileName);
    void LoadFromFile(const std::string &fileName);
    void LoadFromFile(const char *fileName);
    // Loads the Qt resource ":/type/name" (":/name" for an empty type); a
    // missing or empty resource leaves the document unchanged.
    void LoadFromResource(std::string_view type, std::string_view name);

    void SaveToStream(QIODevice &stream) const;
    void SaveToFile(const QString &fileName) const;
    void SaveToFile(const std::string &fileName) const;
    void SaveToFile(const char *fileName) const;
    void SaveBinaryToStream(QIODevice &stream, unsigned options = 0) const;
    void SaveBinaryToFile(const QString &fileName, unsigned options = 0) const;

    // Used by the binary reader, which gives the document the file's table.
    void SetNameTable(TXmlNameTable *table) { ReplaceNameTable(table); }

protected:
    TXmlNode *CloneSelf() const override;

private:
    void Clear();

    bool FKeepWhitespace;
    int FMaxDepth = 0;
};

// A new document on the given name table (DefaultNameTable when null); with
// a root name, started with that root.
IXmlDocument NewXmlDocument(std::string_view rootName = {}, std::string_view version = "1.0",
                            std::string_view encoding = {}, TXmlNameTable *nameTable = nullptr);
// A new document on DefaultNameTable loaded from the file.
IXmlDocument OpenXmlDocument(const QString &fileName);
IXmlDocument OpenXmlDocument(const std::string &fileName);
IXmlDocument OpenXmlDocument(const char *fileName);
