#pragma once

class TFiler;
class TReader;
class TRSCustomObjectInspector;
class TWriter;

// The stored form of an object inspector, as one list of properties: its
// published properties that differ from their declared defaults, then its
// presets under "HPresets" (each with its class name) when it has any, and
// its rows under "HItems", always.
class TRSInspectorFiler
{
public:
    explicit TRSInspectorFiler(TRSCustomObjectInspector &inspector) : FInspector(inspector) {}

    void Write(TWriter &writer);
    // Reads a stored inspector: rows are replaced by the stored ones.
    void Read(TReader &reader);
    // The extra properties, "HPresets" and "HItems".
    void DefineProperties(TFiler &filer);

private:
    TRSCustomObjectInspector &FInspector;
};
