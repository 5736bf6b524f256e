#include "xml/XmlPool.h"

#include <vector>

namespace
{
constexpr size_t SlabSize = 65536;

// Slabs stay reachable for the process's lifetime.
std::vector<void *> *Slabs = new std::vector<void *>;
} // namespace

void TXmlPool::Refill(size_t sizeClass)
{
    const size_t blockSize = sizeClass * Granularity;
    char *slab = static_cast<char *>(::operator new(SlabSize));
    Slabs->push_back(slab);
    TFreeBlock *head = FFreeLists[sizeClass];
    for (size_t i = SlabSize / blockSize; i-- > 0;) {
        TFreeBlock *block = reinterpret_cast<TFreeBlock *>(slab + i * blockSize);
        block->Next = head;
        head = block;
    }
    FFreeLists[sizeClass] = head;
}

size_t TXmlPool::SlabBytes() noexcept
{
    return Slabs->size() * SlabSize;
}
