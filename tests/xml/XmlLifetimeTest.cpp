#include "platform/Exception.h"
#include "xml/XmlDocument.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace
{

TEST(XmlLifetime, ParentLinksAreWeak)
{
    IXmlDocument doc = NewXmlDocument("root");
    IXmlElement child = doc->DocumentElement()->AppendElement("child");
    IXmlNodeList rootChildren = doc->DocumentElement()->ChildNodes();
    doc = nullptr;
    // The root is gone with the document; its child list, held here, keeps
    // its nodes but no longer names an owner.
    ASSERT_EQ(rootChildren->Count(), 1);
    EXPECT_EQ(rootChildren->Item(0), IXmlNode(child));
    EXPECT_EQ(child->ParentNode(), nullptr);
    EXPECT_EQ(child->OwnerDocument(), nullptr);
    EXPECT_EQ(child->Xml(), "\r\n<child/>");
}

TEST(XmlLifetime, NewDocumentsTakeTheProcessWideWhitespaceDefault)
{
    XmlKeepWhitespaceDefault = true;
    IXmlDocument keeping = NewXmlDocument("r", "1.0", "utf-8");
    XmlKeepWhitespaceDefault = false;
    EXPECT_TRUE(keeping->KeepWhitespace());
    EXPECT_FALSE(NewXmlDocument()->KeepWhitespace());
    EXPECT_EQ(keeping->Xml(), "<?xml version=\"1.0\" encoding=\"utf-8\"?><r/>");
    // A free element follows the default too.
    IXmlElement free = keeping->CreateElement("f");
    free->AppendElement("g");
    EXPECT_EQ(free->Xml(), "\r\n<f>\r\n\t<g/>\r\n</f>");
}

TEST(XmlLifetime, StreamsAreReadFromTheirPosition)
{
    QByteArray bytes = "prefix<r a='1'/>";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(6);
    IXmlDocument doc = NewXmlDocument();
    doc->LoadFromStream(buffer);
    EXPECT_EQ(doc->DocumentElement()->ReadAttr("a"), "1");

    // Text that starts like the signature is looked at, then read as text.
    QByteArray almost = "< binary-xml !<r/>";
    QBuffer almostBuffer(&almost);
    almostBuffer.open(QIODevice::ReadOnly);
    try {
        doc->LoadFromStream(almostBuffer);
        FAIL() << "no error";
    } catch (const Exception &e) {
        EXPECT_STREQ(e.what(), "A name should begin with a letter or \"_\".");
    }

    // Binary after a prefix.
    IXmlDocument source = NewXmlDocument("bin");
    source->DocumentElement()->WriteIntAttr("n", 5);
    QByteArray binary = "xx";
    binary += QByteArray::fromStdString(source->BinaryText());
    QBuffer binaryBuffer(&binary);
    binaryBuffer.open(QIODevice::ReadOnly);
    binaryBuffer.seek(2);
    doc->LoadFromStream(binaryBuffer);
    EXPECT_EQ(doc->DocumentElement()->ReadIntAttr("n"), 5);
}

TEST(XmlValue, Conversions)
{
    EXPECT_EQ(TXmlValue(2.5).ToInt(), 2);
    EXPECT_EQ(TXmlValue(3.5).ToInt(), 4);
    EXPECT_EQ(TXmlValue("$1F").ToInt(), 31);
    EXPECT_EQ(TXmlValue(" -12 ").ToInt(), -12);
    EXPECT_THROW(TXmlValue("12x").ToInt(), Exception);
    EXPECT_THROW(TXmlValue("99999999999").ToInt(), Exception);
    EXPECT_TRUE(TXmlValue("True").ToBool());
    EXPECT_FALSE(TXmlValue("false").ToBool());
    EXPECT_FALSE(TXmlValue("0").ToBool());
    EXPECT_TRUE(TXmlValue(7).ToBool());
    EXPECT_THROW(TXmlValue("maybe").ToBool(), Exception);
    EXPECT_THROW(TXmlValue::Null().ToBool(), Exception);
    EXPECT_DOUBLE_EQ(TXmlValue::Currency(15000).ToDouble(), 1.5);
    EXPECT_DOUBLE_EQ(TXmlValue("-1,25").ToDouble(), -1.25);
    EXPECT_THROW(TXmlValue("1,2,3").ToDouble(), Exception);
    EXPECT_THROW(XmlParseDateTime("2024-02-30"), Exception);
    EXPECT_DOUBLE_EQ(XmlParseDateTime("2024-03-05T14"), EncodeDateTime(2024, 3, 5, 14, 0, 0));
    EXPECT_TRUE(TXmlValue().Equals(TXmlValue("")));
    EXPECT_FALSE(TXmlValue().Equals(TXmlValue(0)));
    EXPECT_TRUE(TXmlValue(1.0).Equals(TXmlValue(true)));
}

} // namespace
