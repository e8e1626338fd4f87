#include "shell/window/Win32Controls.h"

#include <algorithm>
#include <cstring>

#include "platform/CurrentError.h"

namespace {
// Posted by a list view to itself: the message loop has run, painting may resume.
constexpr UINT kEndRedrawHold = WM_APP + 0x100;

constexpr int kSmallIconSize = 16;  // pixels at 96 DPI
constexpr std::size_t kMaxCellText = 32768;

HWND MakeChild(const char* className, DWORD style, HWND parent, int controlId,
               const PixelRect& where) {
  return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, where.left, where.top,
                         where.width, where.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                         GetModuleHandleA(nullptr), nullptr);
}

// A 32-bit top-down DIB section of the given size with its pixel memory.
struct DibSection {
  BitmapOwner bitmap;
  std::uint32_t* bits = nullptr;
};

DibSection MakeDib(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  DibSection dib;
  dib.bitmap = BitmapOwner(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (dib.bitmap) dib.bits = static_cast<std::uint32_t*>(bits);
  return dib;
}

// The mask of a picture: a set bit for each fully transparent pixel. Rows of a
// monochrome bitmap are padded to 16 bits.
BitmapOwner MakeMask(const Picture& picture) {
  const int stride = ((picture.width + 15) / 16) * 2;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride * picture.height), 0);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t pixel =
          picture.pixels[static_cast<std::size_t>(y * picture.width + x)];
      if ((pixel >> 24) == 0)
        bits[static_cast<std::size_t>(y * stride + x / 8)] |=
            static_cast<std::uint8_t>(0x80u >> (x % 8));
    }
  return BitmapOwner(CreateBitmap(picture.width, picture.height, 1, 1, bits.data()));
}

int ToFormat(ColumnAlignment alignment) {
  switch (alignment) {
    case ColumnAlignment::Right: return LVCFMT_RIGHT;
    case ColumnAlignment::Centre: return LVCFMT_CENTER;
    case ColumnAlignment::Left: break;
  }
  return LVCFMT_LEFT;
}

ColumnAlignment FromFormat(int format) {
  switch (format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT: return ColumnAlignment::Right;
    case LVCFMT_CENTER: return ColumnAlignment::Centre;
    default: return ColumnAlignment::Left;
  }
}

}  // namespace

PixelRect PlacementInParent(HWND window) {
  RECT place{};
  GetWindowRect(window, &place);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
  return {static_cast<int>(place.left), static_cast<int>(place.top),
          static_cast<int>(place.right - place.left), static_cast<int>(place.bottom - place.top)};
}

bool InitListControls() {
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                               ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  return InitCommonControlsEx(&classes) != FALSE;
}

// ---- Win32ImageList ----

Win32ImageList::Win32ImageList(int dpi)
    : size_(MulDiv(kSmallIconSize, dpi > 0 ? dpi : 96, 96)),
      list_(ImageList_Create(size_, size_, ILC_COLOR32 | ILC_MASK, 64, 64)) {}

bool Win32ImageList::Add(const std::string& key, const Picture& picture) {
  if (indexByKey_.contains(key)) return listrules::KeyNotUnique(key);
  if (!picture.IsWellFormed()) return listrules::InvalidProperty("picture");
  const Picture scaled = ScalePicture(picture, size_, size_);
  DibSection colour = MakeDib(size_, size_);
  BitmapOwner mask = MakeMask(scaled);
  if (!list_ || !colour.bits || !mask) return listrules::InvalidProperty("image list");
  std::memcpy(colour.bits, scaled.pixels.data(), scaled.pixels.size() * sizeof(std::uint32_t));
  // The image list copies both bitmaps; ours are released on return.
  const int index = ImageList_Add(list_.Get(), colour.bitmap.Get(), mask.Get());
  if (index < 0) return listrules::InvalidProperty("image list");
  indexByKey_.emplace(key, index);
  return true;
}

bool Win32ImageList::Contains(const std::string& key) const { return indexByKey_.contains(key); }

int Win32ImageList::IndexOf(const std::string& key) const {
  const auto found = indexByKey_.find(key);
  return found == indexByKey_.end() ? -1 : found->second;
}

std::optional<Picture> Win32ImageList::Image(const std::string& key) const {
  const int index = IndexOf(key);
  if (index < 0) {
    listrules::KeyNotFound(key);
    return std::nullopt;
  }
  DibSection canvas = MakeDib(size_, size_);
  MemoryDcOwner dc(CreateCompatibleDC(nullptr));
  if (!canvas.bits || !dc) return std::nullopt;
  std::memset(canvas.bits, 0, static_cast<std::size_t>(size_ * size_) * sizeof(std::uint32_t));
  const HGDIOBJ previous = SelectObject(dc.Get(), canvas.bitmap.Get());
  ImageList_Draw(list_.Get(), index, dc.Get(), 0, 0, ILD_NORMAL);
  GdiFlush();
  SelectObject(dc.Get(), previous);
  Picture picture;
  picture.width = size_;
  picture.height = size_;
  picture.pixels.assign(canvas.bits, canvas.bits + static_cast<std::size_t>(size_ * size_));
  for (std::uint32_t& pixel : picture.pixels) pixel |= 0xFF000000u;
  return picture;
}

void Win32ImageList::Clear() {
  ImageList_RemoveAll(list_.Get());
  indexByKey_.clear();
}

int Win32ImageList::Count() const { return static_cast<int>(indexByKey_.size()); }

// ---- Win32ListView ----

Win32ListView::Win32ListView(HWND parent, int controlId, const PixelRect& where,
                             const Win32ImageList& smallIcons)
    : smallIcons_(smallIcons),
      window_(MakeChild(WC_LISTVIEWA,
                        LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | WS_TABSTOP |
                            WS_BORDER,
                        parent, controlId, where)) {
  // Shared: the image list stays the caller's and outlives the control.
  Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallIcons_.Handle()));
  if (window_) {
    // The W forms keep the control a Unicode window, as the system created it.
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    controlProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListProc)));
  }
}

Win32ListView::~Win32ListView() {
  if (window_ && IsWindow(window_.Get()) && controlProc_) {
    SetWindowLongPtrW(window_.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc_));
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
  }
}

LRESULT CALLBACK Win32ListView::ListProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<Win32ListView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == kEndRedrawHold) {
    self->EndRedrawHold();
    return 0;
  }
  return CallWindowProcW(self->controlProc_, window, message, wParam, lParam);
}

void Win32ListView::HoldRedraw() {
  // Only a list that is shown; turning painting back on shows the window again.
  if (redrawHeld_ || !(GetWindowLongPtrA(window_.Get(), GWL_STYLE) & WS_VISIBLE)) return;
  if (!PostMessageA(window_.Get(), kEndRedrawHold, 0, 0)) return;
  Send(WM_SETREDRAW, FALSE, 0);
  redrawHeld_ = true;
}

void Win32ListView::EndRedrawHold() {
  if (!redrawHeld_) return;
  redrawHeld_ = false;
  Send(WM_SETREDRAW, TRUE, 0);
  InvalidateRect(window_.Get(), nullptr, TRUE);
}

void Win32ListView::SetExtendedStyle(std::uint32_t mask, std::uint32_t style) {
  SendMessageA(window_.Get(), LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style);
}

std::uint32_t Win32ListView::ExtendedStyle() const {
  return static_cast<std::uint32_t>(SendMessageA(window_.Get(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

std::uintptr_t Win32ListView::Handle() const {
  return reinterpret_cast<std::uintptr_t>(window_.Get());
}

LRESULT Win32ListView::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(window_.Get(), message, wParam, lParam);
}

bool Win32ListView::AddColumn(const std::string& header, int width, ColumnAlignment alignment) {
  if (width < 0) return listrules::InvalidProperty("column width");
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  column.fmt = ToFormat(alignment);
  column.cx = width;
  column.pszText = const_cast<char*>(header.c_str());
  column.iSubItem = ColumnCount();
  if (Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column.iSubItem),
           reinterpret_cast<LPARAM>(&column)) < 0)
    return listrules::InvalidProperty("column");
  return true;
}

int Win32ListView::ColumnCount() const {
  const auto header = reinterpret_cast<HWND>(Send(LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::vector<ListColumn> Win32ListView::Columns() const {
  std::vector<ListColumn> columns;
  const int count = ColumnCount();
  for (int index = 0; index < count; ++index) {
    char text[260] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = text;
    column.cchTextMax = sizeof(text);
    if (!Send(LVM_GETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)))
      break;
    text[sizeof(text) - 1] = '\0';
    columns.push_back({text, column.cx, FromFormat(column.fmt)});
  }
  return columns;
}

int Win32ListView::Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT, 0, 0)); }

std::optional<int> Win32ListView::AddRow(const std::string& key, const std::string& text,
                                         const std::string& smallIconKey) {
  if (records_.contains(key)) {
    listrules::KeyNotUnique(key);
    return std::nullopt;
  }
  auto record = std::make_unique<RowRecord>();
  record->key = key;
  record->smallIcon = smallIconKey;
  const int image = smallIcons_.IndexOf(smallIconKey);
  HoldRedraw();
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = Count();
  item.pszText = const_cast<char*>(text.c_str());
  item.iImage = image >= 0 ? image : I_IMAGENONE;
  item.lParam = reinterpret_cast<LPARAM>(record.get());
  const auto index = static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (index < 0) {
    listrules::InvalidProperty("row");
    return std::nullopt;
  }
  records_.emplace(key, std::move(record));
  return index + 1;
}

std::optional<int> Win32ListView::FindRow(const std::string& key) const {
  const auto found = records_.find(key);
  if (found == records_.end()) {
    listrules::KeyNotFound(key);
    return std::nullopt;
  }
  LVFINDINFOA find{};
  find.flags = LVFI_PARAM;
  find.lParam = reinterpret_cast<LPARAM>(found->second.get());
  const auto index = static_cast<int>(
      Send(LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
  if (index < 0) {
    listrules::KeyNotFound(key);
    return std::nullopt;
  }
  return index + 1;
}

Win32ListView::RowRecord* Win32ListView::Record(int position) const {
  if (!listrules::CheckPosition(position, Count())) return nullptr;
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = position - 1;
  if (!Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) || item.lParam == 0) {
    listrules::OutOfRange(position);
    return nullptr;
  }
  return reinterpret_cast<RowRecord*>(item.lParam);
}

std::string Win32ListView::CellText(int index, int column) const {
  // The control reports how much it copied; grow until the text fits.
  std::vector<char> buffer(260);
  for (;;) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const auto copied = static_cast<std::size_t>(
        Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    if (copied + 1 < buffer.size() || buffer.size() >= kMaxCellText)
      return std::string(buffer.data(), std::min(copied, buffer.size() - 1));
    buffer.resize(buffer.size() * 4);
  }
}

bool Win32ListView::SetCellText(int index, int column, const std::string& text) {
  HoldRedraw();
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  if (!Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
    return listrules::InvalidProperty("text");
  return true;
}

std::optional<std::string> Win32ListView::Key(int position) const {
  const RowRecord* record = Record(position);
  if (!record) return std::nullopt;
  return record->key;
}

std::optional<std::string> Win32ListView::Text(int position) const {
  if (!Record(position)) return std::nullopt;
  return CellText(position - 1, 0);
}

bool Win32ListView::SetText(int position, const std::string& text) {
  return Record(position) && SetCellText(position - 1, 0, text);
}

std::optional<std::string> Win32ListView::SubItem(int position, int subItem) const {
  if (!Record(position) || !listrules::CheckSubItem(subItem, ColumnCount())) return std::nullopt;
  return CellText(position - 1, subItem);
}

bool Win32ListView::SetSubItem(int position, int subItem, const std::string& text) {
  return Record(position) && listrules::CheckSubItem(subItem, ColumnCount()) &&
         SetCellText(position - 1, subItem, text);
}

UINT Win32ListView::ItemState(int index, UINT mask) const {
  return static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
}

bool Win32ListView::SetItemState(int index, UINT state, UINT mask) {
  LVITEMA item{};
  item.stateMask = mask;
  item.state = state;
  return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) !=
         0;
}

std::optional<bool> Win32ListView::Selected(int position) const {
  if (!Record(position)) return std::nullopt;
  return (ItemState(position - 1, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

bool Win32ListView::SetSelected(int position, bool selected) {
  return Record(position) &&
         SetItemState(position - 1, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

std::optional<std::string> Win32ListView::SmallIcon(int position) const {
  const RowRecord* record = Record(position);
  if (!record) return std::nullopt;
  return record->smallIcon;
}

bool Win32ListView::SetSmallIcon(int position, const std::string& iconKey) {
  RowRecord* record = Record(position);
  if (!record) return false;
  const int image = smallIcons_.IndexOf(iconKey);
  if (image < 0) return listrules::KeyNotFound(iconKey);
  HoldRedraw();
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = position - 1;
  item.iImage = image;
  if (!Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
    return listrules::InvalidProperty("small icon");
  record->smallIcon = iconKey;
  return true;
}

bool Win32ListView::EnsureVisible(int position) {
  EndRedrawHold();  // scrolling needs the list's layout up to date
  return Record(position) && Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(position - 1), FALSE);
}

std::optional<int> Win32ListView::NextItem(UINT flags) const {
  const auto index =
      static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(flags, 0)));
  if (index < 0) return std::nullopt;
  return index + 1;
}

std::optional<int> Win32ListView::CurrentRow() const { return NextItem(LVNI_FOCUSED); }

bool Win32ListView::SetCurrentRow(int position) {
  return Record(position) && SetItemState(position - 1, LVIS_FOCUSED, LVIS_FOCUSED);
}

std::optional<int> Win32ListView::SelectedRow() const {
  const std::optional<int> current = CurrentRow();
  if (current && (ItemState(*current - 1, LVIS_SELECTED) & LVIS_SELECTED)) return current;
  return NextItem(LVNI_SELECTED);
}

bool Win32ListView::SetSelectedRow(int position) {
  if (!Record(position)) return false;
  SetItemState(-1, 0, LVIS_SELECTED);  // index -1: every row
  return SetItemState(position - 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

bool Win32ListView::RemoveRow(int position) {
  const RowRecord* record = Record(position);
  if (!record) return false;
  const std::string key = record->key;
  if (!Send(LVM_DELETEITEM, static_cast<WPARAM>(position - 1), 0))
    return listrules::OutOfRange(position);
  records_.erase(key);
  return true;
}

void Win32ListView::Clear() {
  Send(LVM_DELETEALLITEMS, 0, 0);
  records_.clear();
}

int CALLBACK Win32ListView::CompareRecords(LPARAM first, LPARAM second, LPARAM) {
  const auto* a = reinterpret_cast<const RowRecord*>(first);
  const auto* b = reinterpret_cast<const RowRecord*>(second);
  if (listrules::SortsBefore(a->sortText, b->sortText)) return -1;
  if (listrules::SortsBefore(b->sortText, a->sortText)) return 1;
  return a->sortOrder < b->sortOrder ? -1 : (a->sortOrder > b->sortOrder ? 1 : 0);
}

bool Win32ListView::SortOnce(int column) {
  if (!listrules::CheckSortColumn(column)) return false;
  // Columns the list does not have sort as empty texts, as in the memory list.
  const bool hasColumn = column == 0 || column < ColumnCount();
  const int count = Count();
  for (int position = 1; position <= count; ++position) {
    RowRecord* record = Record(position);
    if (!record) return false;
    record->sortText = hasColumn ? CellText(position - 1, column) : std::string();
    record->sortOrder = position;
  }
  Send(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareRecords));
  return true;
}

// ---- Win32StatusBar ----

Win32StatusBar::Win32StatusBar(HWND parent, int controlId, int minPanel1Width)
    : window_(MakeChild(STATUSCLASSNAMEA, CCS_BOTTOM, parent, controlId, PixelRect{})),
      minPanel1Width_(minPanel1Width) {}

std::string Win32StatusBar::Panel1Text() const {
  const LRESULT lengthAndType = SendMessageA(window_.Get(), SB_GETTEXTLENGTHA, 0, 0);
  std::vector<char> buffer(static_cast<std::size_t>(LOWORD(lengthAndType)) + 1, '\0');
  SendMessageA(window_.Get(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(buffer.data()));
  buffer.back() = '\0';
  return buffer.data();
}

void Win32StatusBar::SetPanel1Text(const std::string& text) {
  SendMessageA(window_.Get(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32StatusBar::SetPanel2Width(int pixels) {
  panel2Width_ = std::max(0, pixels);
  ApplyParts();
}

void Win32StatusBar::ApplyParts() {
  RECT client{};
  GetClientRect(window_.Get(), &client);
  const int width = static_cast<int>(client.right - client.left);
  int rightEdges[2] = {std::max(minPanel1Width_, width - panel2Width_), -1};
  SendMessageA(window_.Get(), SB_SETPARTS, 2, reinterpret_cast<LPARAM>(rightEdges));
}

RECT Win32StatusBar::Panel2Rect() const {
  RECT part{};
  SendMessageA(window_.Get(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
  return part;
}

int Win32StatusBar::Panel2Left() const { return static_cast<int>(Panel2Rect().left); }

int Win32StatusBar::Panel2Width() const {
  const RECT part = Panel2Rect();
  return static_cast<int>(part.right - part.left);
}

int Win32StatusBar::Top() const { return PlacementInParent(window_.Get()).top; }

int Win32StatusBar::Height() const { return PlacementInParent(window_.Get()).height; }

void Win32StatusBar::FitToParent(int clientWidth, int clientHeight) {
  // A status bar docks itself to its parent's client area on WM_SIZE.
  SendMessageA(window_.Get(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(clientWidth, clientHeight));
  ApplyParts();
}

// ---- Win32ProgressBar ----

Win32ProgressBar::Win32ProgressBar(HWND parent, int controlId)
    : window_(MakeChild(PROGRESS_CLASSA, 0, parent, controlId, PixelRect{})) {
  SendMessageA(window_.Get(), PBM_SETRANGE32, 0, 100);
  SendMessageA(window_.Get(), PBM_SETPOS, 0, 0);
}

int Win32ProgressBar::Max() const {
  return static_cast<int>(SendMessageA(window_.Get(), PBM_GETRANGE, FALSE, 0));
}

int Win32ProgressBar::Value() const {
  return static_cast<int>(SendMessageA(window_.Get(), PBM_GETPOS, 0, 0));
}

bool Win32ProgressBar::SetMax(int max) {
  if (!listrules::CheckProgressMax(max)) return false;  // the bar brings its position into range
  SendMessageA(window_.Get(), PBM_SETRANGE32, 0, max);
  return true;
}

bool Win32ProgressBar::SetValue(int value) {
  if (!listrules::CheckProgressValue(value, Max())) return false;
  SendMessageA(window_.Get(), PBM_SETPOS, static_cast<WPARAM>(value), 0);
  return true;
}

void Win32ProgressBar::Place(const PixelRect& where) {
  MoveWindow(window_.Get(), where.left, where.top, where.width, where.height, TRUE);
}

PixelRect Win32ProgressBar::Placement() const { return PlacementInParent(window_.Get()); }
