#include "propgrid/QQueue.h"

#include "platform/Exception.h"

const char *TQQueue::ClassName() const
{
    return "TQQueue";
}

void TQQueue::EmptyError()
{
    throw Exception("List is empty");
}
