#include "inspector/RSItemProperties.h"

#include "inspector/RSItemProperty.h"

TRSItemProp *TRSItemProperties::CreateItem()
{
    return new TRSItemProperty;
}
