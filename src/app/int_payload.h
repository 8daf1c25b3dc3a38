#pragma once
// Drag and drop of one int32 (a tab, tile, set or sprite number), the only
// payload shape the editor uses. Both act on the last item drawn.

// Makes the item a drag source of `value`; the tooltip is printf-formatted.
void IntDragSource(const char* type, int value, const char* tooltipFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// True in the frame a payload of `type` is dropped on the item, with its value.
bool IntDropTarget(const char* type, int& value);
