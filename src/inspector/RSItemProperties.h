#pragma once

#include "propgrid/RSItemProps.h"

// A collection of inspector rows: every row it makes is a TRSItemProperty.
class TRSItemProperties : public TRSItemProps
{
public:
    using TRSItemProps::TRSItemProps;

protected:
    TRSItemProp *CreateItem() override;
};
