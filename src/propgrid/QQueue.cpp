#include "propgrid/QQueue.h"

#include "platform/Exception.h"

const char *TQQueue::ClassName() const
{
    return "TQQueue";
}

void TQQueue::EmptyError()
{
    throw EProgramFault("List is empty");
}
