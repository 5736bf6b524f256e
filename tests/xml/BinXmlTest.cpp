#include "platform/Exception.h"
#include "xml/XmlDocument.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace
{

// Builds binary XML by hand, little-endian.
struct TBytes {
    std::string Data;
    TBytes &Byte(int b)
    {
        Data += char(b);
        return *this;
    }
    TBytes &Int(uint64_t v, int size)
    {
        for (int i = 0; i < size; ++i)
            Data += char((v >> (8 * i)) & 0xFF);
        return *this;
    }
    TBytes &Str(const std::string &s)
    {
        Byte(int(s.size()));
        Data += s;
        return *this;
    }
    // Signature, options and a table of the five standard names plus ours;
    // the bucket data names one bucket holding id 0.
    static TBytes Header(std::vector<std::string> extra, uint32_t options = 0)
    {
        TBytes b;
        b.Data = std::string(BinaryXmlSignature);
        b.Int(options, 4);
        std::vector<std::string> names{"#text", "#cdata-section", "#comment", "#document", "xml"};
        names.insert(names.end(), extra.begin(), extra.end());
        b.Byte(int(names.size()));
        for (const std::string &n : names) {
            if (options & 1) {
                const std::u16string wide = CodePageToWide(n);
                b.Byte(int(wide.size()));
                for (char16_t u : wide)
                    b.Int(u, 2);
            } else {
                b.Str(n);
            }
        }
        b.Byte(0x90).Byte(0x00); // 4096 buckets as a two-byte CompactInt
        b.Byte(1).Byte(0).Byte(1).Int(0, 4);
        return b;
    }
};

std::string LoadError(const std::string &data)
{
    try {
        NewXmlDocument()->LoadFromText(data);
    } catch (const Exception &e) {
        return e.what();
    }
    return "(no error)";
}

TEST(BinXml, ReadsEveryValueType)
{
    TBytes b = TBytes::Header({"root", "a"});
    b.Byte(0).Byte(1);                   // document: no attributes, one child
    b.Byte(1).Byte(5).Byte(0);           // element root, empty value
    b.Byte(1).Byte(6).Byte(3).Int(7, 4); // attribute a = 7 (32-bit)
    b.Byte(19);                          // children
    b.Byte(3).Byte(0);
    b.Byte(3).Byte(1);
    b.Byte(3).Byte(2).Int(uint16_t(-2), 2);
    b.Byte(3).Byte(4).Int(0x40200000, 4); // single 2.5
    b.Byte(3).Byte(5).Int(0x3FF8000000000000ULL, 8);
    b.Byte(3).Byte(6).Int(25000, 8);
    b.Byte(3).Byte(7).Int(0x40E0000000000000ULL, 8); // 32768.0 = 1989-09-17
    b.Byte(3).Byte(8).Byte(2).Int(0x0416, 2).Int('b', 2);
    b.Byte(3).Byte(11).Int(0xFFFF, 2);
    b.Byte(3).Byte(16).Byte(0xFF);
    b.Byte(3).Byte(17).Byte(0xFF);
    b.Byte(3).Byte(18).Int(65535, 2);
    b.Byte(3).Byte(19).Int(4000000000u, 4);
    b.Byte(3).Byte(20).Int(uint64_t(-5), 8);
    b.Byte(3).Byte(0x81).Byte(0x00).Str("str");           // code 256 as a two-byte CompactInt
    b.Byte(3).Byte(0xA0).Byte(0x11).Byte(2).Data += "hi"; // 8209: byte array
    b.Byte(4).Str("cdata");
    b.Byte(8).Str("note");
    b.Byte(7).Byte(5).Str("pi text").Byte(0).Byte(0);

    IXmlDocument doc = NewXmlDocument();
    doc->LoadFromText(b.Data);
    IXmlElement root = doc->DocumentElement();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->NodeName(), "root");
    EXPECT_EQ(root->ReadIntAttr("a"), 7);
    EXPECT_EQ(root->AttrType("a"), TXmlValue::varInteger);
    const std::vector<std::pair<int, std::string>> expected{{256, ""},
                                                            {1, "{{null}}"},
                                                            {2, "-2"},
                                                            {4, "2.5"},
                                                            {5, "1.5"},
                                                            {6, "2.5"},
                                                            {7, "1989-09-17T00-00-00"},
                                                            {8, "\xC6"
                                                                "b"},
                                                            {11, "1"},
                                                            {16, "-1"},
                                                            {17, "255"},
                                                            {18, "65535"},
                                                            {19, "4000000000"},
                                                            {20, "-5"},
                                                            {256, "str"},
                                                            {8209, "aGk="}};
    IXmlNodeList children = root->ChildNodes();
    ASSERT_EQ(children->Count(), 19);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(children->Item(int(i))->DataType(), expected[i].first) << i;
        EXPECT_EQ(children->Item(int(i))->Text(), expected[i].second) << i;
    }
    EXPECT_EQ(children->Item(16)->NodeType(), TXmlNode::CDATA_SECTION_NODE);
    EXPECT_EQ(children->Item(17)->Text(), "note");
    EXPECT_EQ(children->Item(18)->Text(), "pi text");
    EXPECT_EQ(doc->NameTablePtr()->BucketCount(), 4096);
    EXPECT_NE(doc->NameTablePtr(), DefaultNameTable());
}

TEST(BinXml, ReadsUtf16NamesAndStreams)
{
    TBytes b = TBytes::Header({"\xC6"}, 1);
    b.Byte(0).Byte(2).Byte(1).Byte(5).Byte(0).Byte(0).Byte(0);
    b.Byte(8).Byte(1).Int(0x0416, 2);
    IXmlDocument doc = NewXmlDocument();
    doc->LoadFromText(b.Data);
    EXPECT_EQ(doc->DocumentElement()->NodeName(), "\xC6");
    EXPECT_EQ(doc->ChildNodes()->Item(1)->Text(), "\xC6");

    QByteArray bytes(b.Data.data(), qsizetype(b.Data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    IXmlDocument streamed = NewXmlDocument();
    streamed->LoadFromStream(buffer);
    EXPECT_EQ(streamed->Xml(), doc->Xml());
}

TEST(BinXml, Errors)
{
    const std::string header = TBytes::Header({"root"}).Data;
    EXPECT_EQ(LoadError(header), "Error reading data.");
    EXPECT_EQ(LoadError(header + TBytes().Byte(0).Byte(1).Byte(2).Data),
              "Error reading binary XML: incorrect node type.");
    EXPECT_EQ(LoadError(header + TBytes().Byte(0).Byte(1).Byte(3).Byte(9).Data),
              "Error reading value: incorrect type.");
    EXPECT_EQ(LoadError(std::string(BinaryXmlSignature)), "Error reading data.");
    // Lengths and counts beyond the data are refused before allocating.
    EXPECT_EQ(
        LoadError(
            header +
            TBytes().Byte(0).Byte(1).Byte(3).Byte(0x81).Byte(0).Byte(255).Int(0x7FFFFFFF, 4).Data),
        "Error reading data.");
    EXPECT_EQ(LoadError(header + TBytes().Byte(255).Int(0x7FFFFFFF, 4).Data),
              "Error reading data.");
    EXPECT_EQ(LoadError(header + TBytes().Byte(0).Byte(255).Int(0xFFFFFFFF, 4).Data),
              "Error reading data.");
    // A name id outside the table.
    EXPECT_EQ(LoadError(header + TBytes().Byte(0).Byte(1).Byte(1).Byte(99).Byte(0).Data),
              "Error reading data.");
}

TEST(BinXml, WriterOutputReadsBack)
{
    IXmlDocument doc = NewXmlDocument("root");
    IXmlElement root = doc->DocumentElement();
    root->WriteVarAttr("d", TXmlValue::Date(45000.5));
    root->WriteVarAttr("w", TXmlValue::WideString(u"\u0416"));
    IXmlElement child = root->AppendElement("child");
    child->SetValue(TXmlValue::Integer(TXmlValue::varInt64, 1LL << 40));
    child->WriteAttr("long", std::string(40000, 'x'));
    root->AppendCDATA("c");
    root->AppendComment("k");
    for (unsigned options : {0u, 1u}) {
        IXmlDocument back = NewXmlDocument();
        back->LoadFromText(doc->BinaryText(options));
        EXPECT_EQ(back->Xml(), doc->Xml());
        EXPECT_EQ(back->DocumentElement()->FirstChildNamed("child")->DataType(),
                  TXmlValue::varInt64);
    }
}

} // namespace
