#include "ListControlContract.h"

#include "platform/CurrentError.h"
#include "shell/clsListView.h"

void ListControlContract::SetUp() {
  set_ = GetParam()();
  icons_ = &set_->Icons();
  list_ = &set_->List();
  CurrentError::Clear();
}

void ListControlContract::AddRows(std::initializer_list<const char*> texts, int columns) {
  const int widths[] = {200, 43, 17, 400};
  for (int column = 0; column < columns; ++column)
    ASSERT_TRUE(list_->AddColumn("C" + std::to_string(column), widths[column],
                                 column == 1 ? ColumnAlignment::Centre : ColumnAlignment::Left));
  for (const char* text : texts)
    ASSERT_TRUE(list_->AddRow("k" + std::to_string(list_->Count() + 1), text, "none"));
}

std::vector<std::string> ListControlContract::Texts() {
  std::vector<std::string> texts;
  for (int position = 1; position <= list_->Count(); ++position)
    texts.push_back(list_->Text(position).value_or("<failed>"));
  return texts;
}

Picture ListControlContract::Solid(std::uint32_t rgb, int scale) {
  Picture picture{icons_->ImageWidth() * scale, icons_->ImageHeight() * scale, {}};
  picture.pixels.assign(static_cast<std::size_t>(picture.width * picture.height),
                        0xFF000000u | rgb);
  return picture;
}

using Strings = std::vector<std::string>;

TEST_P(ListControlContract, KeysAreUniqueExactAndPositionsCountFromOne) {
  AddRows({"one.exe", "two.exe"}, 2);  // the compatibility list's two columns
  EXPECT_FALSE(list_->AddRow("k1", "other.exe", "icon").has_value());
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::KeyNotUnique);
  EXPECT_EQ(list_->AddRow("K1", "upper", "icon"), 3);
  EXPECT_FALSE(list_->FindRow("k4").has_value());
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::KeyNotFound);
  EXPECT_FALSE(list_->Text(0).has_value());
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::SubscriptOutOfRange);

  // Sub-items are the columns after the first: 0 is the row text; 2 needs a third column.
  ASSERT_TRUE(list_->SetSubItem(1, 1, "HIGHDPIAWARE"));
  ASSERT_TRUE(list_->SetText(2, "calculator"));
  EXPECT_EQ(list_->SubItem(1, 1), "HIGHDPIAWARE");
  EXPECT_EQ(list_->SubItem(2, 1), "");
  EXPECT_EQ(Texts(), (Strings{"one.exe", "calculator", "upper"}));
  EXPECT_FALSE(list_->SetSubItem(1, 0, "x"));
  EXPECT_FALSE(list_->SetSubItem(1, 2, "x"));
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::InvalidProperty);
  ASSERT_EQ(list_->Columns().size(), 2u);
  EXPECT_EQ(list_->Columns()[1].width, 43);
  EXPECT_EQ(list_->Columns()[1].alignment, ColumnAlignment::Centre);
}

TEST_P(ListControlContract, SmallIconsNameWholeScaledImagesOfTheBoundListByUniqueKeys) {
  Picture first = Solid(0x112233);
  first.pixels[1] = 0xFFAABBCCu;
  ASSERT_TRUE(icons_->Add("default", first));
  EXPECT_FALSE(icons_->Add("default", Solid(0x778899)));
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::KeyNotUnique);
  EXPECT_EQ(icons_->Image("default").value_or(Picture{}).pixels, first.pixels);
  AddRows({"a.exe"});
  ASSERT_TRUE(list_->SetSmallIcon(1, "default"));
  // A key the image list does not hold is refused and the icon stays.
  EXPECT_FALSE(list_->SetSmallIcon(1, "c:\\p\\a.exe"));
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::KeyNotFound);
  EXPECT_EQ(list_->SmallIcon(1), "default");
  // A row added under an icon key not held yet keeps that key.
  EXPECT_EQ(list_->SmallIcon(list_->AddRow("k2", "b.exe", "not yet").value_or(1)), "not yet");

  // Images must be whole, and are scaled to the list's size.
  Picture broken{4, 4, std::vector<std::uint32_t>(15, 0xFF000000u)};  // one pixel short
  EXPECT_FALSE(icons_->Add("broken", broken));
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::InvalidProperty);

  ASSERT_TRUE(icons_->Add("big", Solid(0x00FF00, 2)));
  EXPECT_EQ(icons_->Image("big").value_or(Picture{}).pixels, Solid(0x00FF00).pixels);
}

TEST_P(ListControlContract, TheSelectedRowIsTheCurrentOneWhenSelectedElseTheFirst) {
  AddRows({"a", "b", "c", "d"});
  EXPECT_FALSE(list_->DeselectSelectedRow());
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::NoCurrentObject);
  ASSERT_TRUE(list_->SetSelected(2, true));
  ASSERT_TRUE(list_->SetSelected(4, true));
  EXPECT_EQ(list_->SelectedRow(), 2);
  ASSERT_TRUE(list_->SetCurrentRow(4));
  EXPECT_EQ(list_->SelectedRow(), 4);
  ASSERT_TRUE(list_->SetCurrentRow(1));  // focus alone selects nothing
  EXPECT_EQ(list_->SelectedRow(), 2);

  // Making a row the selected row leaves it the only one, and the current one.
  ASSERT_TRUE(list_->SetSelectedRow(3));
  EXPECT_TRUE(list_->EnsureVisible(3));
  EXPECT_EQ(list_->CurrentRow(), 3);
  EXPECT_TRUE(list_->DeselectSelectedRow());
  EXPECT_FALSE(list_->SelectedRow().has_value()) << "no other row stayed selected";
}

TEST_P(ListControlContract, RemovingMovesLaterRowsUpAndSortOnceOrdersByOneColumnStably) {
  AddRows({"delta", "gone", "Alpha", "charlie", "bravo"});
  ASSERT_TRUE(list_->RemoveRow(2));
  EXPECT_EQ(list_->FindRow("k5"), 4);
  ASSERT_TRUE(list_->SetSubItem(2, 3, "x86"));
  ASSERT_TRUE(list_->SortOnce(0));
  EXPECT_EQ(Texts(), (Strings{"Alpha", "bravo", "charlie", "delta"}));
  // By the last column: equal texts keep the order they had, and rows move whole.
  ASSERT_TRUE(list_->SortOnce(3));
  EXPECT_EQ(Texts(), (Strings{"bravo", "charlie", "delta", "Alpha"}));
  EXPECT_EQ(list_->AddRow("k2", "aardvark", "none"), 5);  // a freed key; new rows go to the end
  EXPECT_FALSE(list_->SortOnce(4));
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::InvalidProperty);
  list_->Clear();
  EXPECT_EQ(list_->AddRow("k1", "fresh", "none"), 1);
}

TEST_P(ListControlContract, StatusBarPanelTwoSitsAtTheRightEdgeAndProgressStaysInRange) {
  StatusBar& status = set_->Status();
  status.SetPanel1Text("Loading...");
  EXPECT_EQ(status.Panel1Text(), "Loading...");
  set_->ResizeParent(760, 500);
  status.SetPanel2Width(333);
  // Real bars draw borders between panels: allow a few pixels.
  EXPECT_NEAR(status.Panel2Left(), 760 - 333, 4);
  EXPECT_NEAR(status.Top() + status.Height(), 500, 1);
  set_->ResizeParent(300, 400);  // panel 1 keeps its minimum width
  EXPECT_GE(status.Panel2Left(), 96);
  EXPECT_NEAR(status.Panel2Left() + status.Panel2Width(), 300, 4);

  // The progress bar refuses values beyond its range.
  ProgressBar& bar = set_->Progress();
  ASSERT_TRUE(bar.SetMax(100));
  ASSERT_TRUE(bar.SetValue(100));
  EXPECT_FALSE(bar.SetValue(101));
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::InvalidProperty);
  EXPECT_FALSE(bar.SetValue(-1));
  EXPECT_FALSE(bar.SetMax(0));
  EXPECT_TRUE(bar.SetMax(39));  // below the value shown: the value comes down to it
  EXPECT_EQ(bar.Value(), 39);
  EXPECT_TRUE(bar.SetValue(0));
  bar.Place({427, 481, 333, 15});
  EXPECT_EQ(bar.Placement(), (PixelRect{427, 481, 333, 15}));
}

TEST_P(ListControlContract, FullRowSelectChangesOnlyItsOwnStyleBit) {
  constexpr std::uint32_t kGridLines = 0x1, kBoth = clsListView::kExFullRowSelect | kGridLines;
  list_->SetExtendedStyle(kGridLines, kGridLines);
  clsListView view;
  view.BindTo(*list_);
  view.FullRowSelect(true);
  EXPECT_EQ(list_->ExtendedStyle() & kBoth, kBoth);
  view.FullRowSelect(false);
  EXPECT_EQ(list_->ExtendedStyle() & kBoth, kGridLines);
}
