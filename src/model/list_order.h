#pragma once
#include <algorithm>
#include <vector>

// Takes the record at `from` out of the list and puts it back so that it ends
// up at index `to`. False, and nothing moved, when either index is outside the list.
template <typename Record>
bool MoveRecord(std::vector<Record>& list, int from, int to) {
  const int count = static_cast<int>(list.size());
  if (from < 0 || from >= count || to < 0 || to >= count) return false;
  const auto at = list.begin();
  if (from < to)
    std::rotate(at + from, at + from + 1, at + to + 1);
  else
    std::rotate(at + to, at + from, at + from + 1);
  return true;
}

// Where a record that was at `index` is after MoveRecord(list, from, to).
inline int IndexAfterMove(int index, int from, int to) {
  if (index == from) return to;
  if (from < to && index > from && index <= to) return index - 1;
  if (to < from && index >= to && index < from) return index + 1;
  return index;
}

// Where a record that was at `index` is after the one at `removed` was erased; -1 when it was that one.
inline int IndexAfterErase(int index, int removed) {
  return index == removed ? -1 : index > removed ? index - 1 : index;
}
