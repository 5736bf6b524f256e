#pragma once

#include "propgrid/RSStringList.h"

#include <cstdint>

class TRSCustomItemListEditor;
class TRSItemProp;

// The grid's rows seen as a string list of "full name=value" lines, over all
// rows or, with ShowVisibleOnly, the displayed rows.
class TRSItemStrings : public TRSStringList
{
public:
    explicit TRSItemStrings(TRSCustomItemListEditor *grid);

    int Count() const override;
    std::string Get(int index) override;
    void Put(int index, const std::string &s) override;
    void Insert(int index, const std::string &s) override;
    void Delete(int index) override;
    void Clear() override;
    void SetText(const std::string &text) override;

    std::intptr_t Object(int index) const;
    void SetObject(int index, std::intptr_t value);
    int IndexOfName(const std::string &name) const;

    bool ShowVisibleOnly() const { return FShowVisibleOnly; }
    void SetShowVisibleOnly(bool value) { FShowVisibleOnly = value; }

private:
    TRSItemProp *Row(int index) const;
    TRSCustomItemListEditor *FGrid;
    bool FShowVisibleOnly = false;
};
