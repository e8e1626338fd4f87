#pragma once
// The controls of the main window kept in memory: the same contract as the real common
// controls, for the native build and for tests of the window's handlers.
#include <map>
#include <string>
#include <vector>

#include "platform/ListControls.h"

class MemoryImageList final : public ImageList {
 public:
  explicit MemoryImageList(int imageWidth = 16, int imageHeight = 16);

  bool Add(const std::string& key, const Picture& picture) override;
  bool Contains(const std::string& key) const override;
  std::optional<Picture> Image(const std::string& key) const override;
  void Clear() override { images_.clear(); }
  int Count() const override { return static_cast<int>(images_.size()); }
  int ImageWidth() const override { return width_; }
  int ImageHeight() const override { return height_; }

 private:
  int width_;
  int height_;
  std::map<std::string, Picture> images_;
};

class MemoryListView final : public ListView {
 public:
  // `smallIcons` must outlive the list, as the real list's image list does.
  explicit MemoryListView(const ImageList& smallIcons);

  bool AddColumn(const std::string& header, int width, ColumnAlignment alignment) override;
  std::vector<ListColumn> Columns() const override { return columns_; }

  std::optional<int> AddRow(const std::string& key, const std::string& text,
                            const std::string& smallIconKey) override;
  std::optional<int> FindRow(const std::string& key) const override;
  int Count() const override { return static_cast<int>(rows_.size()); }

  std::optional<std::string> Key(int position) const override;
  std::optional<std::string> Text(int position) const override;
  bool SetText(int position, const std::string& text) override;
  std::optional<std::string> SubItem(int position, int subItem) const override;
  bool SetSubItem(int position, int subItem, const std::string& text) override;
  std::optional<bool> Selected(int position) const override;
  bool SetSelected(int position, bool selected) override;
  std::optional<std::string> SmallIcon(int position) const override;
  bool SetSmallIcon(int position, const std::string& iconKey) override;
  bool EnsureVisible(int position) override;

  std::optional<int> CurrentRow() const override;
  bool SetCurrentRow(int position) override;
  std::optional<int> SelectedRow() const override;
  bool SetSelectedRow(int position) override;

  bool RemoveRow(int position) override;
  void Clear() override;
  bool SortOnce(int column) override;
  void SetExtendedStyle(std::uint32_t mask, std::uint32_t style) override {
    extendedStyle_ = (extendedStyle_ & ~mask) | (style & mask);
  }
  std::uint32_t ExtendedStyle() const override { return extendedStyle_; }
  std::uintptr_t Handle() const override { return 0; }

  // The last row scrolled into view (for tests of handlers); none before the first.
  std::optional<int> LastEnsuredVisible() const { return lastVisible_; }

 private:
  struct Row {
    std::string key;
    std::vector<std::string> cells;  // cells[0] is the row text, cells[n] sub-item n
    std::string smallIcon;
    bool selected = false;
    bool focused = false;
  };
  // The row at a checked position, or null after raising SubscriptOutOfRange.
  Row* At(int position);
  const Row* At(int position) const;

  const ImageList& smallIcons_;
  std::vector<ListColumn> columns_;
  std::vector<Row> rows_;
  std::optional<int> lastVisible_;
  std::uint32_t extendedStyle_ = 0;
};

class MemoryStatusBar final : public StatusBar {
 public:
  static constexpr int kBarHeight = 18;
  static constexpr int kMinPanel1Width = 96;  // 1440 twips at 96 DPI

  std::string Panel1Text() const override { return panel1Text_; }
  void SetPanel1Text(const std::string& text) override { panel1Text_ = text; }
  void SetPanel2Width(int pixels) override;
  int Panel2Left() const override;
  int Panel2Width() const override;
  int Top() const override { return top_; }
  int Height() const override { return kBarHeight; }
  void FitToParent(int clientWidth, int clientHeight) override;

 private:
  std::string panel1Text_;
  int panel2Width_ = 0;
  int width_ = 0;
  int top_ = 0;
};

class MemoryProgressBar final : public ProgressBar {
 public:
  int Max() const override { return max_; }
  int Value() const override { return value_; }
  bool SetMax(int max) override;
  bool SetValue(int value) override;
  void Place(const PixelRect& where) override { placement_ = where; }
  PixelRect Placement() const override { return placement_; }

 private:
  PixelRect placement_;
  int max_ = 100;
  int value_ = 0;
};
