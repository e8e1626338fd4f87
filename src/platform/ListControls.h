#pragma once
// The controls of the main window as the rest of the program uses them: the two list
// views (lvwPrograms, lvwCompat), the image list of their small icons (imlIcons), the
// status bar (SBar) and the progress bar (PBar).
//
// Two implementations keep the same contract: one over the real common controls
// (shell/window/Win32Controls.h, Windows builds only) and one in memory
// (platform/memory/MemoryControls.h). Failures never throw: a failing operation raises its error
// into CurrentError and returns a failure value (false, std::nullopt); everything else
// is left as it was.
//
// Rows are addressed by position, counting from 1, or by a text key (compared exactly,
// letter case included; the program always uses lower-case paths).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Picture.h"

enum class ColumnAlignment { Left, Right, Centre };

struct ListColumn {
  std::string header;
  int width = 0;  // pixels
  ColumnAlignment alignment = ColumnAlignment::Left;
};

// Images under unique text keys, all of one size (the small-icon size).
class ImageList {
 public:
  virtual ~ImageList() = default;

  // Stores `picture` under `key`. Fails (KeyNotUnique) when the key is present, and
  // (InvalidProperty) for a picture that is not well formed; nothing is stored then.
  // A picture of another size than ImageWidth x ImageHeight is scaled to it.
  virtual bool Add(const std::string& key, const Picture& picture) = 0;
  virtual bool Contains(const std::string& key) const = 0;
  // The colours of the image under `key` (ImageWidth x ImageHeight, every pixel made
  // opaque: an opaque picture comes back as stored); KeyNotFound if absent.
  virtual std::optional<Picture> Image(const std::string& key) const = 0;
  virtual void Clear() = 0;
  virtual int Count() const = 0;
  virtual int ImageWidth() const = 0;
  virtual int ImageHeight() const = 0;
};

// A report-view list. Column 0 holds the row text, column n + 1 sub-item n.
class ListView {
 public:
  virtual ~ListView() = default;

  // Columns, in the order added.
  virtual bool AddColumn(const std::string& header, int width, ColumnAlignment alignment) = 0;
  virtual std::vector<ListColumn> Columns() const = 0;

  // Appends a row and returns its position. Fails (KeyNotUnique) when a row already has
  // the key, adding nothing. The icon key is kept as given; when the bound image list
  // does not hold it yet, the row shows no image until a later SetSmallIcon.
  virtual std::optional<int> AddRow(const std::string& key, const std::string& text,
                                    const std::string& smallIconKey) = 0;
  // The position of the row with `key`; KeyNotFound when no row has it.
  virtual std::optional<int> FindRow(const std::string& key) const = 0;
  virtual int Count() const = 0;

  // Per row. A position outside 1..Count fails with SubscriptOutOfRange. Sub-items are
  // numbered 1 to 3, and sub-item n needs column n + 1 to exist (at least n + 1
  // columns); any other fails with InvalidProperty.
  virtual std::optional<std::string> Key(int position) const = 0;
  virtual std::optional<std::string> Text(int position) const = 0;
  virtual bool SetText(int position, const std::string& text) = 0;
  virtual std::optional<std::string> SubItem(int position, int subItem) const = 0;
  virtual bool SetSubItem(int position, int subItem, const std::string& text) = 0;
  virtual std::optional<bool> Selected(int position) const = 0;
  virtual bool SetSelected(int position, bool selected) = 0;
  virtual std::optional<std::string> SmallIcon(int position) const = 0;
  // Fails (KeyNotFound) when the bound image list holds no image under `iconKey`; the
  // row keeps its icon then.
  virtual bool SetSmallIcon(int position, const std::string& iconKey) = 0;
  virtual bool EnsureVisible(int position) = 0;

  // The current (focused) row; none when no row has the focus.
  virtual std::optional<int> CurrentRow() const = 0;
  virtual bool SetCurrentRow(int position) = 0;
  // The selected row: the current row when it is selected, else the first selected
  // row; none when nothing is selected (a plain answer, not a failure).
  virtual std::optional<int> SelectedRow() const = 0;
  // Makes `position` the current row and the only selected row.
  virtual bool SetSelectedRow(int position) = 0;
  // Takes the selection away from the selected row; fails (NoCurrentObject) when
  // nothing is selected.
  bool DeselectSelectedRow();
  // Selects every row.
  void SelectAll();

  virtual bool RemoveRow(int position) = 0;
  virtual void Clear() = 0;
  // Sorts the rows once, ascending by the text of `column` (0 = row text, n = sub-item
  // n), ignoring letter case, rows with equal texts keeping their order. Rows added
  // afterwards go to the end. A column outside 0..3 fails with InvalidProperty.
  virtual bool SortOnce(int column) = 0;

  // Sets the extended list-view style bits in `mask` to those of `style`; the others
  // stay.
  virtual void SetExtendedStyle(std::uint32_t mask, std::uint32_t style) = 0;
  virtual std::uint32_t ExtendedStyle() const = 0;

  // The list's window handle; 0 for a list without a window.
  virtual std::uintptr_t Handle() const = 0;
};

// Two panels: panel 1 fills the width that panel 2 leaves, down to a minimum width.
class StatusBar {
 public:
  virtual ~StatusBar() = default;

  virtual std::string Panel1Text() const = 0;
  virtual void SetPanel1Text(const std::string& text) = 0;
  virtual void SetPanel2Width(int pixels) = 0;
  // Panel 2 in pixels, left edge relative to the status bar's left edge.
  virtual int Panel2Left() const = 0;
  virtual int Panel2Width() const = 0;
  // The bar's place in its parent's client area, in pixels.
  virtual int Top() const = 0;
  virtual int Height() const = 0;
  // Docks the bar to the bottom edge of its parent; the parent's resize handler calls
  // it with the parent's new client size.
  virtual void FitToParent(int clientWidth, int clientHeight) = 0;
};

// A rectangle in the parent's client area, in pixels.
struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect&) const = default;
};

// Minimum 0. A Max of 0 or below, and a Value below 0 or above Max, are refused
// (InvalidProperty) and leave the bar as it was; a Max below the Value brings the
// Value down to it.
class ProgressBar {
 public:
  virtual ~ProgressBar() = default;
  int Min() const { return 0; }
  virtual int Max() const = 0;
  virtual int Value() const = 0;
  virtual bool SetMax(int max) = 0;
  virtual bool SetValue(int value) = 0;
  // Moves the bar in one step (over panel 2 of the status bar, by the window's layout).
  virtual void Place(const PixelRect& where) = 0;
  virtual PixelRect Placement() const = 0;
};

// Rules shared by the implementations, so that both refuse the same things.
namespace listrules {
inline constexpr int kMaxSubItem = 3;
inline constexpr int kMaxSortColumn = 3;
// Each raises the named error into CurrentError and returns false.
bool KeyNotUnique(const std::string& key);
bool KeyNotFound(const std::string& key);
bool OutOfRange(int position);
bool InvalidProperty(const std::string& what);
bool NoCurrentObject();
// Validation: each returns true when allowed, else raises and returns false.
bool CheckPosition(int position, int count);
bool CheckSubItem(int subItem, int columnCount);
bool CheckSortColumn(int column);
bool CheckProgressMax(int max);
bool CheckProgressValue(int value, int max);
// The sort order of SortOnce: byte order with ASCII letter case ignored.
bool SortsBefore(const std::string& a, const std::string& b);
}  // namespace listrules
