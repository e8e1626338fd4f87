// The in-memory controls against the shared list-control contract.
#include "ListControlContract.h"

#include "platform/memory/MemoryControls.h"

namespace {

class MemoryControlSet final : public ControlSet {
 public:
  MemoryControlSet() : list_(icons_) {}
  ImageList& Icons() override { return icons_; }
  ListView& List() override { return list_; }
  StatusBar& Status() override { return status_; }
  ProgressBar& Progress() override { return progress_; }
  void ResizeParent(int clientWidth, int clientHeight) override {
    status_.FitToParent(clientWidth, clientHeight);
  }

 private:
  MemoryImageList icons_;
  MemoryListView list_;
  MemoryStatusBar status_;
  MemoryProgressBar progress_;
};

std::unique_ptr<ControlSet> MakeMemoryControls() { return std::make_unique<MemoryControlSet>(); }

}  // namespace

INSTANTIATE_TEST_SUITE_P(MemoryControls, ListControlContract,
                         ::testing::Values(&MakeMemoryControls));
