// The real common controls against the list-control contract, inside a hidden pop-up
// window that each test creates and destroys.
#include "../common/ListControlContract.h"

#include "shell/window/Win32Controls.h"

namespace {

HWND MakeHostWindow() {
  static const bool initialised = InitListControls();
  return initialised ? CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr)
                     : nullptr;
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
  platform::UniqueHandle<platform::ClosedBy<HWND, &DestroyHost>> host_;  // destroyed last
  Win32ImageList icons_;
  Win32ListView list_;
  Win32StatusBar status_;
  Win32ProgressBar progress_;
};

std::unique_ptr<ControlSet> MakeWin32Controls() { return std::make_unique<Win32ControlSet>(); }

}  // namespace

INSTANTIATE_TEST_SUITE_P(Win32Controls, ListControlContract, ::testing::Values(&MakeWin32Controls));

TEST(Win32ControlsTest, ImagesFollowTheScreenResolution) {
  int width = 0, height = 0;
  ASSERT_TRUE(ImageList_GetIconSize(Win32ImageList(144).Handle(), &width, &height));
  EXPECT_EQ(std::pair(width, height), std::pair(24, 24));
}
