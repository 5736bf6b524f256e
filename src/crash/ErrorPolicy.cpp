#include "crash/ErrorPolicy.h"

#include "platform/Exception.h"

bool TErrorPolicy::IsExpected(const std::exception *error)
{
    return dynamic_cast<const Exception *>(error) && !dynamic_cast<const EProgramFault *>(error);
}
