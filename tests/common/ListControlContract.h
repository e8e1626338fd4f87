#pragma once
// The list-control contract, written once and instantiated per implementation of the controls.
#include <gtest/gtest.h>

#include <memory>

#include "platform/ListControls.h"

// One list view bound to one image list, a status bar and a progress bar, alive together.
class ControlSet {
 public:
  virtual ~ControlSet() = default;
  virtual ImageList& Icons() = 0;
  virtual ListView& List() = 0;
  virtual StatusBar& Status() = 0;
  virtual ProgressBar& Progress() = 0;
  // Gives the parent this client area and fits the status bar to it.
  virtual void ResizeParent(int clientWidth, int clientHeight) = 0;
};

using ControlSetFactory = std::unique_ptr<ControlSet> (*)();

class ListControlContract : public ::testing::TestWithParam<ControlSetFactory> {
 protected:
  void SetUp() override;
  // Adds `columns` columns, then rows keyed "k1".."kN" with the texts given.
  void AddRows(std::initializer_list<const char*> texts, int columns = 4);
  std::vector<std::string> Texts();
  // A picture of `scale` times the image list's size in one opaque colour.
  Picture Solid(std::uint32_t rgb, int scale = 1);

  std::unique_ptr<ControlSet> set_;
  ImageList* icons_ = nullptr;
  ListView* list_ = nullptr;
};
