// The behaviour every implementation of the list controls shares: unique keys,
// positions from 1, failing adds and lookups with their error numbers, sub-items by
// column, small icons by image-list key, selection, removal, one-time sorting and the
// refusals of the progress bar; and the extended styles clsListView sets.
#include "ListControlContract.h"

#include "platform/CurrentError.h"
#include "shell/clsListView.h"

void ListControlContract::SetUp() {
  set_ = GetParam()();
  icons_ = &set_->Icons();
  list_ = &set_->List();
  CurrentError::Clear();
}

void ListControlContract::AddFourColumns() {
  ASSERT_TRUE(list_->AddColumn("Name", 200, ColumnAlignment::Left));
  ASSERT_TRUE(list_->AddColumn("DPI aware", 43, ColumnAlignment::Centre));
  ASSERT_TRUE(list_->AddColumn("Bits", 17, ColumnAlignment::Left));
  ASSERT_TRUE(list_->AddColumn("Path", 400, ColumnAlignment::Left));
}

void ListControlContract::AddRows(std::initializer_list<const char*> texts) {
  for (const char* text : texts) {
    const std::string key = "k" + std::to_string(list_->Count() + 1);
    ASSERT_TRUE(list_->AddRow(key, text, "no such icon").has_value()) << key;
  }
}

std::vector<std::string> ListControlContract::Texts() {
  std::vector<std::string> texts;
  for (int position = 1; position <= list_->Count(); ++position)
    texts.push_back(list_->Text(position).value_or("<failed>"));
  return texts;
}

Picture ListControlContract::Solid(std::uint32_t rgb) {
  Picture picture;
  picture.width = icons_->ImageWidth();
  picture.height = icons_->ImageHeight();
  picture.pixels.assign(static_cast<std::size_t>(picture.width * picture.height),
                        0xFF000000u | rgb);
  return picture;
}

namespace {
using Strings = std::vector<std::string>;
}

TEST_P(ListControlContract, RowsAreAppendedWithUniqueKeysAndCountedFromOne) {
  AddFourColumns();
  EXPECT_EQ(list_->AddRow("c:\\a\\one.exe", "one.exe", "icon"), 1);
  EXPECT_EQ(list_->AddRow("c:\\a\\two.exe", "two.exe", "icon"), 2);
  ASSERT_EQ(CurrentError::Number(), 0);

  // A second row under a present key is refused and adds nothing.
  EXPECT_FALSE(list_->AddRow("c:\\a\\one.exe", "other.exe", "icon").has_value());
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::KeyNotUnique);
  EXPECT_EQ(list_->Count(), 2);
  EXPECT_EQ(list_->Text(1), "one.exe");

  // Keys are compared exactly: another letter case is another key.
  CurrentError::Clear();
  EXPECT_EQ(list_->AddRow("C:\\A\\ONE.EXE", "ONE.EXE", "icon"), 3);

  EXPECT_EQ(list_->FindRow("c:\\a\\two.exe"), 2);
  EXPECT_EQ(list_->Key(2), "c:\\a\\two.exe");
  EXPECT_EQ(list_->Key(3), "C:\\A\\ONE.EXE");
  EXPECT_EQ(CurrentError::Number(), 0);
}

TEST_P(ListControlContract, LookupsOfMissingRowsFailWithTheirErrorNumbers) {
  AddFourColumns();
  AddRows({"only"});

  EXPECT_FALSE(list_->FindRow("k2").has_value());
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::KeyNotFound);

  for (int position : {0, 2, -1}) {
    CurrentError::Clear();
    EXPECT_FALSE(list_->Text(position).has_value()) << position;
    EXPECT_EQ(CurrentError::Number(), ErrorNumber::SubscriptOutOfRange) << position;
  }
  CurrentError::Clear();
  EXPECT_FALSE(list_->SetSubItem(2, 1, "x"));
  EXPECT_FALSE(list_->RemoveRow(2));
  EXPECT_FALSE(list_->SetSelected(0, true));
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::SubscriptOutOfRange);
  EXPECT_EQ(list_->Count(), 1);
}

TEST_P(ListControlContract, SubItemsAreTheColumnsAfterTheFirst) {
  AddFourColumns();
  AddRows({"notepad.exe", "calc.exe"});
  ASSERT_TRUE(list_->SetSubItem(1, 1, "No"));
  ASSERT_TRUE(list_->SetSubItem(1, 2, "x64"));
  ASSERT_TRUE(list_->SetSubItem(1, 3, "c:\\windows\\notepad.exe"));
  ASSERT_TRUE(list_->SetText(2, "calculator"));

  EXPECT_EQ(list_->Text(1), "notepad.exe");
  EXPECT_EQ(list_->SubItem(1, 1), "No");
  EXPECT_EQ(list_->SubItem(1, 2), "x64");
  EXPECT_EQ(list_->SubItem(1, 3), "c:\\windows\\notepad.exe");
  // Untouched cells read as empty; writing one row leaves the other alone.
  EXPECT_EQ(list_->SubItem(2, 3), "");
  EXPECT_EQ(list_->Text(2), "calculator");
  EXPECT_EQ(CurrentError::Number(), 0);

  // Sub-item 0 is the row text, not a sub-item; 4 is past the last column.
  for (int subItem : {0, 4}) {
    CurrentError::Clear();
    EXPECT_FALSE(list_->SetSubItem(1, subItem, "x")) << subItem;
    EXPECT_EQ(CurrentError::Number(), ErrorNumber::InvalidProperty) << subItem;
  }
  EXPECT_EQ(list_->Text(1), "notepad.exe");
}

TEST_P(ListControlContract, SubItemsNeedTheirColumn) {
  // The compatibility list has two columns: only sub-item 1 exists.
  ASSERT_TRUE(list_->AddColumn("Name", 200, ColumnAlignment::Left));
  ASSERT_TRUE(list_->AddColumn("Flags", 200, ColumnAlignment::Left));
  AddRows({"tool.exe"});
  EXPECT_TRUE(list_->SetSubItem(1, 1, "HIGHDPIAWARE"));
  EXPECT_FALSE(list_->SetSubItem(1, 2, "x86"));
  EXPECT_FALSE(list_->SubItem(1, 2).has_value());
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::InvalidProperty);
}

TEST_P(ListControlContract, ColumnsReadBackAsAdded) {
  AddFourColumns();
  std::vector<std::string> seen;
  for (const ListColumn& c : list_->Columns())
    seen.push_back(c.header + "/" + std::to_string(c.width) + (c.alignment == ColumnAlignment::Centre ? "c" : ""));
  EXPECT_EQ(seen, (Strings{"Name/200", "DPI aware/43c", "Bits/17", "Path/400"}));
}

TEST_P(ListControlContract, SmallIconsNameImagesOfTheBoundImageList) {
  AddFourColumns();
  ASSERT_TRUE(icons_->Add("default", Solid(0x102030)));
  ASSERT_TRUE(list_->AddRow("c:\\p\\a.exe", "a.exe", "default").has_value());
  EXPECT_EQ(list_->SmallIcon(1), "default");

  // A key the image list does not hold is refused and the icon stays.
  EXPECT_FALSE(list_->SetSmallIcon(1, "c:\\p\\a.exe"));
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::KeyNotFound);
  EXPECT_EQ(list_->SmallIcon(1), "default");

  // Once the image is there, the same change takes effect.
  CurrentError::Clear();
  ASSERT_TRUE(icons_->Add("c:\\p\\a.exe", Solid(0x405060)));
  EXPECT_TRUE(list_->SetSmallIcon(1, "c:\\p\\a.exe"));
  EXPECT_EQ(list_->SmallIcon(1), "c:\\p\\a.exe");
  EXPECT_EQ(CurrentError::Number(), 0);

  // A row added under an icon key that is not held yet keeps that key.
  ASSERT_TRUE(list_->AddRow("c:\\p\\b.exe", "b.exe", "not yet").has_value());
  EXPECT_EQ(list_->SmallIcon(2), "not yet");
}

TEST_P(ListControlContract, ImageListKeysAreUniqueAndImagesKeepTheirPixels) {
  Picture first = Solid(0x112233);
  first.pixels[1] = 0xFFAABBCCu;  // one odd pixel in the top row, second column
  ASSERT_TRUE(icons_->Add("a", first));
  ASSERT_TRUE(icons_->Add("b", Solid(0x445566)));

  EXPECT_FALSE(icons_->Add("a", Solid(0x778899)));
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::KeyNotUnique);
  EXPECT_EQ(icons_->Count(), 2);
  // The refused picture stored nothing: the first image under "a" is still there.
  std::optional<Picture> stored = icons_->Image("a");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->pixels, first.pixels);
  EXPECT_EQ(icons_->Image("b")->pixels, Solid(0x445566).pixels);

  CurrentError::Clear();
  EXPECT_FALSE(icons_->Image("c").has_value());
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::KeyNotFound);

  icons_->Clear();
  EXPECT_EQ(icons_->Count(), 0);
  EXPECT_FALSE(icons_->Contains("a"));
  EXPECT_TRUE(icons_->Add("a", Solid(0x010203)));
}

TEST_P(ListControlContract, ImageListRefusesMalformedPicturesAndScalesOthers) {
  Picture broken;
  broken.width = 4;
  broken.height = 4;
  broken.pixels.assign(15, 0xFF000000u);  // one pixel short
  EXPECT_FALSE(icons_->Add("broken", broken));
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::InvalidProperty);
  EXPECT_FALSE(icons_->Contains("broken"));

  Picture big;
  big.width = icons_->ImageWidth() * 2;
  big.height = icons_->ImageHeight() * 2;
  big.pixels.assign(static_cast<std::size_t>(big.width * big.height), 0xFF00FF00u);
  ASSERT_TRUE(icons_->Add("big", big));
  const std::optional<Picture> stored = icons_->Image("big");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->width, icons_->ImageWidth());
  EXPECT_EQ(stored->pixels, Solid(0x00FF00).pixels);
}

TEST_P(ListControlContract, SeveralRowsCanBeSelectedAndTheCurrentRowIsPreferred) {
  AddFourColumns();
  AddRows({"a", "b", "c", "d"});
  EXPECT_FALSE(list_->SelectedRow().has_value());
  // Taking the selection from the selected row fails when there is none.
  EXPECT_FALSE(list_->DeselectSelectedRow());
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::NoCurrentObject);

  ASSERT_TRUE(list_->SetSelected(2, true));
  ASSERT_TRUE(list_->SetSelected(4, true));
  EXPECT_EQ(list_->Selected(3), false);
  EXPECT_EQ(list_->Selected(4), true);
  EXPECT_EQ(list_->SelectedRow(), 2);

  // The focused row, when selected, is the selected row; focus alone selects nothing.
  ASSERT_TRUE(list_->SetCurrentRow(4));
  EXPECT_EQ(list_->CurrentRow(), 4);
  EXPECT_EQ(list_->SelectedRow(), 4);
  ASSERT_TRUE(list_->SetCurrentRow(1));
  EXPECT_EQ(list_->Selected(1), false);
  EXPECT_EQ(list_->SelectedRow(), 2);
  EXPECT_TRUE(list_->DeselectSelectedRow());
  EXPECT_EQ(list_->Selected(2), false);
}

TEST_P(ListControlContract, MakingARowTheSelectedRowLeavesItTheOnlyOne) {
  AddFourColumns();
  AddRows({"a", "b", "c", "d"});
  ASSERT_TRUE(list_->SetSelected(1, true));
  ASSERT_TRUE(list_->SetSelected(2, true));

  // The foreground monitor's sequence: deselect, look up by key, select.
  ASSERT_TRUE(list_->DeselectSelectedRow());
  const std::optional<int> row = list_->FindRow("k3");
  ASSERT_TRUE(row.has_value());
  ASSERT_TRUE(list_->SetSelectedRow(*row));
  EXPECT_TRUE(list_->EnsureVisible(*row));
  EXPECT_EQ(list_->SelectedRow(), 3);
  EXPECT_EQ(list_->CurrentRow(), 3);
  for (int position : {1, 2, 4}) EXPECT_EQ(list_->Selected(position), false) << position;

  EXPECT_FALSE(list_->SetSelectedRow(5));
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::SubscriptOutOfRange);
  EXPECT_EQ(list_->SelectedRow(), 3);
}

TEST_P(ListControlContract, RemovingRowsMovesTheLaterOnesUp) {
  AddFourColumns();
  AddRows({"a", "b", "c", "d", "e"});
  ASSERT_TRUE(list_->SetSubItem(5, 1, "No"));
  ASSERT_TRUE(list_->SetSelected(4, true));

  // Deleting positions 2 and 4 of five, from the back as the delete command does.
  ASSERT_TRUE(list_->RemoveRow(4));
  ASSERT_TRUE(list_->RemoveRow(2));
  EXPECT_EQ(Texts(), (Strings{"a", "c", "e"}));
  EXPECT_EQ(list_->FindRow("k5"), 3);
  EXPECT_EQ(list_->SubItem(3, 1), "No");
  EXPECT_FALSE(list_->SelectedRow().has_value());

  // A removed key is free again.
  EXPECT_FALSE(list_->FindRow("k4").has_value());
  EXPECT_EQ(list_->AddRow("k4", "d again", "none"), 4);

  list_->Clear();
  EXPECT_EQ(list_->Count(), 0);
  EXPECT_FALSE(list_->FindRow("k1").has_value());
  EXPECT_EQ(list_->AddRow("k1", "fresh", "none"), 1);
}

TEST_P(ListControlContract, SortOnceOrdersByOneColumnAndLaterRowsStayUnsorted) {
  AddFourColumns();
  AddRows({"delta", "Alpha", "charlie", "bravo"});
  const char* bits[] = {"x86", "x64", "x86", "x64"};
  for (int position = 1; position <= 4; ++position)
    ASSERT_TRUE(list_->SetSubItem(position, 2, bits[position - 1]));

  ASSERT_TRUE(list_->SortOnce(0));
  // Letter case ignored; keys and sub-items travel with their rows.
  EXPECT_EQ(Texts(), (Strings{"Alpha", "bravo", "charlie", "delta"}));
  EXPECT_EQ(list_->FindRow("k1"), 4);
  EXPECT_EQ(list_->SubItem(1, 2), "x64");

  // By "Bits": equal texts keep the order they had.
  ASSERT_TRUE(list_->SortOnce(2));
  EXPECT_EQ(Texts(), (Strings{"Alpha", "bravo", "charlie", "delta"}));
  ASSERT_TRUE(list_->SetSubItem(1, 2, "x86"));
  ASSERT_TRUE(list_->SortOnce(2));
  EXPECT_EQ(Texts(), (Strings{"bravo", "Alpha", "charlie", "delta"}));

  // Sorting is not kept up: a new row goes to the end.
  EXPECT_EQ(list_->AddRow("k9", "aardvark", "none"), 5);
  EXPECT_EQ(list_->Text(5), "aardvark");

  EXPECT_FALSE(list_->SortOnce(4));
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::InvalidProperty);
  EXPECT_EQ(list_->Text(1), "bravo");
}

TEST_P(ListControlContract, StatusBarPanelTwoSitsAtTheRightEdge) {
  StatusBar& status = set_->Status();
  status.SetPanel1Text("Loading...");
  EXPECT_EQ(status.Panel1Text(), "Loading...");

  set_->ResizeParent(760, 500);
  status.SetPanel2Width(333);
  // Real bars draw borders between panels: allow a few pixels.
  EXPECT_NEAR(status.Panel2Left(), 760 - 333, 4);
  EXPECT_NEAR(status.Panel2Left() + status.Panel2Width(), 760, 4);
  EXPECT_NEAR(status.Top() + status.Height(), 500, 1);
  EXPECT_GT(status.Height(), 0);

  // Panel 1 keeps its minimum width in a narrow window.
  set_->ResizeParent(300, 400);
  EXPECT_GE(status.Panel2Left(), 96);
  EXPECT_NEAR(status.Panel2Left() + status.Panel2Width(), 300, 4);
}

TEST_P(ListControlContract, ProgressBarRefusesValuesBeyondItsRange) {
  ProgressBar& bar = set_->Progress();
  ASSERT_TRUE(bar.SetMax(100));
  ASSERT_TRUE(bar.SetValue(40));

  EXPECT_FALSE(bar.SetValue(101));
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::InvalidProperty);
  EXPECT_FALSE(bar.SetValue(-1));
  EXPECT_FALSE(bar.SetMax(0));
  EXPECT_EQ(bar.Max(), 100);
  EXPECT_EQ(bar.Value(), 40);
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_TRUE(bar.SetMax(39));  // below the value shown: the value comes down to it
  EXPECT_EQ(bar.Value(), 39);

  // The status routine's order: value 0 first, then a smaller maximum.
  EXPECT_TRUE(bar.SetValue(0));
  EXPECT_TRUE(bar.SetMax(7));
  EXPECT_TRUE(bar.SetValue(7));
  EXPECT_EQ(bar.Max(), 7);
  EXPECT_EQ(bar.Value(), 7);

  const PixelRect where{427, 481, 333, 15};
  bar.Place(where);
  EXPECT_EQ(bar.Placement(), where);
}

TEST_P(ListControlContract, FullRowSelectChangesOnlyItsOwnStyleBit) {
  constexpr std::uint32_t kGridLines = 0x1;
  list_->SetExtendedStyle(kGridLines, kGridLines);
  clsListView view;
  view.BindTo(*list_);
  view.FullRowSelect(true);
  EXPECT_EQ(list_->ExtendedStyle() & (clsListView::kExFullRowSelect | kGridLines),
            clsListView::kExFullRowSelect | kGridLines);
  view.FullRowSelect(false);
  EXPECT_EQ(list_->ExtendedStyle() & (clsListView::kExFullRowSelect | kGridLines), kGridLines);
}
