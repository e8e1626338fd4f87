#include "shell/window/MainWindow.h"
#include "monitor/modTrayIcon.h"
#include "platform/CurrentError.h"
#include "platform/modSharpwell.h"
#include "shell/AppText.h"
#include "shell/window/Win32Controls.h"
#include "shell/window/Win32Form.h"
#include "shell/window/InputBox.h"
#include "shell/clsListView.h"
#include "shell/window/DragDrop.h"

#include <commctrl.h>

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

// The list views' extended styles that clsListView sets.
static_assert(clsListView::kExCheckboxes == LVS_EX_CHECKBOXES &&
              clsListView::kExFullRowSelect == LVS_EX_FULLROWSELECT &&
              clsListView::kExDoubleBuffer == LVS_EX_DOUBLEBUFFER);

namespace {
constexpr char kWindowClass[] = "SharpwellMainWindow";
constexpr char kIconHostClass[] = "SharpwellIcon16";
constexpr int kMainIconId = 1;

enum CommandId : UINT {
  IdListPrograms = 101, IdListCompat, IdCheckMonitor, IdStatusBar, IdProgressBar,
  IdMenuCompatDPI = 201, IdMenuCompatAdmin, IdMenuCompatEdit, IdMenuCompatDelete,
  IdMenuTrayShow = 211, IdMenuTrayExit,
};
enum TimerId : UINT_PTR { IdTimerLoad = 1, IdTimerGetIcons, IdTimerMonitor };

void RaiseLastError() {
  DWORD code = ::GetLastError();
  if (code == 0) code = ERROR_INVALID_FUNCTION;
  char text[255] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, text, sizeof text, nullptr);
  std::string description(text, length);
  while (!description.empty() && (description.back() == '\n' || description.back() == '\r'))
    description.pop_back();
  CurrentError::Raise(static_cast<std::int32_t>(code), description);
}

HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style,
                 const PixelRect& r, UINT id = 0, DWORD exStyle = 0) {
  return CreateWindowExA(exStyle, className, text, WS_CHILD | style, r.left, r.top, r.width,
                         r.height, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

// Why a control of `className` could not be created: the system's error at one more
// try, taken at once. A common control whose class is missing gives
// ERROR_CANNOT_FIND_WND_CLASS, the failure the start-up's component recovery is for.
void RaiseCreateError(HWND parent, const char* className) {
  WindowOwner probe(CreateChild(parent, className, "", 0, PixelRect{}));
  if (probe) {
    probe.Reset();
    SetLastError(ERROR_INVALID_FUNCTION);  // it can be created now: no known reason
  }
  RaiseLastError();
}

HMENU BuildCompatMenu() {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, IdMenuCompatDPI, "&High DPI aware");
  AppendMenuA(menu, MF_STRING, IdMenuCompatAdmin, "&Run as Administrator");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IdMenuCompatEdit, "&Edit");
  AppendMenuA(menu, MF_STRING, IdMenuCompatDelete, "&Delete (reset to default)");
  return menu;
}

HMENU BuildTrayMenu() {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, IdMenuTrayShow, "&Show");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IdMenuTrayExit, "&Exit");
  SetMenuDefaultItem(menu, IdMenuTrayShow, FALSE);
  return menu;
}

// The notification-area callback arrives at pcbIcon16 and is handed to the main window.
LRESULT CALLBACK IconHostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_MOUSEMOVE)
    return SendMessageA(GetParent(hwnd), WM_APP, 0, lParam);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterClasses(HINSTANCE instance, WNDPROC mainProc) {
  WNDCLASSEXA main{};
  main.cbSize = sizeof main;
  main.lpfnWndProc = mainProc;
  main.hInstance = instance;
  main.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kMainIconId));
  main.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  main.lpszClassName = kWindowClass;
  WNDCLASSEXA host{};
  host.cbSize = sizeof host;
  host.lpfnWndProc = IconHostProc;
  host.hInstance = instance;
  host.lpszClassName = kIconHostClass;
  WNDCLASSEXA existing{};
  if (!GetClassInfoExA(instance, kWindowClass, &existing) && !RegisterClassExA(&main)) return false;
  if (!GetClassInfoExA(instance, kIconHostClass, &existing) && !RegisterClassExA(&host)) return false;
  return true;
}
}  // namespace

int ScreenDpi() {
  ScreenDcOwner screen(GetDC(nullptr));
  int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  return dpi > 0 ? dpi : 96;
}

struct MainWindow::Parts {
  WindowOwner toolTips;
  HWND lblPrograms = nullptr, pcbIcon16 = nullptr, lblCompat = nullptr;
  HWND lblInstructions = nullptr, lblDPI = nullptr, chkMonitor = nullptr;
  std::unique_ptr<Win32ImageList> imlIcons;
  std::unique_ptr<Win32ListView> lvwPrograms, lvwCompat;
  std::unique_ptr<Win32StatusBar> SBar;
  std::unique_ptr<Win32ProgressBar> PBar;
  std::unique_ptr<Win32Timer> tmrLoad, tmrGetIcons, tmrMonitor;
  std::unique_ptr<Win32CheckBox> chkMonitorBox;
  std::unique_ptr<Win32Label> instructions, dpiLine;
  PopupMenuOwner compatMenu, trayMenu;
  std::unique_ptr<Win32MenuItem> mnuCompatDPI, mnuCompatAdmin;
  std::unique_ptr<FileDropRegistration> programsDrop, compatDrop;
};

MainWindow::MainWindow(HINSTANCE instance, int dpi) : instance_(instance), dpi_(dpi) {}

MainWindow::~MainWindow() {
  // An icon in the notification area must not outlive the window that owns it.
  if (parts_) modTrayIcon::RemoveTrayIcon(IconOwnerHandle());
  form_.reset();
  parts_.reset();
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

std::unique_ptr<MainWindow> MainWindow::Create(HINSTANCE instance, int dpi) {
  std::unique_ptr<MainWindow> window(new MainWindow(instance, dpi));
  if (!window->Build()) return nullptr;
  return window;
}

bool MainWindow::Build() {
  InitListControls();
  if (!RegisterClasses(instance_, &MainWindow::WndProc) || !CreateFrame()) {
    RaiseLastError();
    return false;
  }
  LoadIconAndFont();
  auto p = std::make_unique<Parts>();
  CreateControls(*p);
  if (!AllControlsCreated(*p)) return false;
  SetUpControls(*p);
  CreateTimersAndMenus(*p);
  parts_ = std::move(p);
  ConnectForm();
  OnSize();
  SetFocus(parts_->lvwPrograms->Window());
  return true;
}

bool MainWindow::CreateFrame() {
  const double tpp = TwipsPerPixel(dpi_);
  RECT frame{0, 0, TwipsToPixels(kClientArea.width, tpp), TwipsToPixels(kClientArea.height, tpp)};
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  hwnd_ = CreateWindowExA(0, kWindowClass, AppText::ProductName, style, CW_USEDEFAULT,
                          CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                          nullptr, nullptr, instance_, this);
  return hwnd_ != nullptr;
}

void MainWindow::LoadIconAndFont() {
  icon_.Reset(reinterpret_cast<HICON>(
      LoadImageA(instance_, MAKEINTRESOURCEA(kMainIconId), IMAGE_ICON, 32, 32, 0)));
  // Tahoma 8.4 points, regular, character set 0, for every control.
  font_.Reset(CreateFontA(-static_cast<int>(std::lround(8.4 * dpi_ / 72.0)), 0, 0, 0, FW_NORMAL,
                          0, 0, 0, ANSI_CHARSET, 0, 0, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma"));
}

PixelRect MainWindow::Place(ControlId id) const {
  const double tpp = TwipsPerPixel(dpi_);
  for (const ControlLayout& c : kControlLayout)
    if (c.id == id) return ToPixels(c.twips, tpp, tpp);
  return PixelRect{};
}

void MainWindow::CreateControls(Parts& p) const {
  p.toolTips.Reset(CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   hwnd_, nullptr, instance_, nullptr));
  // Creation order is the tab order: lvwPrograms, lvwCompat, chkMonitor.
  // One-line labels do not wrap: a wider fallback font clips them instead of hiding a line.
  p.lblPrograms = CreateChild(hwnd_, "STATIC", "All detected programs:",
                              WS_VISIBLE | SS_LEFTNOWORDWRAP, Place(ControlId::lblPrograms));
  p.imlIcons = std::make_unique<Win32ImageList>(dpi_);
  p.lvwPrograms = std::make_unique<Win32ListView>(hwnd_, IdListPrograms,
                                                  Place(ControlId::lvwPrograms), *p.imlIcons);
  p.pcbIcon16 = CreateChild(hwnd_, kIconHostClass, "", 0, Place(ControlId::pcbIcon16));
  p.lblCompat = CreateChild(hwnd_, "STATIC", "Windows compatibility list:",
                            WS_VISIBLE | SS_LEFTNOWORDWRAP, Place(ControlId::lblCompat));
  p.lvwCompat = std::make_unique<Win32ListView>(hwnd_, IdListCompat, Place(ControlId::lvwCompat),
                                                *p.imlIcons);
  p.lblInstructions = CreateChild(hwnd_, "STATIC", "", WS_VISIBLE,
                                  Place(ControlId::lblInstructions));
  p.lblDPI = CreateChild(hwnd_, "STATIC", "", WS_VISIBLE | SS_NOTIFY | SS_LEFTNOWORDWRAP,
                         Place(ControlId::lblDPI));
  p.chkMonitor = CreateChild(hwnd_, "BUTTON", AppText::MonitorCaption,
                             WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE,
                             Place(ControlId::chkMonitor), IdCheckMonitor);
  p.SBar = std::make_unique<Win32StatusBar>(
      hwnd_, IdStatusBar, TwipsToPixels(kStatusPanel1MinTwips, TwipsPerPixel(dpi_)));
  p.PBar = std::make_unique<Win32ProgressBar>(hwnd_, IdProgressBar);
}

// The first control that is missing raises the system's reason for it.
bool MainWindow::AllControlsCreated(const Parts& p) const {
  const std::pair<bool, const char*> created[] = {
      {p.lblPrograms != nullptr, "STATIC"},       {p.lvwPrograms->Handle() != 0, WC_LISTVIEWA},
      {p.lvwCompat->Handle() != 0, WC_LISTVIEWA}, {p.chkMonitor != nullptr, "BUTTON"},
      {p.SBar->Window() != nullptr, STATUSCLASSNAMEA}, {p.PBar->Window() != nullptr, PROGRESS_CLASSA}};
  for (const auto& [made, className] : created) {
    if (made) continue;
    RaiseCreateError(hwnd_, className);
    return false;
  }
  return true;
}

void MainWindow::SetUpControls(Parts& p) const {
  for (HWND child : {p.lblPrograms, p.pcbIcon16, p.lblCompat, p.lblInstructions, p.lblDPI,
                     p.chkMonitor, p.lvwPrograms->Window(), p.lvwCompat->Window(), p.SBar->Window()})
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);

  const double tpp = TwipsPerPixel(dpi_);
  for (const ColumnLayout& column : kProgramsColumns)
    p.lvwPrograms->AddColumn(std::string(column.header), TwipsToPixels(column.widthTwips, tpp),
                             column.alignment);
  for (const ColumnLayout& column : kCompatColumns)
    p.lvwCompat->AddColumn(std::string(column.header), TwipsToPixels(column.widthTwips, tpp),
                           column.alignment);
  p.SBar->SetPanel2Width(TwipsToPixels(kStatusPanel2Twips, tpp));
  p.SBar->SetPanel1Text("Loading...");
  p.PBar->SetMax(100);
}

void MainWindow::CreateTimersAndMenus(Parts& p) const {
  p.tmrLoad = std::make_unique<Win32Timer>(hwnd_, IdTimerLoad, TimerInterval::LoadAtStart);
  p.tmrGetIcons = std::make_unique<Win32Timer>(hwnd_, IdTimerGetIcons, TimerInterval::GetIcons);
  p.tmrMonitor = std::make_unique<Win32Timer>(hwnd_, IdTimerMonitor, TimerInterval::Monitor);
  p.chkMonitorBox = std::make_unique<Win32CheckBox>(p.chkMonitor);
  p.instructions = std::make_unique<Win32Label>(p.lblInstructions, p.toolTips.Get());
  p.dpiLine = std::make_unique<Win32Label>(p.lblDPI, p.toolTips.Get());
  p.compatMenu.Reset(BuildCompatMenu());
  p.trayMenu.Reset(BuildTrayMenu());
  p.mnuCompatDPI = std::make_unique<Win32MenuItem>(p.compatMenu.Get(), IdMenuCompatDPI);
  p.mnuCompatAdmin = std::make_unique<Win32MenuItem>(p.compatMenu.Get(), IdMenuCompatAdmin);
}

// The form's handlers over the controls; dropped file lists go to its drop handlers.
void MainWindow::ConnectForm() {
  Parts& p = *parts_;
  form_ = std::make_unique<frmSharpwell>(FormParts{
      *p.lvwPrograms, *p.lvwCompat, *p.imlIcons, *p.SBar, *p.PBar, *p.tmrLoad, *p.tmrGetIcons,
      *p.tmrMonitor, *p.chkMonitorBox, *p.instructions, *p.dpiLine, *p.mnuCompatDPI,
      *p.mnuCompatAdmin, *this});
  p.programsDrop = std::make_unique<FileDropRegistration>(
      p.lvwPrograms->Window(),
      [this](const std::vector<std::string>& files) { form_->lvwPrograms_OLEDragDrop(files); });
  p.compatDrop = std::make_unique<FileDropRegistration>(
      p.lvwCompat->Window(),
      [this](const std::vector<std::string>& files) { form_->lvwCompat_OLEDragDrop(files); });
}

void MainWindow::BeginProgramsDrag() {
  std::uint32_t effects = 0;
  std::vector<std::string> files = form_->lvwPrograms_OLEStartDrag(effects);
  ComPtr<IDataObject> data = MakeFileListData(files);
  DragFileList(data.Get(), effects);
}

IDropTarget* MainWindow::DropTarget(ControlId list) const {
  const auto& registration = list == ControlId::lvwPrograms ? parts_->programsDrop : parts_->compatDrop;
  return registration ? registration->Target() : nullptr;
}

HWND MainWindow::Control(ControlId id) const {
  const Parts& p = *parts_;
  switch (id) {
    case ControlId::lblPrograms: return p.lblPrograms;
    case ControlId::lvwPrograms: return reinterpret_cast<HWND>(p.lvwPrograms->Handle());
    case ControlId::pcbIcon16: return p.pcbIcon16;
    case ControlId::lblCompat: return p.lblCompat;
    case ControlId::lvwCompat: return reinterpret_cast<HWND>(p.lvwCompat->Handle());
    case ControlId::lblInstructions: return p.lblInstructions;
    case ControlId::lblDPI: return p.lblDPI;
    case ControlId::chkMonitor: return p.chkMonitor;
    case ControlId::SBar: return p.SBar->Window();
  }
  return nullptr;
}

HMENU MainWindow::Menu(PopupMenu menu) const {
  return menu == PopupMenu::Compat ? parts_->compatMenu.Get() : parts_->trayMenu.Get();
}

bool MainWindow::Visible() const { return IsWindowVisible(hwnd_) != FALSE; }
void MainWindow::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  // The window opens with the focus on the catalogue.
  HWND focus = GetFocus();
  if (focus != hwnd_ && !IsChild(hwnd_, focus)) SetFocus(parts_->lvwPrograms->Window());
}
void MainWindow::Hide() { ShowWindow(hwnd_, SW_HIDE); }
void MainWindow::Restore() {
  if (IsIconic(hwnd_) || IsZoomed(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
}
void MainWindow::Activate() { SetForegroundWindow(hwnd_); }

std::uintptr_t MainWindow::IconOwnerHandle() const {
  return reinterpret_cast<std::uintptr_t>(parts_ ? parts_->pcbIcon16 : nullptr);
}

double MainWindow::TwipsPerPixelY() const { return TwipsPerPixel(dpi_); }

void MainWindow::ShowPopupMenu(PopupMenu menu) {
  POINT at{};
  GetCursorPos(&at);
  // The owner must be in front for the menu to close when the user clicks elsewhere.
  SetForegroundWindow(hwnd_);
  TrackPopupMenu(Menu(menu), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
  PostMessageA(hwnd_, WM_NULL, 0, 0);
}

void MainWindow::MsgBox(const std::string& text, std::uint32_t style) {
  MessageBoxA(hwnd_, text.c_str(), modSharpwell::AppProductName.c_str(), MB_OK | style);
}

std::string MainWindow::InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& proposed) {
  return ShowInputBox(hwnd_, font_.Get(), dpi_, prompt, title, proposed);
}

void MainWindow::DoEvents() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void MainWindow::EndProcess() {
  if (endProcessHook_) {
    endProcessHook_();
    return;
  }
  ExitProcess(0);
}

void MainWindow::OnSize() {
  if (!parts_) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  parts_->SBar->FitToParent(client.right, client.bottom);
  PixelRect bar = ProgressBarPlacement(parts_->SBar->Panel2Left(), parts_->SBar->Panel2Width(),
                                       parts_->SBar->Top(), parts_->SBar->Height());
  parts_->PBar->Place(bar);
}

void MainWindow::OnTimer(UINT_PTR id) {
  for (Win32Timer* timer : {parts_->tmrLoad.get(), parts_->tmrGetIcons.get(), parts_->tmrMonitor.get()})
    if (timer->Id() == id && !timer->TickIsDue()) return;
  switch (id) {
    case IdTimerLoad: form_->tmrLoad_Timer(); break;
    case IdTimerGetIcons: form_->tmrGetIcons_Timer(); break;
    case IdTimerMonitor: form_->tmrMonitor_Timer(); break;
    default: break;
  }
}

namespace {
// The shift state of a key event: 1 Shift, 2 Ctrl, 4 Alt, added up.
int ShiftState() {
  return ((GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0) | ((GetKeyState(VK_CONTROL) & 0x8000) ? 2 : 0) |
         ((GetKeyState(VK_MENU) & 0x8000) ? 4 : 0);
}
}  // namespace

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  const bool programs = header.idFrom == IdListPrograms, compat = header.idFrom == IdListCompat;
  if (!programs && !compat) return 0;
  switch (header.code) {
    case LVN_KEYDOWN: {
      int key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
      if (programs)
        form_->lvwPrograms_KeyDown(key, ShiftState());
      else
        form_->lvwCompat_KeyDown(key, ShiftState());
      break;
    }
    case NM_RCLICK:
      if (compat) form_->lvwCompat_MouseUp(keys::RightButton);
      break;
    case LVN_COLUMNCLICK:
      if (programs) form_->lvwPrograms_ColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem + 1);
      break;
    case LVN_BEGINDRAG:
      if (programs) BeginProgramsDrag();
      break;
    default: break;
  }
  return 0;
}

void MainWindow::OnCommand(UINT id, UINT code) {
  switch (id) {
    case IdCheckMonitor:
      if (code == BN_CLICKED) parts_->chkMonitorBox->Clicked();
      break;
    case IdMenuCompatDPI: form_->mnuCompatDPI_Click(); break;
    case IdMenuCompatAdmin: form_->mnuCompatAdmin_Click(); break;
    case IdMenuCompatEdit: form_->mnuCompatEdit_Click(); break;
    case IdMenuCompatDelete: form_->mnuCompatDelete_Click(); break;
    case IdMenuTrayShow: form_->mnuTrayShow_Click(); break;
    case IdMenuTrayExit: form_->mnuTrayExit_Click(); break;
    default: break;
  }
}

LRESULT MainWindow::OnColourStatic(HDC dc, HWND control) {
  SetBkMode(dc, TRANSPARENT);
  if (parts_ && control == parts_->lblDPI) {
    Colour c = parts_->dpiLine->ForeColour();
    SetTextColor(dc, RGB(c.red, c.green, c.blue));
  }
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CALLBACK MainWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self || !self->form_) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: OnSize(); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
      return OnColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_APP: form_->pcbIcon16_MouseMove(LOWORD(lParam)); return 0;
    case WM_SYSCOMMAND:
      // The title bar's close button, the system menu and Alt+F4.
      if ((wParam & 0xFFF0) != SC_CLOSE) return DefWindowProcA(hwnd_, message, wParam, lParam);
      form_->Form_QueryUnload(frmSharpwell::UnloadFromTitleBar);
      return 0;
    case WM_CLOSE:  // from another program: taskkill, the Task Manager, an installer
      form_->Form_QueryUnload(frmSharpwell::UnloadByTaskManager);
      return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
      if (wParam) form_->Form_QueryUnload(frmSharpwell::UnloadByWindows);
      return 0;
    default: return DefWindowProcA(hwnd_, message, wParam, lParam);
  }
}
