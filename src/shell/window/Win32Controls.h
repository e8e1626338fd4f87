#pragma once
// The list-control contract over the real common controls: SysListView32 in report
// view, an image list keyed by text, msctls_statusbar32 with two panels and
// msctls_progress32. Text crosses in the system's 8-bit code page ("A" messages).
//
// Each control is a child window of a parent that the caller owns; the objects create
// and destroy their own windows and must be destroyed before the parent (a child the
// parent has already destroyed is left alone).
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/win32/Owners.h"
#include "platform/ListControls.h"

// Registers the common-control classes this file uses; safe to call more than once.
bool InitListControls();

// Where a child window sits in its parent's client area, in pixels.
PixelRect PlacementInParent(HWND window);

class Win32ImageList final : public ImageList {
 public:
  // Images of 16 x 16 pixels at 96 DPI, scaled to `dpi`.
  explicit Win32ImageList(int dpi = 96);

  bool Add(const std::string& key, const Picture& picture) override;
  bool Contains(const std::string& key) const override;
  std::optional<Picture> Image(const std::string& key) const override;
  void Clear() override;
  int Count() const override;
  int ImageWidth() const override { return size_; }
  int ImageHeight() const override { return size_; }

  HIMAGELIST Handle() const { return list_.Get(); }
  // The image's index in the system list; -1 when no image has the key.
  int IndexOf(const std::string& key) const;

 private:
  int size_;
  ImageListOwner list_;
  std::unordered_map<std::string, int> indexByKey_;
};

class Win32ListView final : public ListView {
 public:
  Win32ListView(HWND parent, int controlId, const PixelRect& where,
                const Win32ImageList& smallIcons);
  ~Win32ListView() override;
  // The list's window keeps a pointer to its object (see HoldRedraw): not copied or moved.
  Win32ListView(const Win32ListView&) = delete;
  Win32ListView& operator=(const Win32ListView&) = delete;

  bool AddColumn(const std::string& header, int width, ColumnAlignment alignment) override;
  std::vector<ListColumn> Columns() const override;

  std::optional<int> AddRow(const std::string& key, const std::string& text,
                            const std::string& smallIconKey) override;
  std::optional<int> FindRow(const std::string& key) const override;
  int Count() const override;

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
  void SetExtendedStyle(std::uint32_t mask, std::uint32_t style) override;
  std::uint32_t ExtendedStyle() const override;
  std::uintptr_t Handle() const override;
  HWND Window() const { return window_.Get(); }

 private:
  // What the program knows of a row beyond what the control shows. Each row's LVITEM
  // lParam points at its record, so the key moves with the row when the control sorts.
  struct RowRecord {
    std::string key;
    std::string smallIcon;
    std::string sortText;  // filled just before a sort
    int sortOrder = 0;     // the row's position before the sort, for equal texts
  };
  static int CALLBACK CompareRecords(LPARAM first, LPARAM second, LPARAM unused);

  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;
  // The record of the row at a checked position, or null after raising.
  RowRecord* Record(int position) const;
  std::string CellText(int index, int column) const;
  bool SetCellText(int index, int column, const std::string& text);
  int ColumnCount() const;
  bool SetItemState(int index, UINT state, UINT mask);
  UINT ItemState(int index, UINT mask) const;
  std::optional<int> NextItem(UINT flags) const;

  // A visible list view repaints its scroll bars on every new row (tens of
  // milliseconds each under some window systems). Changes of rows therefore hold the
  // list's painting until the thread's message loop next runs, when a message posted
  // to the list ends the hold and the list repaints once. Nothing paints between two
  // turns of the message loop anyway, so what the user sees is the same.
  void HoldRedraw();
  void EndRedrawHold();
  // The list's window procedure is replaced by one that ends the hold and passes every
  // other message on. (The common controls' own subclassing looks its data up in a
  // window property at every message, which costs a round trip to the window server
  // under Wine: about 100 microseconds a message.)
  static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept;

  const Win32ImageList& smallIcons_;
  WindowOwner window_;
  std::unordered_map<std::string, std::unique_ptr<RowRecord>> records_;
  bool redrawHeld_ = false;
  WNDPROC controlProc_ = nullptr;  // the list view's own window procedure
};

class Win32StatusBar final : public StatusBar {
 public:
  // Panel 1 keeps at least `minPanel1Width` pixels.
  Win32StatusBar(HWND parent, int controlId, int minPanel1Width);

  std::string Panel1Text() const override;
  void SetPanel1Text(const std::string& text) override;
  void SetPanel2Width(int pixels) override;
  int Panel2Left() const override;
  int Panel2Width() const override;
  int Top() const override;
  int Height() const override;
  void FitToParent(int clientWidth, int clientHeight) override;
  HWND Window() const { return window_.Get(); }

 private:
  void ApplyParts();
  RECT Panel2Rect() const;

  WindowOwner window_;
  int minPanel1Width_;
  int panel2Width_ = 0;
};

class Win32ProgressBar final : public ProgressBar {
 public:
  Win32ProgressBar(HWND parent, int controlId);

  int Max() const override;
  int Value() const override;
  bool SetMax(int max) override;
  bool SetValue(int value) override;
  void Place(const PixelRect& where) override;
  PixelRect Placement() const override;
  HWND Window() const { return window_.Get(); }

 private:
  WindowOwner window_;
};
