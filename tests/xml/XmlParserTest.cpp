#include "platform/Exception.h"
#include "xml/XmlDocument.h"
#include "xml/XmlParseError.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <utility>

namespace
{

IXmlDocument Parse(const std::string &text, bool keep = false)
{
    IXmlDocument doc = NewXmlDocument();
    doc->SetKeepWhitespace(keep);
    doc->LoadFromText(text);
    return doc;
}

std::string ParseError(const std::string &text)
{
    try {
        Parse(text);
    } catch (const Exception &e) {
        return e.what();
    }
    return "(no error)";
}

TEST(XmlParser, DeclarationAndRootRoundTrip)
{
    const std::string text = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<root/>";
    IXmlDocument doc = Parse(text);
    ASSERT_EQ(doc->ChildNodes()->Count(), 2);
    IXmlNode decl = doc->ChildNodes()->Item(0);
    EXPECT_EQ(decl->NodeType(), TXmlNode::PROCESSING_INSTRUCTION_NODE);
    EXPECT_EQ(decl->NodeName(), "xml");
    EXPECT_EQ(decl->ReadAttr("version"), "1.0");
    EXPECT_EQ(decl->ReadAttr("encoding"), "windows-1251");
    EXPECT_EQ(doc->DocumentElement()->NodeName(), "root");
    EXPECT_EQ(doc->Xml(), text);
}

TEST(XmlParser, WhitespaceRules)
{
    IXmlDocument doc = Parse("<r>\r\n\t<a> x </a>\r\n\t<b>   </b> <c>&#32;</c></r>");
    IXmlElement r = doc->DocumentElement();
    ASSERT_EQ(r->ChildNodes()->Count(), 3);
    EXPECT_EQ(r->ChildText("a"), " x ");
    EXPECT_EQ(r->ChildText("b"), "");
    EXPECT_FALSE(r->FirstChildNamed("b")->HasChildNodes());
    EXPECT_EQ(r->ChildText("c"), "");

    IXmlDocument kept = Parse("<r>\r\n<a/><b>  </b></r>", true);
    IXmlNodeList children = kept->DocumentElement()->ChildNodes();
    ASSERT_EQ(children->Count(), 5); // "\r\n", a, "", b, ""
    EXPECT_EQ(children->Item(0)->Text(), "\r\n");
    EXPECT_EQ(children->Item(2)->NodeType(), TXmlNode::TEXT_NODE);
    EXPECT_EQ(children->Item(4)->Text(), "");
    EXPECT_EQ(kept->DocumentElement()->ChildText("b"), "  ");
}

TEST(XmlParser, References)
{
    IXmlDocument doc = Parse("<r a='&quot;&apos;&lt;&gt;&amp;'>&#65;&#x41;&#x4a;&#321;</r>");
    EXPECT_EQ(doc->DocumentElement()->Text(), "AAJA");
    EXPECT_EQ(doc->DocumentElement()->ReadAttr("a"), "\"'<>&");
}

TEST(XmlParser, AttributeValues)
{
    IXmlDocument doc = Parse("<r a=\"x>'y\" b = 'tab\there' a=\"z\"/>");
    IXmlElement r = doc->DocumentElement();
    EXPECT_EQ(r->ReadAttr("a"), "z");
    EXPECT_EQ(r->AttrName(0), "a");
    EXPECT_EQ(r->ReadAttr("b"), "tab\there");
}

// Every byte of the text as a character reference: read only by the
// reference-decoding path.
std::string AsReferences(std::string_view text)
{
    std::string out;
    for (char c : text)
        out += "&#" + std::to_string(int(static_cast<unsigned char>(c))) + ';';
    return out;
}

TEST(XmlParser, ScannedAndDecodedValuesAgreeAtEveryOffset)
{
    // A special byte at each position of values up to 40 bytes long puts it
    // in every lane of the sixteen-byte scan and in the bytewise tail.
    const char specials[] = {'&', '<', '>', '"', '\'', '\r', '\n', '\t', '\xE0', '\xFF'};
    for (size_t length = 1; length <= 40; ++length)
        for (size_t at = 0; at < length; ++at)
            for (char special : specials) {
                std::string value(length, 'v');
                if (length - 1 - at != at)
                    value[length - 1 - at] = '\xC1';
                value[at] = special;
                IXmlDocument built = NewXmlDocument("r");
                IXmlElement e = built->DocumentElement()->AppendElement("e");
                e->WriteAttr("a", value);
                e->SetText("t" + value);
                const std::string written = built->Xml();
                IXmlDocument scanned = Parse(written);
                IXmlElement read = scanned->DocumentElement()->FirstChildNamed("e");
                ASSERT_EQ(read->ReadAttr("a"), value) << length << ' ' << at;
                ASSERT_EQ(read->Text(), "t" + value) << length << ' ' << at;
                ASSERT_EQ(scanned->Xml(), written);

                const std::string quoted = special == '\'' ? "\"" : "'";
                IXmlDocument decoded = Parse("<r><e a=" + quoted + AsReferences(value) + quoted +
                                             ">t" + AsReferences(value) + "</e></r>");
                ASSERT_EQ(decoded->DocumentElement()->Xml(), built->DocumentElement()->Xml())
                    << length << ' ' << at;
            }
}

TEST(XmlParser, NamesThatShareCacheSlotsStayApart)
{
    // Names of one length with the same first, middle and last bytes, long
    // names that differ only inside, and names of the code page.
    const std::vector<std::string> names = {"abcde",
                                            "axcye",
                                            "abcde",
                                            "a_c.e",
                                            "very_long_element_name_number_1",
                                            "very_long_element_name_number_2",
                                            "\xC0\xC1\xC2",
                                            "\xC0\xFF\xC2",
                                            "axcye"};
    std::string text = "<r>";
    for (size_t i = 0; i < names.size(); ++i)
        text += "<" + names[i] + " " + names[names.size() - 1 - i] + "='" + std::to_string(i) +
                "'></" + names[i] + ">";
    text += "</r>";
    IXmlDocument doc = Parse(text);
    IXmlNodeList children = doc->DocumentElement()->ChildNodes();
    ASSERT_EQ(children->Count(), int(names.size()));
    for (size_t i = 0; i < names.size(); ++i) {
        IXmlNode child = children->Item(int(i));
        EXPECT_EQ(child->NodeName(), names[i]);
        ASSERT_EQ(child->AttrCount(), 1);
        EXPECT_EQ(child->AttrName(0), names[names.size() - 1 - i]);
    }
    EXPECT_EQ(ParseError("<abcde></axcye>"), "Expecting \"bcde\".");
}

TEST(XmlParser, AttributesReadBeforeAnErrorStay)
{
    IXmlDocument doc = NewXmlDocument();
    EXPECT_THROW(doc->LoadFromText("<r a='1' b='2' a='3' c="), Exception);
    IXmlElement r = doc->DocumentElement();
    ASSERT_EQ(r->AttrCount(), 2);
    EXPECT_EQ(r->ReadAttr("a"), "3");
    EXPECT_EQ(r->ReadAttr("b"), "2");
    // The node's attributes grow as usual after the parse.
    r->WriteAttr("d", "4");
    EXPECT_EQ(r->Xml(), "\r\n<r a=\"3\" b=\"2\" d=\"4\"/>");
}

// Every malformed text names what the parser expected or refused.
TEST(XmlParser, ErrorsOfReferencesAttributesAndStructure)
{
    const std::pair<const char *, const char *> rows[] = {
        // References.
        {"<r>&#X41;</r>", "Expecting number."},
        {"<r>&#x;</r>", "Expecting hexadecimal number."},
        {"<r>&#65</r>", "Expecting \";\"."},
        {"<r>&foo;</r>", "Incorrect name of a control character."},
        {"<r>&", "Expecting \"#\" or control character."},
        {"<r>&#", "Expecting number."},
        {"<r>&1;</r>", "A name should begin with a letter or \"_\"."},
        // Attributes.
        {"<r a=\"<\"/>", "Symbol \"<\" cannot be used as attribute value."},
        {"<r a=x/>", "Expecting string constant."},
        {"<r a=", "Expecting attribute value."},
        {"<r a='abc", "Expecting \"'\"."},
        {"<r a 'x'/>", "Expecting \"=\"."},
        // Elements, comments, sections and declarations.
        {"<root></rooX>", "Expecting \"t\"."},
        {"<root></ro", "Expecting \"ot\"."},
        {"<root></root x>", "Expecting \">\"."},
        {"<root>text", "Expecting \"/\"."},
        {"<root>", "Expecting \"/\"."},
        {"<root", "Element definition is not completed."},
        {"<root;>", "Incorrect symbol in element name."},
        {"< root/>", "A name should begin with a letter or \"_\"."},
        {"<r/x>", "Expecting \">\"."},
        {"<r><!-- open</r>", "Expecting \"-->\"."},
        {"<r><!-x--></r>", "Expecting \"-\"."},
        {"<r><![CDATA[x</r>", "Expecting \"]]>\"."},
        {"<!DOCTYP r>", "Expecting \"E\"."},
        {"<?pi x", "Expecting \"?>\"."},
    };
    for (const auto &[text, error] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseError(text), error);
    }

    // A parse error keeps what was read before it.
    IXmlDocument doc = NewXmlDocument();
    EXPECT_THROW(doc->LoadFromText("<r><a/><b x"), Exception);
    EXPECT_EQ(doc->DocumentElement()->ChildNodes()->Count(), 2);
}

TEST(XmlParser, DocumentLevelContent)
{
    IXmlDocument doc = Parse("<!DOCTYPE r SYSTEM \"x\"><?pi  data ?><r/><!--c--><s/>");
    ASSERT_EQ(doc->ChildNodes()->Count(), 4);
    EXPECT_EQ(doc->ChildNodes()->Item(0)->Text(), "  data ");
    EXPECT_EQ(doc->ChildNodes()->Item(3)->NodeName(), "s");
    IXmlDocument stray = Parse("<r/></x>garbage <<");
    EXPECT_EQ(stray->ChildNodes()->Count(), 1);
    IXmlDocument cdata = Parse("<r><![CDATA[a<b>&c]]]></r>");
    EXPECT_EQ(cdata->DocumentElement()->ChildNodes()->Item(0)->Text(), "a<b>&c]");
    // Loading replaces all content and attributes.
    IXmlDocument reused = Parse("<a/>");
    reused->WriteAttr("x", "1");
    reused->LoadFromText("<b/>");
    EXPECT_EQ(reused->ChildNodes()->Count(), 1);
    EXPECT_EQ(reused->AttrCount(), 0);
}

TEST(XmlParser, NamesOfTheCodePage)
{
    IXmlDocument doc = Parse("<\xC8\xEC\xFF _a-1.b:c='1'/>");
    EXPECT_EQ(doc->DocumentElement()->NodeName(), "\xC8\xEC\xFF");
    EXPECT_TRUE(doc->DocumentElement()->HasAttr("_a-1.b:c"));
}

TEST(XmlParser, StreamsAcrossBlockBoundaries)
{
    // Names, values and texts straddle the 64 KiB blocks of the stream.
    IXmlDocument doc = NewXmlDocument("root");
    IXmlElement root = doc->DocumentElement();
    for (int i = 0; i < 3000; ++i) {
        IXmlElement e = root->AppendElement("element_with_long_name" + std::to_string(i));
        e->WriteAttr("attribute_" + std::to_string(i), std::string(size_t(i % 50), 'v') + "&<");
        e->SetText("text " + std::to_string(i) + " & more\"");
    }
    const std::string text = doc->Xml();
    ASSERT_GT(text.size(), 3u * 65536);
    QByteArray bytes(text.data(), qsizetype(text.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    IXmlDocument loaded = NewXmlDocument();
    loaded->LoadFromStream(buffer);
    EXPECT_EQ(loaded->Xml(), text);
}

TEST(XmlParser, FileOfTheBareSignatureIsText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sig.xml");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(BinaryXmlSignature.data(), qint64(BinaryXmlSignature.size()));
    file.close();
    try {
        OpenXmlDocument(path);
        FAIL() << "no error";
    } catch (const Exception &e) {
        EXPECT_EQ(e.what(),
                  path.toStdString() + ":1:2: A name should begin with a letter or \"_\".");
    }
    EXPECT_THROW(OpenXmlDocument(dir.filePath("missing.xml")), Exception);
}

// Where an error was found, from text in memory; the message of the parser
// itself stays bare there, having no file to name.
EXmlParseError ErrorOf(const std::string &text)
{
    try {
        Parse(text);
    } catch (const EXmlParseError &e) {
        return e;
    }
    return EXmlParseError("(no error)", 0, 0);
}

TEST(XmlParser, ErrorsSayTheLineAndColumn)
{
    const EXmlParseError reference = ErrorOf("<r>\n  <a>&#65</a>");
    EXPECT_STREQ(reference.what(), "Expecting \";\".");
    EXPECT_EQ(reference.Line(), 2);
    EXPECT_EQ(reference.Column(), 10);
    // Lines end at CR LF, LF or a lone CR.
    const EXmlParseError value = ErrorOf("<r>\r\n\r<a x=1/>\n");
    EXPECT_EQ(value.Reason(), "Expecting string constant.");
    EXPECT_EQ(value.Line(), 3);
    EXPECT_EQ(value.Column(), 6);
    // A letter of the code page is one column.
    const EXmlParseError name = ErrorOf("<r>\n<\xC8\xEC\xFF;/>");
    EXPECT_EQ(name.Line(), 2);
    EXPECT_EQ(name.Column(), 5);
    // The end of the text is a place too.
    const EXmlParseError open = ErrorOf("<r>\n<a>\n");
    EXPECT_EQ(open.Line(), 3);
    EXPECT_EQ(open.Column(), 1);
}

TEST(XmlParser, ErrorsInAFileNameItAndCountLinesAcrossBlocks)
{
    // A CR ends the first 64 KiB block and its LF begins the second; the
    // error lies in the third block.
    std::string text = "<r>";
    text.resize(65535, ' ');
    text += "\r\n";
    for (int i = 0; i < 20000; ++i)
        text += "<a/>\r\n";
    text += "<b x=1/></r>";
    ASSERT_GT(text.size(), 2u * 65536 + 100);
    QTemporaryDir dir;
    const QString path = dir.filePath("layout.xml");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), qint64(text.size()));
    file.close();
    try {
        OpenXmlDocument(path);
        FAIL() << "no error";
    } catch (const EXmlParseError &e) {
        EXPECT_EQ(e.what(), path.toStdString() + ":20002:6: Expecting string constant.");
        EXPECT_EQ(e.FileName(), path);
    }
}

TEST(XmlParser, DeepNestingIsReadWithoutRecursion)
{
    const int depth = 1000000;
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    text += "x";
    for (int i = 0; i < depth; ++i)
        text += "</a>";
    IXmlDocument doc = Parse(text);
    EXPECT_EQ(doc->Text(), "x");
    doc = nullptr;
    EXPECT_EQ(ParseError(text.substr(0, 3 * depth)), "Expecting \"/\".");

    // A reader that knows its depth stops at it, before the rest is read.
    IXmlDocument limited = NewXmlDocument();
    limited->SetMaxDepth(3);
    limited->LoadFromText("<a><b><c/><c>x</c></b></a>");
    EXPECT_EQ(limited->Text(), "x");
    try {
        limited->LoadFromText("<a><b><c><d/></c></b></a>");
        FAIL() << "no error";
    } catch (const EXmlParseError &e) {
        EXPECT_EQ(e.Reason(), "Elements are nested more than 3 levels deep.");
        EXPECT_EQ(e.Column(), 11) << "at the name of the element too deep";
    }
}

TEST(XmlParser, LoadsFromResources)
{
    IXmlDocument doc = NewXmlDocument();
    doc->LoadFromResource("xmltest", "sample.xml");
    ASSERT_TRUE(doc->DocumentElement());
    EXPECT_EQ(doc->DocumentElement()->ReadAttr("kind"), "resource");
    doc->LoadFromResource("xmltest", "missing.xml");
    EXPECT_TRUE(doc->DocumentElement());
}

} // namespace
