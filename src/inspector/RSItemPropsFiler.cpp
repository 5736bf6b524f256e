#include "inspector/RSItemPropsFiler.h"

#include "inspector/RSItemProperty.h"
#include "propgrid/RSItemProp.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "propgrid/RSItemProps.h"
#include "reflection/Reader.h"
#include "reflection/Writer.h"

namespace
{

const char *const EditStyleNames[] = {"esSimple", "esEllipsis", "esPickList"};

TRSEditStyle EditStyleOf(TReader &reader)
{
    const std::string name = reader.ReadIdent();
    for (int i = 0; i < 3; ++i)
        if (name == EditStyleNames[i])
            return static_cast<TRSEditStyle>(i);
    reader.Invalid("unknown edit style " + name);
}

TRSStringList ListOf(const std::vector<std::string> &lines)
{
    TRSStringList list;
    for (const std::string &line : lines)
        list.Add(line);
    return list;
}

// A Boolean property stored when it differs from its default.
void DefineBool(TFiler &filer, const char *name, bool value, bool def,
                const std::function<void(bool)> &set)
{
    filer.DefineProperty(
        name, [set](TReader &r) { set(r.ReadBoolean()); },
        [value](TWriter &w) { w.WriteBoolean(value); }, value != def);
}

void DefineString(TFiler &filer, const char *name, const std::string &value,
                  const std::function<void(const std::string &)> &set)
{
    filer.DefineProperty(
        name, [set](TReader &r) { set(r.ReadString()); },
        [&value](TWriter &w) { w.WriteString(value); }, !value.empty());
}

void WriteTypeData(TWriter &w, TRSItemProperty &row)
{
    w.WriteListBegin();
    w.WriteString(row.PropName());
    w.WriteString(row.TypeName());
    w.WriteInteger(row.TypeKind());
    const std::vector<TVariant> &values = row.StoredValues();
    w.WriteInteger(static_cast<int64_t>(values.size()));
    for (const TVariant &value : values)
        w.WriteVariant(value);
    w.WriteInteger(row.ItemKind());
    w.WriteListEnd();
}

void ReadTypeData(TReader &r, TRSItemProperty &row)
{
    r.ReadListBegin();
    std::string propName = r.ReadString();
    std::string typeName = r.ReadString();
    const int64_t kind = r.ReadInteger();
    if (kind < tkUnknown || kind > tkDynArray)
        r.Invalid("unknown type kind " + std::to_string(kind));
    const int64_t count = r.ReadInteger();
    // Every stored value takes at least one byte.
    if (count < 0 || static_cast<uint64_t>(count) > r.Remaining())
        r.Invalid("bad count of stored values " + std::to_string(count));
    std::vector<TVariant> values;
    for (int64_t i = 0; i < count; ++i)
        values.push_back(r.ReadVariant());
    const int64_t itemKind = r.ReadInteger();
    if (itemKind < ikProperty || itemKind > ikCollectionItem)
        r.Invalid("unknown item kind " + std::to_string(itemKind));
    r.ReadListEnd();

    row.SetPropName(propName);
    row.SetTypeName(typeName);
    row.SetTypeKind(static_cast<TTypeKind>(kind));
    row.StoredValues() = std::move(values);
    row.SetItemKind(static_cast<TRSItemKind>(itemKind));
    row.SetHasTypeData(true);
    if (kind == tkSet)
        row.Items()->SetSorted(false);
}

} // namespace

void TRSItemPropsFiler::WriteRows(TWriter &writer, TRSItemProps &rows)
{
    writer.WriteValue(vaCollection);
    for (int i = 0; i < rows.Count(); ++i) {
        TRSItemProp &row = *rows.Item(i);
        writer.WriteListBegin();
        writer.WriteDefinedProperties([&row](TFiler &f) { DefineRowProperties(f, row); });
        writer.WriteListEnd();
    }
    writer.WriteListEnd();
}

void TRSItemPropsFiler::ReadRows(TReader &reader, TRSItemProps &rows)
{
    reader.CheckValue(vaCollection);
    rows.BeginUpdate();
    try {
        rows.Clear();
        while (!reader.EndOfList()) {
            reader.ReadListBegin();
            TRSItemProp &row = *rows.Add();
            reader.ReadDefinedProperties([&row](TFiler &f) { DefineRowProperties(f, row); });
            reader.ReadListEnd();
        }
        reader.ReadListEnd();
    } catch (...) {
        rows.EndUpdate();
        throw;
    }
    rows.EndUpdate();
}

void TRSItemPropsFiler::DefineFontProperties(TFiler &filer, TRSFont &font)
{
    filer.DefineProperty(
        "Name", [&font](TReader &r) { font.SetName(r.ReadString()); },
        [&font](TWriter &w) { w.WriteString(font.Name()); }, true);
    filer.DefineProperty(
        "Size", [&font](TReader &r) { font.SetSize(static_cast<int>(r.ReadInteger())); },
        [&font](TWriter &w) { w.WriteInteger(font.Size()); }, true);
    filer.DefineProperty(
        "Color", [&font](TReader &r) { font.SetColor(static_cast<TRSColor>(r.ReadInteger())); },
        [&font](TWriter &w) { w.WriteInteger(font.Color()); }, true);
    filer.DefineProperty(
        "Style", [&font](TReader &r) { font.SetStyle(static_cast<unsigned>(r.ReadInteger())); },
        [&font](TWriter &w) { w.WriteInteger(font.Style()); }, true);
}

void TRSItemPropsFiler::WriteFont(TWriter &writer, TRSFont &font)
{
    writer.WriteListBegin();
    writer.WriteDefinedProperties([&font](TFiler &f) { DefineFontProperties(f, font); });
    writer.WriteListEnd();
}

// The attributes are gathered in a copy so that the row hears of one change.
void TRSItemPropsFiler::ReadFont(TReader &reader, TRSFont &font)
{
    reader.ReadListBegin();
    reader.ReadDefinedProperties([&font](TFiler &f) { DefineFontProperties(f, font); });
    reader.ReadListEnd();
}

void TRSItemPropsFiler::DefineRowProperties(TFiler &filer, TRSItemProp &row)
{
    filer.DefineProperty(
        "Font",
        [&row](TReader &r) {
            TRSFont font(row.Font());
            ReadFont(r, font);
            row.SetFont(font);
        },
        [&row](TWriter &w) { WriteFont(w, row.Font()); }, row.IsFontStored());
    filer.DefineProperty(
        "ValueFont",
        [&row](TReader &r) {
            TRSFont font(row.ValueFont());
            ReadFont(r, font);
            row.SetValueFont(font);
        },
        [&row](TWriter &w) { WriteFont(w, row.ValueFont()); }, row.IsValueFontStored());
    // Reading a font clears its Parent flag, so a stored font whose flag is
    // still set (a category row under a plain one) stores the flag too.
    filer.DefineProperty(
        "ParentFont", [&row](TReader &r) { row.SetParentFont(r.ReadBoolean()); },
        [&row](TWriter &w) { w.WriteBoolean(row.ParentFont()); },
        !row.ParentFont() || row.IsFontStored());
    DefineBool(filer, "ParentValueFont", row.ParentValueFont(), true,
               [&row](bool v) { row.SetParentValueFont(v); });
    DefineBool(filer, "Category", row.Category(), false, [&row](bool v) { row.SetCategory(v); });
    DefineBool(filer, "DefaultCategory", row.DefaultCategory(), false,
               [&row](bool v) { row.SetDefaultCategory(v); });
    DefineBool(filer, "Expanded", row.Expanded(), false, [&row](bool v) { row.SetExpanded(v); });
    // The own flag goes before Enabled: a disabled row ignores it otherwise.
    DefineBool(filer, "ReadOnly", row.ReadOnlyFlag(), false,
               [&row](bool v) { row.SetReadOnly(v); });
    DefineBool(filer, "Enabled", row.Enabled(), true, [&row](bool v) { row.SetEnabled(v); });
    DefineString(filer, "Name", row.Name(), [&row](const std::string &v) { row.SetName(v); });
    filer.DefineProperty(
        "Values",
        [&row](TReader &r) {
            TRSStringList lines = ListOf(r.ReadStrings());
            row.SetValues(lines);
        },
        [&row](TWriter &w) { w.WriteStrings(row.Values()->Lines()); },
        !row.Values()->Lines().empty());
    DefineString(filer, "Hint", row.Hint(), [&row](const std::string &v) { row.SetHint(v); });
    DefineBool(filer, "Visible", row.GetVisible(), true, [&row](bool v) { row.SetVisible(v); });
    // The pick list goes before the edit style, which a pick list changes.
    filer.DefineProperty(
        "PickList",
        [&row](TReader &r) {
            TRSStringList lines = ListOf(r.ReadStrings());
            row.SetPickList(lines);
        },
        [&row](TWriter &w) { w.WriteStrings(row.GetPickList()->Lines()); },
        row.GetPickList()->Count() > 0);
    filer.DefineProperty(
        "EditStyle", [&row](TReader &r) { row.SetEditStyle(EditStyleOf(r)); },
        [&row](TWriter &w) { w.WriteIdent(EditStyleNames[row.EditStyle()]); },
        row.EditStyle() != esSimple || row.GetPickList()->Count() > 0);
    DefineString(filer, "EditMask", row.EditMask(),
                 [&row](const std::string &v) { row.SetEditMask(v); });
    DefineBool(filer, "ExpressionMask", row.ExpressionMask(), false,
               [&row](bool v) { row.SetExpressionMask(v); });
    // The type data goes before the child rows: a set's element rows keep
    // their element order only in an unsorted collection.
    if (auto *property = dynamic_cast<TRSItemProperty *>(&row)) {
        filer.DefineProperty(
            "TypeData", [property](TReader &r) { ReadTypeData(r, *property); },
            [property](TWriter &w) { WriteTypeData(w, *property); }, property->HasTypeData());
        filer.DefineProperty(
            "IsAllEqual", [property](TReader &r) { property->SetIsAllEqual(r.ReadBoolean()); },
            [property](TWriter &w) { w.WriteBoolean(property->IsAllEqual()); }, true);
    }
    filer.DefineProperty(
        "Items", [&row](TReader &r) { ReadRows(r, *row.Items()); },
        [&row](TWriter &w) { WriteRows(w, *row.Items()); }, row.Items()->Count() > 0);
    filer.DefineProperty(
        "Tag", [&row](TReader &r) { row.SetTag(static_cast<int>(r.ReadInteger())); },
        [&row](TWriter &w) { w.WriteInteger(row.Tag()); }, row.Tag() != 0);
}
