#include "xml/XmlPool.h"

#include <new>
#include <vector>

namespace
{

constexpr size_t Granularity = 8;
constexpr size_t ClassCount = TXmlPool::MaxPooledSize / Granularity;
constexpr size_t SlabSize = 65536;

struct TFreeBlock {
    TFreeBlock *Next;
};

TFreeBlock *FreeLists[ClassCount + 1] = {};
// Slabs stay reachable for the process's lifetime.
std::vector<void *> *Slabs = new std::vector<void *>;

size_t InUse = 0;

size_t ClassOf(size_t size)
{
    return (size + Granularity - 1) / Granularity;
}

void Refill(size_t sizeClass)
{
    const size_t blockSize = sizeClass * Granularity;
    char *slab = static_cast<char *>(::operator new(SlabSize));
    Slabs->push_back(slab);
    const size_t count = SlabSize / blockSize;
    TFreeBlock *head = FreeLists[sizeClass];
    for (size_t i = count; i-- > 0;) {
        TFreeBlock *block = reinterpret_cast<TFreeBlock *>(slab + i * blockSize);
        block->Next = head;
        head = block;
    }
    FreeLists[sizeClass] = head;
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)
#define FD_XML_POOL_BYPASS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FD_XML_POOL_BYPASS 1
#endif
#endif

void *TXmlPool::Allocate(size_t size)
{
    if (size == 0)
        size = 1;
    InUse += size;
    // Under AddressSanitizer every block comes from the checked heap, so
    // that misuse of freed blocks is found.
#ifdef FD_XML_POOL_BYPASS
    return ::operator new(size);
#endif
    if (size > MaxPooledSize)
        return ::operator new(size);
    const size_t sizeClass = ClassOf(size);
    if (!FreeLists[sizeClass])
        Refill(sizeClass);
    TFreeBlock *block = FreeLists[sizeClass];
    FreeLists[sizeClass] = block->Next;
    return block;
}

void TXmlPool::Free(void *block, size_t size) noexcept
{
    if (!block)
        return;
    if (size == 0)
        size = 1;
    InUse -= size;
#ifdef FD_XML_POOL_BYPASS
    ::operator delete(block);
    return;
#endif
    if (size > MaxPooledSize) {
        ::operator delete(block);
        return;
    }
    const size_t sizeClass = ClassOf(size);
    TFreeBlock *free = static_cast<TFreeBlock *>(block);
    free->Next = FreeLists[sizeClass];
    FreeLists[sizeClass] = free;
}

size_t TXmlPool::BytesInUse() noexcept
{
    return InUse;
}

size_t TXmlPool::SlabBytes() noexcept
{
    return Slabs->size() * SlabSize;
}
