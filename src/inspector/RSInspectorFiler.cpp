#include "inspector/RSInspectorFiler.h"

#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSItemPropsFiler.h"
#include "inspector/RSPropertyPresets.h"
#include "reflection/GSpecialFiler.h"
#include "reflection/Reader.h"
#include "reflection/Writer.h"

void TRSInspectorFiler::Write(TWriter &writer)
{
    writer.WriteListBegin();
    writer.WriteProperties(&FInspector);
    writer.WriteListEnd();
}

void TRSInspectorFiler::Read(TReader &reader)
{
    FInspector.BeginLoading();
    try {
        reader.ReadListBegin();
        reader.ReadProperties(&FInspector);
        reader.ReadListEnd();
    } catch (...) {
        FInspector.EndLoading();
        throw;
    }
    FInspector.EndLoading();
}

void TRSInspectorFiler::DefineProperties(TFiler &filer)
{
    TRSPropertyPresets &presets = FInspector.Presets();
    filer.DefineProperty(
        "HPresets", [&presets](TReader &r) { TGSpecialFiler(&r, &presets).ReadCollection(); },
        [&presets](TWriter &w) { TGSpecialFiler(&w, &presets).WriteCollection(); },
        presets.Count() > 0);
    filer.DefineProperty(
        "HItems", [this](TReader &r) { TRSItemPropsFiler::ReadRows(r, *FInspector.Items()); },
        [this](TWriter &w) { TRSItemPropsFiler::WriteRows(w, *FInspector.Items()); }, true);
}
