#include "platform/memory/MemoryControls.h"

#include <algorithm>

// ---- MemoryImageList ----

MemoryImageList::MemoryImageList(int imageWidth, int imageHeight)
    : width_(imageWidth), height_(imageHeight) {}

bool MemoryImageList::Add(const std::string& key, const Picture& picture) {
  if (images_.contains(key)) return listrules::KeyNotUnique(key);
  if (!picture.IsWellFormed()) return listrules::InvalidProperty("picture");
  images_.emplace(key, ScalePicture(picture, width_, height_));
  return true;
}

bool MemoryImageList::Contains(const std::string& key) const { return images_.contains(key); }

std::optional<Picture> MemoryImageList::Image(const std::string& key) const {
  const auto found = images_.find(key);
  if (found == images_.end()) {
    listrules::KeyNotFound(key);
    return std::nullopt;
  }
  Picture opaque = found->second;
  for (std::uint32_t& pixel : opaque.pixels) pixel |= 0xFF000000u;
  return opaque;
}

// ---- MemoryListView ----

MemoryListView::MemoryListView(const ImageList& smallIcons) : smallIcons_(smallIcons) {}

bool MemoryListView::AddColumn(const std::string& header, int width, ColumnAlignment alignment) {
  if (width < 0) return listrules::InvalidProperty("column width");
  columns_.push_back({header, width, alignment});
  return true;
}

MemoryListView::Row* MemoryListView::At(int position) {
  if (!listrules::CheckPosition(position, Count())) return nullptr;
  return &rows_[static_cast<std::size_t>(position - 1)];
}

const MemoryListView::Row* MemoryListView::At(int position) const {
  if (!listrules::CheckPosition(position, Count())) return nullptr;
  return &rows_[static_cast<std::size_t>(position - 1)];
}

std::optional<int> MemoryListView::AddRow(const std::string& key, const std::string& text,
                                          const std::string& smallIconKey) {
  const bool present =
      std::any_of(rows_.begin(), rows_.end(), [&](const Row& row) { return row.key == key; });
  if (present) {
    listrules::KeyNotUnique(key);
    return std::nullopt;
  }
  Row row;
  row.key = key;
  row.cells.assign(listrules::kMaxSubItem + 1, std::string());
  row.cells[0] = text;
  row.smallIcon = smallIconKey;
  rows_.push_back(std::move(row));
  return Count();
}

std::optional<int> MemoryListView::FindRow(const std::string& key) const {
  const auto found =
      std::find_if(rows_.begin(), rows_.end(), [&](const Row& row) { return row.key == key; });
  if (found == rows_.end()) {
    listrules::KeyNotFound(key);
    return std::nullopt;
  }
  return static_cast<int>(found - rows_.begin()) + 1;
}

std::optional<std::string> MemoryListView::Key(int position) const {
  const Row* row = At(position);
  if (!row) return std::nullopt;
  return row->key;
}

std::optional<std::string> MemoryListView::Text(int position) const {
  const Row* row = At(position);
  if (!row) return std::nullopt;
  return row->cells[0];
}

bool MemoryListView::SetText(int position, const std::string& text) {
  Row* row = At(position);
  if (!row) return false;
  row->cells[0] = text;
  return true;
}

std::optional<std::string> MemoryListView::SubItem(int position, int subItem) const {
  const Row* row = At(position);
  if (!row || !listrules::CheckSubItem(subItem, static_cast<int>(columns_.size())))
    return std::nullopt;
  return row->cells[static_cast<std::size_t>(subItem)];
}

bool MemoryListView::SetSubItem(int position, int subItem, const std::string& text) {
  Row* row = At(position);
  if (!row || !listrules::CheckSubItem(subItem, static_cast<int>(columns_.size()))) return false;
  row->cells[static_cast<std::size_t>(subItem)] = text;
  return true;
}

std::optional<bool> MemoryListView::Selected(int position) const {
  const Row* row = At(position);
  if (!row) return std::nullopt;
  return row->selected;
}

bool MemoryListView::SetSelected(int position, bool selected) {
  Row* row = At(position);
  if (!row) return false;
  row->selected = selected;
  return true;
}

std::optional<std::string> MemoryListView::SmallIcon(int position) const {
  const Row* row = At(position);
  if (!row) return std::nullopt;
  return row->smallIcon;
}

bool MemoryListView::SetSmallIcon(int position, const std::string& iconKey) {
  Row* row = At(position);
  if (!row) return false;
  if (!smallIcons_.Contains(iconKey)) return listrules::KeyNotFound(iconKey);
  row->smallIcon = iconKey;
  return true;
}

bool MemoryListView::EnsureVisible(int position) {
  if (!At(position)) return false;
  lastVisible_ = position;
  return true;
}

std::optional<int> MemoryListView::CurrentRow() const {
  const auto found = std::find_if(rows_.begin(), rows_.end(),
                                  [](const Row& row) { return row.focused; });
  if (found == rows_.end()) return std::nullopt;
  return static_cast<int>(found - rows_.begin()) + 1;
}

bool MemoryListView::SetCurrentRow(int position) {
  if (!At(position)) return false;
  for (Row& row : rows_) row.focused = false;
  At(position)->focused = true;
  return true;
}

std::optional<int> MemoryListView::SelectedRow() const {
  const std::optional<int> current = CurrentRow();
  if (current && At(*current)->selected) return current;
  const auto found = std::find_if(rows_.begin(), rows_.end(),
                                  [](const Row& row) { return row.selected; });
  if (found == rows_.end()) return std::nullopt;
  return static_cast<int>(found - rows_.begin()) + 1;
}

bool MemoryListView::SetSelectedRow(int position) {
  if (!SetCurrentRow(position)) return false;
  for (Row& row : rows_) row.selected = false;
  At(position)->selected = true;
  return true;
}

bool MemoryListView::RemoveRow(int position) {
  if (!At(position)) return false;
  rows_.erase(rows_.begin() + (position - 1));
  return true;
}

void MemoryListView::Clear() { rows_.clear(); }

bool MemoryListView::SortOnce(int column) {
  if (!listrules::CheckSortColumn(column)) return false;
  const auto c = static_cast<std::size_t>(column);
  std::stable_sort(rows_.begin(), rows_.end(), [c](const Row& a, const Row& b) {
    return listrules::SortsBefore(a.cells[c], b.cells[c]);
  });
  return true;
}

// ---- MemoryStatusBar ----

void MemoryStatusBar::SetPanel2Width(int pixels) { panel2Width_ = std::max(0, pixels); }

int MemoryStatusBar::Panel2Left() const {
  return std::max(kMinPanel1Width, width_ - panel2Width_);
}

int MemoryStatusBar::Panel2Width() const { return std::max(0, width_ - Panel2Left()); }

void MemoryStatusBar::FitToParent(int clientWidth, int clientHeight) {
  width_ = std::max(0, clientWidth);
  top_ = std::max(0, clientHeight - kBarHeight);
}

// ---- MemoryProgressBar ----

bool MemoryProgressBar::SetMax(int max) {
  if (!listrules::CheckProgressMax(max)) return false;
  max_ = max;
  value_ = std::min(value_, max_);  // as the real bar brings its position into the range
  return true;
}

bool MemoryProgressBar::SetValue(int value) {
  if (!listrules::CheckProgressValue(value, max_)) return false;
  value_ = value;
  return true;
}
