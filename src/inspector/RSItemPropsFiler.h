#pragma once

class TFiler;
class TReader;
class TRSFont;
class TRSItemProp;
class TRSItemProps;
class TWriter;

// The stored form of property rows: a collection value with one list of
// stored properties per row, child rows nested the same way under "Items".
// Rows of the inspector also store their type data ("TypeData") and
// "IsAllEqual".
class TRSItemPropsFiler
{
public:
    static void WriteRows(TWriter &writer, TRSItemProps &rows);
    // Replaces the rows of the collection by the stored ones.
    static void ReadRows(TReader &reader, TRSItemProps &rows);
    // Every stored property of the row, defined on the filer.
    static void DefineRowProperties(TFiler &filer, TRSItemProp &row);

private:
    static void DefineFontProperties(TFiler &filer, TRSFont &font);
    static void WriteFont(TWriter &writer, TRSFont &font);
    static void ReadFont(TReader &reader, TRSFont &font);
};
