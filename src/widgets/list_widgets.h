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

enum class PopupAnswer { None, Confirm, Other, Cancel };
// A popup's row of buttons (`other` and `cancel` may be null): Enter answers
// `confirm`, Escape `cancel` (or `confirm` when there is no cancel button).
PopupAnswer DrawPopupButtons(const char* confirm, const char* other, const char* cancel, float width = 120);

// Closes the current popup when Escape is pressed, as its CANCEL would.
void CloseOnEscape();

// The modal `popupId` with one printf-formatted line and YES / CANCEL buttons
// 60 units wide; true in the frame YES is pressed (or Enter). Either button, or
// Escape, closes it.
bool ConfirmYesCancel(const char* popupId, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
