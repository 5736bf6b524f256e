#include "xml/XmlWriter.h"
#include "platform/AtomicFile.h"
#include "platform/Exception.h"
#include "xml/XmlDocument.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

std::string ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

TEST(XmlWriter, WritesTheLayoutShapeByteForByte)
{
    IXmlDocument doc = NewXmlDocument("root", "1.0");
    IXmlElement control = doc->DocumentElement()->AppendElement("control");
    control->WriteAttr("type", "Button");
    IXmlElement property = control->AppendElement("property");
    property->WriteAttr("name", "Left");
    property->WriteAttr("value", "8");
    const std::string expected = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
                                 "<root>\r\n"
                                 "\t<control type=\"Button\">\r\n"
                                 "\t\t<property name=\"Left\" value=\"8\"/>\r\n"
                                 "\t</control>\r\n"
                                 "</root>";
    EXPECT_EQ(doc->Xml(), expected);
    EXPECT_EQ(IndentLevel, 0);

    QTemporaryDir dir;
    const QString path = dir.filePath("layout.xml");
    doc->SaveToFile(path);
    IXmlDocument back = OpenXmlDocument(path);
    EXPECT_EQ(back->Xml(), expected);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    doc->SaveToStream(buffer);
    EXPECT_EQ(buffer.data().toStdString(), expected);
}

// A save replaces the file whole or not at all: a writer that fails part
// way, or a target that cannot be written, leaves the old bytes and no
// temporary file behind, and the error reaches the caller.
TEST(XmlWriter, AFailedSaveLeavesThePreviousFileByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("layout.xml");
    IXmlDocument doc = NewXmlDocument("root", "1.0");
    doc->SaveToFile(path);
    const std::string before = ReadFile(path);
    ASSERT_FALSE(before.empty());

    const auto failing = [](QIODevice &device) {
        AtomicFile::WriteAll(device, "<root><control type=\"Button\">");
        throw Exception("Error writing stream: No space left on device");
    };
    EXPECT_THROW(AtomicFile::Write(path, failing), Exception);
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"layout.xml"});

    QDir(dir.path()).mkdir("folder.xml");
    try {
        doc->SaveToFile(dir.filePath("folder.xml"));
        ADD_FAILURE() << "a folder cannot become a layout";
    } catch (const Exception &e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file", 0), 0u) << e.what();
    }
    EXPECT_THROW(doc->SaveToFile(dir.filePath("missing/layout.xml")), Exception);
    EXPECT_EQ(ReadFile(path), before);
}

TEST(XmlWriter, EscapesValuesAndWritesEachKind)
{
    EXPECT_EQ(EscapeXmlText("a&b\"c<d>e'f\t"), "a&amp;b&quot;c&lt;d&gt;e'f\t");
    IXmlDocument doc = NewXmlDocument();
    IXmlElement e = doc->CreateElement("e");
    e->WriteAttr("v", "&\"'");
    e->AppendText("x<y");
    e->AppendCDATA("a]]>b");
    EXPECT_EQ(e->Xml(), "\r\n<e v=\"&amp;&quot;'\">x&lt;y<![CDATA[a]]]><![CDATA[]>b]]></e>");
    EXPECT_EQ(doc->CreateComment(" c&< ")->Xml(), "<!-- c&< -->");
    EXPECT_EQ(doc->CreateProcessingInstruction("pi", "data")->Xml(), "<?pi data?>");
    IXmlNode pi = doc->CreateProcessingInstruction("xml", "");
    pi->WriteAttr("version", "1.0");
    EXPECT_EQ(pi->Xml(), "<?xml version=\"1.0\"?>");

    IXmlElement split = doc->CreateElement("s");
    split->AppendText("old");
    split->SetTextAsCDATA("x]]>y]]>z");
    ASSERT_EQ(split->ChildNodes()->Count(), 3);
    EXPECT_EQ(split->ChildNodes()->Item(0)->Text(), "x]");
    EXPECT_EQ(split->ChildNodes()->Item(1)->Text(), "]>y]");
    EXPECT_EQ(split->ChildNodes()->Item(2)->Text(), "]>z");
}

TEST(XmlWriter, EscapesEverySpecialAtEveryOffset)
{
    // Word-wise scanning: one special byte at each position of texts up to
    // 24 bytes, and a second in the last word, are each escaped once.
    const std::string references[] = {"&quot;", "&amp;", "&lt;", "&gt;"};
    const std::string specials = "\"&<>";
    for (size_t length = 1; length <= 24; ++length)
        for (size_t at = 0; at < length; ++at)
            for (size_t k = 0; k < specials.size(); ++k) {
                std::string text(length, 'x');
                text[at] = specials[k];
                std::string expected = text.substr(0, at) + references[k] + text.substr(at + 1);
                ASSERT_EQ(EscapeXmlText(text), expected) << length << ' ' << at;
                if (at + 3 < length) {
                    text[length - 1] = '>';
                    expected = expected.substr(0, expected.size() - 1) + "&gt;";
                    ASSERT_EQ(EscapeXmlText(text), expected) << length << ' ' << at;
                }
            }
}

TEST(XmlWriter, RawTextIsWrittenUnescapedBesideEscapedText)
{
    IXmlDocument doc = NewXmlDocument("root");
    IXmlElement glyph = doc->DocumentElement()->AppendElement("g");
    glyph->AppendRawText("&#x25CF;");
    glyph->AppendText("&<");
    EXPECT_EQ(doc->Xml(), "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
                          "<root>\r\n"
                          "\t<g>&#x25CF;&amp;&lt;</g>\r\n"
                          "</root>");
    EXPECT_EQ(glyph->CloneNode(true)->Xml(), "\r\n<g>&#x25CF;&amp;&lt;</g>");
    // Read back, the reference is an ordinary character again.
    IXmlDocument back = NewXmlDocument();
    back->LoadFromText(doc->Xml());
    EXPECT_FALSE(
        back->DocumentElement()->FirstChildNamed("g")->ChildNodes()->Item(0)->AsText()->Raw());
}

TEST(XmlWriter, TextOnlyElementsReadBackUnchanged)
{
    IXmlDocument doc = NewXmlDocument("root");
    IXmlElement root = doc->DocumentElement();
    root->AppendElement("memo")->SetText("line1\r\nline2");
    IXmlElement cell = root->AppendElement("cell");
    cell->AppendText("a\r\n");
    cell->AppendCDATA("b\nc");
    IXmlElement mixed = root->AppendElement("mixed");
    mixed->AppendComment("one\r\ntwo");
    root->AppendElement("empty")->AppendText("");
    const std::string xml = doc->Xml();
    EXPECT_NE(xml.find("\r\n\t<memo>line1\r\nline2</memo>"), std::string::npos);
    EXPECT_NE(xml.find("\r\n\t<cell>a\r\n<![CDATA[b\nc]]></cell>"), std::string::npos);
    EXPECT_NE(xml.find("\r\n\t<mixed><!--one\r\ntwo-->\r\n\t</mixed>"), std::string::npos);
    EXPECT_NE(xml.find("\r\n\t<empty/>"), std::string::npos);

    // Several save and load rounds keep the texts.
    std::string text = xml;
    for (int round = 0; round < 3; ++round) {
        IXmlDocument again = NewXmlDocument();
        again->LoadFromText(text);
        text = again->Xml();
    }
    EXPECT_EQ(text, xml);
}

TEST(XmlWriter, IndentLevelIsRestoredWhenAValueCannotBeWritten)
{
    IXmlDocument doc = NewXmlDocument("root");
    IXmlElement deep = doc->DocumentElement()->AppendElement("a")->AppendElement("b");
    deep->SetValue(TXmlValue::Date(1e300));
    EXPECT_THROW(doc->Xml(), Exception);
    EXPECT_EQ(IndentLevel, 0);
    deep->SetText("ok");
    EXPECT_NE(doc->Xml().find("\r\n\t\t<b>ok</b>"), std::string::npos);
}

TEST(XmlWriter, KeepWhitespaceWritesNoIndentation)
{
    IXmlDocument doc = NewXmlDocument("root");
    doc->SetKeepWhitespace(true);
    IXmlElement root = doc->DocumentElement();
    root->AppendElement("a")->SetText("x");
    root->AppendElement("b");
    EXPECT_EQ(doc->Xml(),
              "<?xml version=\"1.0\" encoding=\"windows-1251\"?><root><a>x</a><b/></root>");
}

TEST(XmlWriter, DeepTreesAreWrittenAndReleasedWithoutRecursion)
{
    // Indented output grows with the square of the depth, so the million
    // levels are written in the unindented form.
    const int depth = 1000000;
    IXmlDocument doc = NewXmlDocument("root");
    doc->SetKeepWhitespace(true);
    IXmlElement e = doc->DocumentElement();
    for (int i = 0; i < depth; ++i)
        e = e->AppendElement("d");
    e->SetText("leaf");
    e = nullptr;
    const std::string xml = doc->Xml();
    EXPECT_EQ(xml.size(), size_t(45 + 13 + depth * 7 + 4));
    EXPECT_NE(xml.find("<d><d>leaf</d></d>"), std::string::npos);
    EXPECT_EQ(doc->Text(), "leaf");
    IXmlNode copy = doc->DocumentElement()->CloneNode(true);
    EXPECT_EQ(copy->Text(), "leaf");
    copy = nullptr;
    doc = nullptr;
}

} // namespace
