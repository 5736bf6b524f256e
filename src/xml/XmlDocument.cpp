#include "xml/XmlDocument.h"

#include "platform/AtomicFile.h"
#include "platform/Exception.h"
#include "xml/BinXmlWriter.h"
#include "xml/StmXmlReader.h"
#include "xml/StrXmlReader.h"
#include "xml/XmlParseError.h"
#include "xml/XmlParser.h"
#include "xml/XmlStmSource.h"
#include "xml/XmlStrSource.h"

#include <QFile>
#include <QIODevice>
#include <QString>

namespace
{

QString FileName(const std::string &name)
{
    return QString::fromStdString(name);
}

void OpenForReading(QFile &file)
{
    if (!file.open(QIODevice::ReadOnly))
        throw Exception("Cannot open file \"" + file.fileName().toStdString() + "\". " +
                        file.errorString().toStdString());
}

} // namespace

TXmlDocument::TXmlDocument(TXmlNameTable *nameTable)
    : TXmlNode(nameTable), FKeepWhitespace(XmlKeepWhitespaceDefault)
{
}

int TXmlDocument::NameId() const
{
    return NameTablePtr()->DocumentId();
}

std::string TXmlDocument::Text() const
{
    return XmlComposedText(this);
}

TXmlNode *TXmlDocument::CloneSelf() const
{
    TXmlDocument *copy = new TXmlDocument(NameTablePtr());
    copy->FKeepWhitespace = FKeepWhitespace;
    return copy;
}

IXmlElement TXmlDocument::DocumentElement() const
{
    const TXmlNodeList *list = ChildList();
    for (int i = 0; list && i < list->Count(); ++i)
        if (list->ItemPtr(i)->NodeType() == ELEMENT_NODE)
            return IXmlElement(static_cast<TXmlElement *>(list->ItemPtr(i)));
    return {};
}

std::string TXmlDocument::BinaryText(unsigned options) const
{
    return TBinXmlWriter(options).Write(*this);
}

IXmlElement TXmlDocument::StartDocument(std::string_view version, std::string_view encoding,
                                        int rootId)
{
    RemoveAllChildren();
    std::string declaration = "version=\"" + std::string(version) + "\" encoding=\"" +
                              std::string(encoding.empty() ? "windows-1251" : encoding) + "\"";
    TXmlNodeList &list = EnsureChildren();
    list.Insert(
        0, new TXmlProcessingInstruction(NameTablePtr(), NameTablePtr()->XmlId(), declaration));
    IXmlElement root(new TXmlElement(NameTablePtr(), rootId));
    list.Insert(1, root.get());
    return root;
}

IXmlElement TXmlDocument::StartDocument(std::string_view version, std::string_view encoding,
                                        std::string_view rootName)
{
    return StartDocument(version, encoding, NameTablePtr()->NameToId(rootName));
}

IXmlElement TXmlDocument::CreateElement(int nameId) const
{
    return IXmlElement(new TXmlElement(NameTablePtr(), nameId));
}

IXmlElement TXmlDocument::CreateElement(std::string_view name) const
{
    return CreateElement(NameTablePtr()->NameToId(name));
}

IXmlNode TXmlDocument::CreateText(const TXmlValue &value) const
{
    return IXmlNode(new TXmlText(NameTablePtr(), value));
}

IXmlNode TXmlDocument::CreateCDATASection(std::string_view text) const
{
    return IXmlNode(new TXmlCDATASection(NameTablePtr(), text));
}

IXmlNode TXmlDocument::CreateComment(std::string_view text) const
{
    return IXmlNode(new TXmlComment(NameTablePtr(), text));
}

IXmlNode TXmlDocument::CreateProcessingInstruction(int targetId, std::string_view text) const
{
    return IXmlNode(new TXmlProcessingInstruction(NameTablePtr(), targetId, text));
}

IXmlNode TXmlDocument::CreateProcessingInstruction(std::string_view target,
                                                   std::string_view text) const
{
    return CreateProcessingInstruction(NameTablePtr()->NameToId(target), text);
}

void TXmlDocument::Clear()
{
    RemoveAllChildren();
    RemoveAllAttrs();
}

void TXmlDocument::LoadFromText(std::string_view text)
{
    if (text.substr(0, BinaryXmlSignature.size()) == BinaryXmlSignature) {
        LoadBinaryFromText(text);
        return;
    }
    Clear();
    TXmlStrSource source(text);
    TXmlParser(*this, source).Parse();
}

void TXmlDocument::LoadBinaryFromText(std::string_view text)
{
    Clear();
    TStrXmlReader reader(text.substr(
        text.size() < BinaryXmlSignature.size() ? text.size() : BinaryXmlSignature.size()));
    reader.ReadDocument(*this);
}

void TXmlDocument::LoadFromStream(QIODevice &stream)
{
    if (stream.isSequential()) {
        // Without a size and seeking the stream is read whole.
        const QByteArray all = stream.readAll();
        LoadFromText(std::string_view(all.constData(), size_t(all.size())));
        return;
    }
    Clear();
    const qint64 start = stream.pos();
    const qint64 signatureSize = qint64(BinaryXmlSignature.size());
    if (stream.size() - start > signatureSize) {
        char head[BinaryXmlSignature.size()];
        if (stream.read(head, signatureSize) == signatureSize &&
            std::string_view(head, BinaryXmlSignature.size()) == BinaryXmlSignature) {
            TStmXmlReader reader(stream);
            reader.ReadDocument(*this);
            return;
        }
        stream.seek(start);
    }
    TXmlStmSource source(stream);
    TXmlParser(*this, source).Parse();
}

void TXmlDocument::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    OpenForReading(file);
    try {
        LoadFromStream(file);
    } catch (const EXmlParseError &error) {
        throw EXmlParseError(error.Reason(), error.Line(), error.Column(), fileName);
    }
}

void TXmlDocument::LoadFromFile(const std::string &fileName)
{
    LoadFromFile(FileName(fileName));
}
void TXmlDocument::LoadFromFile(const char *fileName)
{
    LoadFromFile(QString::fromUtf8(fileName));
}

void TXmlDocument::LoadFromResource(std::string_view type, std::string_view name)
{
    const std::string path =
        ":/" + (type.empty() ? std::string(name) : std::string(type) + "/" + std::string(name));
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return;
    LoadFromText(std::string_view(bytes.constData(), size_t(bytes.size())));
}

void TXmlDocument::SaveToStream(QIODevice &stream) const
{
    AtomicFile::WriteAll(stream, Xml());
}

void TXmlDocument::SaveToFile(const QString &fileName) const
{
    AtomicFile::Write(fileName, Xml());
}

void TXmlDocument::SaveToFile(const std::string &fileName) const
{
    SaveToFile(FileName(fileName));
}
void TXmlDocument::SaveToFile(const char *fileName) const
{
    SaveToFile(QString::fromUtf8(fileName));
}

void TXmlDocument::SaveBinaryToStream(QIODevice &stream, unsigned options) const
{
    AtomicFile::WriteAll(stream, BinaryText(options));
}

void TXmlDocument::SaveBinaryToFile(const QString &fileName, unsigned options) const
{
    AtomicFile::Write(fileName, BinaryText(options));
}

IXmlDocument NewXmlDocument(std::string_view rootName, std::string_view version,
                            std::string_view encoding, TXmlNameTable *nameTable)
{
    IXmlDocument document(new TXmlDocument(nameTable ? nameTable : DefaultNameTable()));
    if (!rootName.empty())
        document->StartDocument(version, encoding, rootName);
    return document;
}

IXmlDocument OpenXmlDocument(const QString &fileName)
{
    IXmlDocument document = NewXmlDocument();
    document->LoadFromFile(fileName);
    return document;
}

IXmlDocument OpenXmlDocument(const std::string &fileName)
{
    return OpenXmlDocument(FileName(fileName));
}

IXmlDocument OpenXmlDocument(const char *fileName)
{
    return OpenXmlDocument(QString::fromUtf8(fileName));
}
