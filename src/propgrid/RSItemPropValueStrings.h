#pragma once

#include "propgrid/RSStringList.h"

class TRSItemProp;

// The value lines of a row, one per value column of the row's grid. Reading
// pads or trims the list to that count quietly.
class TRSItemPropValueStrings : public TRSStringList
{
public:
    explicit TRSItemPropValueStrings(TRSItemProp *row);

    std::string Get(int index) override;
    void Put(int index, const std::string &s) override;
    std::string Text() override;

    TRSItemProp *Row() const { return FRow; }

private:
    // Makes the list hold exactly the grid's value-column count of lines.
    void Normalize();
    TRSItemProp *FRow;
};
