#pragma once
// Widgets the studios repeat: a named list row that can be dragged onto
// another row, and the YES / CANCEL confirmation of a destructive command.

struct NamedRowEvents {
  bool clicked = false;
  int droppedFrom = -1;  // index of the row dropped here, -1 = none
};

// A selectable row labelled `name` inside ID `index`, a drag source and drop
// target of `payloadType` carrying row indices ("Moving %s" while dragged).
NamedRowEvents NamedListRow(int index, const char* name, bool selected, const char* payloadType);

// The modal `popupId` with one printf-formatted line and YES / CANCEL buttons
// 60 units wide; true in the frame YES is pressed. Either button closes it.
bool ConfirmYesCancel(const char* popupId, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
