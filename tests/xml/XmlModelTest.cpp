#include "platform/Exception.h"
#include "xml/XmlDocument.h"

#include <QLocale>
#include <functional>
#include <gtest/gtest.h>

namespace
{

TXmlRef<TXmlNameTable> FreshTable()
{
    return TXmlRef<TXmlNameTable>(new TXmlNameTable(16));
}

std::string ErrorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Exception &e) {
        return e.what();
    }
    return "(no error)";
}

TEST(XmlNameTable, InternsNamesCaseSensitivelyAfterTheFiveStandardOnes)
{
    auto table = FreshTable();
    EXPECT_EQ(table->IdToName(0), "#text");
    EXPECT_EQ(table->IdToName(1), "#cdata-section");
    EXPECT_EQ(table->IdToName(2), "#comment");
    EXPECT_EQ(table->IdToName(3), "#document");
    EXPECT_EQ(table->XmlId(), 4);
    EXPECT_EQ(table->NameToId("Button"), 5);
    EXPECT_EQ(table->NameToId("button"), 6);
    EXPECT_EQ(table->NameToId("Button"), 5);
    EXPECT_EQ(table->NameToId(""), -1);
    EXPECT_EQ(table->NameCount(), 7);
    EXPECT_EQ(table->IdToName(-1), "");
    EXPECT_EQ(TXmlNameTable::Hash("ab"), uint32_t('a') * 33 + 'b');
    EXPECT_EQ(DefaultNameTable()->BucketCount(), 4096);
}

TEST(XmlNode, AttributesKeepOrderOfFirstWriting)
{
    IXmlDocument doc = NewXmlDocument("root", "1.0", "", FreshTable().get());
    IXmlElement e = doc->DocumentElement();
    e->WriteAttr("a", "1");
    e->WriteAttr("b", "2");
    e->WriteAttr("c", "3");
    e->WriteAttr("a", "x");
    EXPECT_EQ(e->AttrName(0), "a");
    EXPECT_EQ(e->ReadAttr("a"), "x");
    e->RemoveAttr("a");
    ASSERT_EQ(e->AttrCount(), 2);
    EXPECT_EQ(e->AttrName(0), "b");
    EXPECT_EQ(e->AttrName(1), "c");
    EXPECT_FALSE(e->HasAttr("a"));
    EXPECT_EQ(e->AttrType("a"), 256);
    EXPECT_EQ(e->ReadAttr("a", "dflt"), "dflt");
    // Growth past the first steps keeps every record.
    for (int i = 0; i < 100; ++i) {
        std::string name = "n";
        name += std::to_string(i);
        e->WriteIntAttr(name, i);
    }
    EXPECT_EQ(e->AttrCount(), 102);
    EXPECT_EQ(e->ReadIntAttr("n99"), 99);
    EXPECT_EQ(e->AttrType("n99"), TXmlValue::varInteger);
    EXPECT_EQ(ErrorOf([&] { e->RequireAttr("zz"); }), "Attribute is not defined \"zz\"");
}

TEST(XmlNode, TypedAttributes)
{
    IXmlDocument doc = NewXmlDocument("root");
    IXmlElement e = doc->DocumentElement();
    e->WriteBoolAttr("t", true);
    e->WriteBoolAttr("f", false);
    EXPECT_EQ(e->ReadAttr("t"), "1");
    EXPECT_EQ(e->ReadAttr("f"), "0");
    e->WriteAttr("s", "1");
    EXPECT_TRUE(e->ReadBoolAttr("s"));
    EXPECT_TRUE(e->ReadBoolAttr("missing", true));

    e->WriteAttr("f1", "2,5");
    e->WriteAttr("f2", "2.5");
    EXPECT_DOUBLE_EQ(e->ReadFloatAttr("f1"), 2.5);
    EXPECT_DOUBLE_EQ(e->ReadFloatAttr("f2"), 2.5);
    e->WriteFloatAttr("d", 2.5);
    EXPECT_EQ(e->ReadAttr("d"), "2.5");
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(e->ReadAttr("d"), "2.5");
    EXPECT_DOUBLE_EQ(e->ReadFloatAttr("f1"), 2.5);
    EXPECT_DOUBLE_EQ(e->ReadFloatAttr("f2"), 2.5);
    QLocale::setDefault(QLocale::c());
    e->WriteAttr("bad", "abc");
    EXPECT_THROW(e->ReadFloatAttr("bad"), Exception);
    EXPECT_THROW(e->ReadIntAttr("bad"), Exception);

    e->WriteHexAttr("h", 255, 4);
    EXPECT_EQ(e->ReadAttr("h"), "00FF");
    EXPECT_EQ(e->ReadHexAttr("h"), 255);

    const TDateTime when = EncodeDateTime(2024, 3, 5, 14, 7, 9);
    e->WriteDateTimeAttr("when", when);
    EXPECT_EQ(e->ReadAttr("when"), "2024-03-05T14-07-09");
    e->WriteAttr("when", "2024-03-05T14-07-09");
    EXPECT_DOUBLE_EQ(e->ReadDateTimeAttr("when"), when);
    e->WriteAttr("day", "2024-03-05");
    EXPECT_DOUBLE_EQ(e->ReadDateTimeAttr("day"), EncodeDateTime(2024, 3, 5, 0, 0, 0));

    e->WriteAttr("align", "Right");
    const std::vector<std::string> values{"left", "right"};
    EXPECT_EQ(e->ReadEnumAttr("align", values, 0), 1);
    EXPECT_EQ(e->ReadEnumAttr("none", values, 0), 0);
    EXPECT_EQ(ErrorOf([&] { e->RequireEnumAttr("none", values); }), "Attribute not found \"none\"");
    e->WriteAttr("align", "middle");
    const std::string message = ErrorOf([&] { e->ReadEnumAttr("align", values); });
    EXPECT_NE(message.find("\"align\""), std::string::npos);
    EXPECT_NE(message.find("\"root\""), std::string::npos);
    EXPECT_NE(message.find("\nleft\nright"), std::string::npos);
}

TEST(XmlNode, StoredValueBecomesFirstTextChild)
{
    IXmlDocument doc = NewXmlDocument("root");
    IXmlElement e = doc->DocumentElement();
    e->SetText("a");
    EXPECT_FALSE(e->HasChildNodes());
    EXPECT_EQ(e->DataType(), TXmlValue::varString);
    IXmlElement b = e->AppendElement("b");
    b->SetText("bee");
    ASSERT_EQ(e->ChildNodes()->Count(), 2);
    EXPECT_EQ(e->ChildNodes()->Item(0)->NodeType(), TXmlNode::TEXT_NODE);
    EXPECT_EQ(e->ChildNodes()->Item(0)->Text(), "a");
    EXPECT_EQ(e->Text(), "a bee");
    e->SetText("new");
    EXPECT_FALSE(e->HasChildNodes());
    EXPECT_EQ(e->Text(), "new");
    EXPECT_EQ(b->ParentNode(), nullptr);

    e->SetValue(TXmlValue(42));
    EXPECT_EQ(e->DataType(), TXmlValue::varInteger);
    EXPECT_EQ(e->Text(), "42");

    IXmlElement quiet = e->AppendElement("q");
    quiet->AppendComment("note");
    quiet->AppendText("");
    EXPECT_EQ(quiet->Text(), "");
    EXPECT_THROW(e->ChildNodes()->Item(5), Exception);
    EXPECT_EQ(ErrorOf([&] { e->ChildNodes()->Item(-1); }),
              "Error getting list element: index is out of range.");
}

TEST(XmlNode, ChildLookupsAndEdits)
{
    IXmlDocument doc = NewXmlDocument("root");
    IXmlElement root = doc->DocumentElement();
    IXmlElement c1 = root->AppendElement("c");
    c1->WriteAttr("id", "1");
    IXmlElement other = root->AppendElement("other");
    other->AppendElement("deep");
    IXmlElement c2 = root->AppendElement("c");
    c2->WriteIntAttr("id", 2);

    EXPECT_EQ(root->FirstChildNamed("c"), c1);
    EXPECT_EQ(root->FirstChildNamed("deep"), nullptr);
    EXPECT_EQ(ErrorOf([&] { root->FirstChildNamed("a/b"); }), "The XML feature is not supported");
    EXPECT_THROW(root->ChildElementsNamed("*"), Exception);
    IXmlNodeList cs = root->ChildElementsNamed("c");
    ASSERT_EQ(cs->Count(), 2);
    EXPECT_EQ(cs->Item(1), IXmlNode(c2));
    EXPECT_EQ(c2->ParentNode(), IXmlNode(root)); // a result list does not re-parent
    EXPECT_EQ(root->FindChildByAttr("c", "id", TXmlValue(2)), c2);
    EXPECT_EQ(root->FindChildByAttr("c", "id", TXmlValue("2")), c2);
    EXPECT_EQ(root->FindChildByAttr("c", "id", TXmlValue("x")), nullptr);
    EXPECT_EQ(ErrorOf([&] { root->RequireChild("nope"); }), "Child element not found \"nope\".");
    EXPECT_EQ(root->ChildOrNew("c"), c1);
    root->SetChildText("title", "T");
    EXPECT_EQ(root->ChildText("title"), "T");
    EXPECT_EQ(root->ChildText("none", "d"), "d");

    EXPECT_EQ(root->RemoveChild(IXmlNode(other)), 1);
    EXPECT_EQ(root->RemoveChild(IXmlNode(other)), -1);
    EXPECT_EQ(other->ParentNode(), nullptr);
    root->InsertBefore(IXmlNode(other), IXmlNode(c1));
    EXPECT_EQ(root->ChildNodes()->Item(0), IXmlNode(other));
    IXmlElement stranger = doc->CreateElement("s");
    EXPECT_EQ(root->ReplaceChild(IXmlNode(c1), IXmlNode(stranger)), nullptr);
    root->ReplaceChild(IXmlNode(stranger), IXmlNode(c1));
    EXPECT_EQ(root->ChildNodes()->Item(1), IXmlNode(stranger));
    EXPECT_EQ(stranger->OwnerDocument(), doc);
    EXPECT_EQ(c1->OwnerDocument(), nullptr);

    root->SetValueAt("@x", TXmlValue("7"));
    root->SetValueAt("v", TXmlValue("val"));
    EXPECT_EQ(root->ValueAt("@x").Text(), "7");
    EXPECT_EQ(root->ValueAt("v").Text(), "val");
    EXPECT_EQ(root->ValueAt("@none").Type(), TXmlValue::varString);
    EXPECT_EQ(root->ValueAt("none").Text(), "");

    IXmlNode clone = root->CloneNode(true);
    EXPECT_EQ(clone->Xml(), root->Xml());
    EXPECT_FALSE(root->CloneNode(false)->HasChildNodes());
    EXPECT_EQ(clone->AsElement()->ReadAttr("x"), "7");
    EXPECT_EQ(clone->AsText(), nullptr);
}

TEST(XmlNode, AppendingFromAnotherTableReinternsTheSubtree)
{
    auto table = FreshTable();
    IXmlDocument foreign = NewXmlDocument("", "1.0", "", table.get());
    table->NameToId("padding-to-shift-ids");
    IXmlElement moved = foreign->CreateElement("moved");
    moved->WriteAttr("attr", "v");
    moved->AppendElement("inner")->WriteAttr("k", "w");

    IXmlDocument doc = NewXmlDocument("root");
    doc->DocumentElement()->AppendChild(IXmlNode(moved));
    EXPECT_EQ(moved->NameTablePtr(), DefaultNameTable());
    EXPECT_EQ(moved->NodeName(), "moved");
    EXPECT_EQ(moved->NameId(), DefaultNameTable()->NameToId("moved"));
    EXPECT_EQ(moved->AttrName(0), "attr");
    IXmlElement inner = moved->FirstChildNamed("inner");
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->ReadAttr("k"), "w");
    EXPECT_EQ(inner->NameTablePtr(), DefaultNameTable());
}

TEST(XmlNode, CharacterDataTextIsTrimmedUnlessWhitespaceIsKept)
{
    IXmlDocument doc = NewXmlDocument("root");
    IXmlNode cdata = doc->DocumentElement()->AppendCDATA("  x \r\n");
    EXPECT_EQ(cdata->Text(), "x");
    doc->SetKeepWhitespace(true);
    EXPECT_EQ(cdata->Text(), "  x \r\n");
    IXmlNode text = doc->DocumentElement()->AppendText(" y ");
    EXPECT_EQ(text->Text(), " y ");
}

TEST(XmlValue, TextOfEveryType)
{
    EXPECT_EQ(TXmlValue().Text(), "");
    EXPECT_EQ(TXmlValue::Null().Text(), "{{null}}");
    EXPECT_EQ(TXmlValue::Integer(TXmlValue::varSmallint, -5).Text(), "-5");
    EXPECT_EQ(TXmlValue::Integer(TXmlValue::varByte, 300).Text(), "44");
    EXPECT_EQ(TXmlValue::Integer(TXmlValue::varLongWord, 4000000000LL).Text(), "4000000000");
    EXPECT_EQ(TXmlValue::Integer(TXmlValue::varInt64, -9000000000LL).Text(), "-9000000000");
    EXPECT_EQ(TXmlValue(true).Text(), "1");
    EXPECT_EQ(TXmlValue(false).Text(), "0");
    EXPECT_EQ(TXmlValue(2.5).Text(), "2.5");
    EXPECT_EQ(TXmlValue(0.1).Text(), "0.1");
    EXPECT_EQ(TXmlValue(1.0 / 3).Text(), "0.333333333333333");
    EXPECT_EQ(TXmlValue(1e20).Text(), "1e+20");
    EXPECT_EQ(TXmlValue::Single(0.5f).Text(), "0.5");
    EXPECT_EQ(TXmlValue::Currency(12345).Text(), "1.2345");
    EXPECT_EQ(TXmlValue::WideString(u"\u0416a").Text(), "\xC6"
                                                        "a");
    EXPECT_EQ(TXmlValue::ByteArray("ab").Text(), "YWI=");
    EXPECT_EQ(TXmlValue(std::string(40, 'z')).Text(), std::string(40, 'z'));
    TXmlValue copy = TXmlValue(std::string(40, 'q'));
    TXmlValue other = copy;
    EXPECT_EQ(other.Bytes(), copy.Bytes());
    EXPECT_EQ(XmlDateTimeText(EncodeDateTime(1899, 12, 30, 0, 0, 0)), "1899-12-30T00-00-00");
    EXPECT_EQ(XmlDateTimeText(EncodeDateTime(1850, 1, 2, 6, 0, 30)), "1850-01-02T06-00-30");
}

TEST(XmlBase64, EncodesAndDecodesEdgeCases)
{
    EXPECT_EQ(EncodeBase64(""), "");
    EXPECT_EQ(EncodeBase64("a"), "YQ==");
    EXPECT_EQ(EncodeBase64("ab"), "YWI=");
    EXPECT_EQ(EncodeBase64("abc"), "YWJj");
    EXPECT_EQ(EncodeBase64("abcdef", 6, 4), "YWJj\r\nZGVm");
    EXPECT_EQ(DecodeBase64("YW\r\nJj Z G\tVm"), "abcdef");
    EXPECT_EQ(DecodeBase64("YQ=="), "a");
    EXPECT_EQ(DecodeBase64("YWI="), "ab");
    EXPECT_EQ(DecodeBase64("YWI"), "");
    EXPECT_EQ(DecodeBase64("YWJjZA"), "abcd");
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    EXPECT_EQ(DecodeBase64(EncodeBase64(all)), all);

    IXmlDocument doc = NewXmlDocument("root");
    IXmlElement e = doc->DocumentElement();
    e->AppendText("old");
    e->AppendComment("kept");
    e->SetTextAsBase64(all.data(), all.size());
    EXPECT_EQ(e->ChildNodes()->Count(), 2);
    EXPECT_EQ(e->TextAsBinary(), all);
}

} // namespace
