#include "platform/HeapTuning.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace HeapTuning
{

void Apply()
{
#ifdef M_MXFAST
    mallopt(M_MXFAST, 0);
#endif
}

} // namespace HeapTuning
