#pragma once
// The list-control contract, written once and run against every implementation: each
// test file that has an implementation instantiates ListControlContract with a factory
// that makes one fresh set of controls.
#include <gtest/gtest.h>

#include <memory>

#include "platform/ListControls.h"

// One list view bound to one image list, a status bar and a progress bar, alive together
// (the real ones inside a host window that the set owns).
class ControlSet {
 public:
  virtual ~ControlSet() = default;
  virtual ImageList& Icons() = 0;
  virtual ListView& List() = 0;
  virtual StatusBar& Status() = 0;
  virtual ProgressBar& Progress() = 0;
  // Gives the parent a client area of this size and runs what its resize handler does
  // for the status bar.
  virtual void ResizeParent(int clientWidth, int clientHeight) = 0;
};

using ControlSetFactory = std::unique_ptr<ControlSet> (*)();

class ListControlContract : public ::testing::TestWithParam<ControlSetFactory> {
 protected:
  void SetUp() override;

  // Adds the four catalogue columns (text, three sub-items).
  void AddFourColumns();
  // Appends rows keyed "k1".."kN" with texts given, no icon in the image list.
  void AddRows(std::initializer_list<const char*> texts);
  // The row texts from first to last.
  std::vector<std::string> Texts();
  // A picture of the image list's size, every pixel the given opaque colour.
  Picture Solid(std::uint32_t rgb);

  std::unique_ptr<ControlSet> set_;
  ImageList* icons_ = nullptr;
  ListView* list_ = nullptr;
};
