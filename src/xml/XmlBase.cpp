#include "xml/XmlBase.h"

#include <vector>

namespace
{
// Objects whose count reached zero while another destruction was running.
// Kept on the heap and never freed so that releases during program exit
// still find it.
std::vector<const TXmlBase *> *PendingDestruction = new std::vector<const TXmlBase *>;
bool Draining = false;
} // namespace

void TXmlBase::Destroy(const TXmlBase *object) noexcept
{
    if (Draining) {
        PendingDestruction->push_back(object);
        return;
    }
    Draining = true;
    delete object;
    while (!PendingDestruction->empty()) {
        const TXmlBase *next = PendingDestruction->back();
        PendingDestruction->pop_back();
        delete next;
    }
    Draining = false;
}
