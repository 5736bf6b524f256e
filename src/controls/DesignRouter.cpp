#include "controls/DesignRouter.h"

#include <utility>

TDesignRouter::TLookup TDesignRouter::Install(TLookup lookup)
{
    return std::exchange(FLookup, lookup);
}
