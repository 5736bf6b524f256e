#pragma once

#include <cstddef>

// Allocator of the library's small blocks (nodes, lists, attribute arrays,
// long values): free lists per size class over 64 KiB slabs. A document
// tree is made of hundreds of thousands of such blocks; the pool keeps their
// allocation and release cheap and without per-block overhead. Freed blocks
// are reused, slabs stay with the process. Like the rest of the library it
// is used from one thread.
class TXmlPool
{
public:
    static constexpr size_t MaxPooledSize = 256;

    static void *Allocate(size_t size);
    // size must be the size given to Allocate.
    static void Free(void *block, size_t size) noexcept;

    // Bytes handed out and not yet freed, and bytes held in slabs; for
    // measuring the memory of trees.
    static size_t BytesInUse() noexcept;
    static size_t SlabBytes() noexcept;
};
