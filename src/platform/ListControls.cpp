#include "platform/ListControls.h"

#include "platform/AsciiCase.h"

#include <algorithm>

#include "platform/CurrentError.h"

bool ListView::DeselectSelectedRow() {
  const std::optional<int> row = SelectedRow();
  if (!row) return listrules::NoCurrentObject();
  return SetSelected(*row, false);
}

void ListView::SelectAll() {
  const int count = Count();
  for (int row = 1; row <= count; ++row) SetSelected(row, true);
}

namespace listrules {

bool KeyNotUnique(const std::string& key) {
  CurrentError::Raise(ErrorNumber::KeyNotUnique, "Key is not unique in collection: " + key);
  return false;
}

bool KeyNotFound(const std::string& key) {
  CurrentError::Raise(ErrorNumber::KeyNotFound, "Element not found: " + key);
  return false;
}

bool OutOfRange(int position) {
  CurrentError::Raise(ErrorNumber::SubscriptOutOfRange,
                      "Subscript out of range: " + std::to_string(position));
  return false;
}

bool InvalidProperty(const std::string& what) {
  CurrentError::Raise(ErrorNumber::InvalidProperty, "Invalid property value: " + what);
  return false;
}

bool NoCurrentObject() {
  CurrentError::Raise(ErrorNumber::NoCurrentObject, "Object variable not set");
  return false;
}

bool CheckPosition(int position, int count) {
  return (position >= 1 && position <= count) || OutOfRange(position);
}

bool CheckSubItem(int subItem, int columnCount) {
  if (subItem >= 1 && subItem <= kMaxSubItem && subItem < columnCount) return true;
  return InvalidProperty("sub-item " + std::to_string(subItem));
}

bool CheckSortColumn(int column) {
  return (column >= 0 && column <= kMaxSortColumn) ||
         InvalidProperty("sort column " + std::to_string(column));
}

bool CheckProgressMax(int max) {
  return max > 0 || InvalidProperty("maximum " + std::to_string(max));
}

bool CheckProgressValue(int value, int max) {
  return (value >= 0 && value <= max) || InvalidProperty("value " + std::to_string(value));
}

bool SortsBefore(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
}

}  // namespace listrules
