#pragma once

#include <cstddef>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define FD_XML_POOL_BYPASS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FD_XML_POOL_BYPASS 1
#endif
#endif

// Allocator of the library's small blocks (nodes, lists, attribute arrays,
// long values): free lists per size class over 64 KiB slabs. A document
// tree is made of hundreds of thousands of such blocks; the pool keeps their
// allocation and release cheap and without per-block overhead. Freed blocks
// are reused, slabs stay with the process. Like the rest of the library it
// is used from one thread. Under AddressSanitizer every block comes from the
// checked heap instead, so that misuse of freed blocks is found.
class TXmlPool
{
public:
    static constexpr size_t MaxPooledSize = 256;
    static constexpr size_t Granularity = 8;

    static void *Allocate(size_t size)
    {
        size = size ? size : 1;
        FInUse += size;
#ifdef FD_XML_POOL_BYPASS
        return ::operator new(size);
#else
        if (size > MaxPooledSize)
            return ::operator new(size);
        TFreeBlock *&head = FFreeLists[ClassOf(size)];
        if (!head)
            Refill(ClassOf(size));
        TFreeBlock *block = head;
        head = block->Next;
        return block;
#endif
    }

    // size must be the size given to Allocate.
    static void Free(void *block, size_t size) noexcept
    {
        if (!block)
            return;
        size = size ? size : 1;
        FInUse -= size;
#ifdef FD_XML_POOL_BYPASS
        ::operator delete(block);
#else
        if (size > MaxPooledSize) {
            ::operator delete(block);
            return;
        }
        TFreeBlock *free = static_cast<TFreeBlock *>(block);
        TFreeBlock *&head = FFreeLists[ClassOf(size)];
        free->Next = head;
        head = free;
#endif
    }

    // Bytes handed out and not yet freed, and bytes held in slabs; for
    // measuring the memory of trees.
    static size_t BytesInUse() noexcept
    {
        return FInUse;
    }
    static size_t SlabBytes() noexcept;

private:
    struct TFreeBlock {
        TFreeBlock *Next;
    };
    static size_t ClassOf(size_t size)
    {
        return (size + Granularity - 1) / Granularity;
    }
    static void Refill(size_t sizeClass);

    static inline TFreeBlock *FFreeLists[MaxPooledSize / Granularity + 1] = {};
    static inline size_t FInUse = 0;
};
