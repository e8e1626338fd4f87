// The real common controls against the shared list-control contract, inside a hidden
// top-level window that each test creates and destroys.
#include "../common/ListControlContract.h"

#include "shell/window/Win32Controls.h"

namespace {

constexpr char kHostClass[] = "SharpwellControlsTestHost";

HWND MakeHostWindow() {
  static const bool registered = [] {
    InitListControls();
    WNDCLASSA host{};
    host.lpfnWndProc = DefWindowProcA;
    host.hInstance = GetModuleHandleA(nullptr);
    host.lpszClassName = kHostClass;
    return RegisterClassA(&host) != 0;
  }();
  if (!registered) return nullptr;
  return CreateWindowExA(0, kHostClass, "Sharpwell controls test", WS_POPUP, 0, 0,
                         800, 600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void DestroyHost(HWND window) { DestroyWindow(window); }

class Win32ControlSet final : public ControlSet {
 public:
  Win32ControlSet()
      : host_(MakeHostWindow()),
        list_(host_.Get(), 101, PixelRect{0, 26, 761, 231}, icons_),
        status_(host_.Get(), 102, 96),  // panel 1 keeps 1440 twips at 96 DPI
        progress_(host_.Get(), 103) {}
  ImageList& Icons() override { return icons_; }
  ListView& List() override { return list_; }
  StatusBar& Status() override { return status_; }
  ProgressBar& Progress() override { return progress_; }
  void ResizeParent(int clientWidth, int clientHeight) override {
    // A pop-up host has no frame: its window size is its client size.
    SetWindowPos(host_.Get(), nullptr, 0, 0, clientWidth, clientHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    status_.FitToParent(clientWidth, clientHeight);
  }

 private:
  // Destroyed last, after the controls in it.
  platform::UniqueHandle<platform::ClosedBy<HWND, &DestroyHost>> host_;
  Win32ImageList icons_;
  Win32ListView list_;
  Win32StatusBar status_;
  Win32ProgressBar progress_;
};

std::unique_ptr<ControlSet> MakeWin32Controls() { return std::make_unique<Win32ControlSet>(); }

}  // namespace

INSTANTIATE_TEST_SUITE_P(Win32Controls, ListControlContract, ::testing::Values(&MakeWin32Controls));

// What only the real controls have: a window handle, and row keys that stay with their
// rows when the control itself reorders them.
TEST(Win32ControlsTest, ListIsAReportViewWithSeveralSelectableRows) {
  Win32ControlSet set;
  const auto window = reinterpret_cast<HWND>(set.List().Handle());
  ASSERT_TRUE(IsWindow(window));
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_EQ(style & LVS_SINGLESEL, 0);
  EXPECT_NE(style & LVS_SHOWSELALWAYS, 0);
}

TEST(Win32ControlsTest, ImageListFollowsTheScreenResolution) {
  EXPECT_EQ(Win32ImageList(96).ImageWidth(), 16);
  EXPECT_EQ(Win32ImageList(144).ImageWidth(), 24);
  Win32ImageList large(144);
  int width = 0, height = 0;
  ASSERT_TRUE(ImageList_GetIconSize(large.Handle(), &width, &height));
  EXPECT_EQ(width, 24);
  EXPECT_EQ(height, 24);
}
