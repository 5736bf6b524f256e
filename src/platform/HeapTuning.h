#pragma once

// How the designer's processes set up the C library's heap.
namespace HeapTuning
{

// A design of thousands of controls is built and freed widget by widget.
// The C library keeps small freed blocks in fast bins without merging them
// with their neighbours, and freeing a large design then merges them again,
// over and over, in work that grows faster than the design. Without fast
// bins small blocks are merged as they are freed. Call once, at start.
void Apply();

} // namespace HeapTuning
