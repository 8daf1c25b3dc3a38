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
