#pragma once
// Drag and drop of small fixed payloads (one or two int32: a tab, tile, set,
// sprite or strip cell), the only kind the editor uses. Both act on the last
// item drawn.

#include <cstddef>

// Makes the item a drag source of `size` bytes at `data`; the tooltip is printf-formatted.
void OfferDragPayload(const char* type, const void* data, std::size_t size, const char* tooltipFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 4, 5)))
#endif
    ;

// True in the frame a payload of `type` and exactly `size` bytes is dropped on the item.
bool TakeDropPayload(const char* type, void* data, std::size_t size);

// True in the frame a drag that started on the item is released over it again:
// the GUI delivers no drop to its own source, nor counts the release as a click.
bool DroppedOnItself();
