// clsExeReader: the section table and the resource directory, one level per call.
#include <algorithm>

#include "platform/LittleEndian.h"
#include "platform/AsciiCase.h"
#include "inspect/Utf16.h"
#include "inspect/clsExeReader.h"

namespace {
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kDirectoryEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::int32_t kMaxEntries = 32767;

// Offsets cross the interface as signed 32-bit numbers; wider values wrap, as the
// 32-bit fields they come from do, instead of overflowing.
std::int32_t Wrap(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}
std::int32_t WrapNegated(std::int64_t value) {
  return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(value));
}

bool IsResourceSectionName(const std::string& name) { return EqualsIgnoringCase(name, ".rsrc"); }
}  // namespace

std::string ResourceTypeName(std::uint32_t id) {
  switch (id) {
    case 1: return "Cursor";
    case 2: return "Bitmap";
    case 3: return "Icon";
    case 4: return "Menu";
    case 5: return "Dialog";
    case 6: return "String";
    case 7: return "Font Directory";
    case 8: return "Font";
    case 9: return "Accelerators";
    case 10: return "RcData";
    case 11: return "Message Table";
    case 12: return "Cursor Group";
    case 14: return "Icon Group";
    case 16: return "VersionInfo";
    case 21: return "Animated Cursor";
    case 22: return "Animated Icon";
    case 23: return "HTML";
    case 24: return "Manifest";
    default: return std::to_string(id);
  }
}

void clsExeReader::EnumResources(std::int32_t Offset, std::vector<std::string>& Strings,
                                 std::vector<std::int32_t>& Offsets) {
  Strings.clear();
  Offsets.clear();
  if (Offset == 0)
    ListSections(Strings, Offsets);
  else
    ListDirectory(Offset < 0 ? -std::int64_t{Offset} : std::int64_t{Offset}, Strings, Offsets);
}

void clsExeReader::ListSections(std::vector<std::string>& Strings,
                                std::vector<std::int32_t>& Offsets) {
  std::int16_t count = NumberOfSections();
  if (count < 1) return;
  std::size_t held = ReadRecords(GetOffsetToCodeSection(), count, kSectionHeaderSize, file_.Length());
  Strings.reserve(held);
  Offsets.reserve(held);
  for (std::size_t i = 0; i < held; ++i) {
    std::size_t header = i * kSectionHeaderSize;
    auto nameBegin = scratch_.begin() + static_cast<std::ptrdiff_t>(header);
    std::string name(nameBegin, std::find(nameBegin, nameBegin + 8, 0));
    std::uint32_t rawData = LoadU32(scratch_, header + 20);
    if (IsResourceSectionName(name)) {
      Offsets.push_back(WrapNegated(rawData));
      resourceRootOffset_ = Wrap(rawData);
      resourceSectionRva_ = Wrap(LoadU32(scratch_, header + 12));
    } else {
      Offsets.push_back(Wrap(rawData));
    }
    Strings.push_back(std::move(name));
  }
}

void clsExeReader::ListDirectory(std::int64_t directory, std::vector<std::string>& Strings,
                                 std::vector<std::int32_t>& Offsets) {
  ReadScratch(static_cast<double>(directory), kDirectoryHeaderSize);
  std::int16_t named = LoadS16(scratch_, 12);
  std::int16_t ids = LoadS16(scratch_, 14);
  if (named < 0 || ids < 0) return;
  std::int32_t count = named + ids;
  if (count > kMaxEntries || count < 1) return;

  // The entries follow the header directly. Reading their names does not use the
  // scratch buffer, so they stay there.
  double length = file_.Length();
  std::size_t held = ReadRecords(directory + kDirectoryHeaderSize, static_cast<std::size_t>(count),
                                 kDirectoryEntrySize, length);
  const std::vector<std::uint8_t>& entries = scratch_;
  // The names of one directory are distinct strings of the file, so together they hold
  // fewer UTF-16 units than the file holds pairs of bytes; past that many, a name reads
  // as one without a string. Entries that all name one long string cannot multiply it.
  std::size_t nameUnits = length > 0 ? static_cast<std::size_t>(length / 2) : 0;
  Strings.reserve(held);
  Offsets.reserve(held);
  for (std::size_t i = 0; i < held; ++i) {
    std::uint32_t name = LoadU32(entries, i * kDirectoryEntrySize);
    std::uint32_t data = LoadU32(entries, i * kDirectoryEntrySize + 4);
    Strings.push_back(EntryName(directory, name, nameUnits));
    std::int64_t target = std::int64_t{resourceRootOffset_} + (data & ~kHighBit);
    Offsets.push_back((data & kHighBit) ? WrapNegated(target) : Wrap(target));
  }
}

std::string clsExeReader::EntryName(std::int64_t directory, std::uint32_t name,
                                    std::size_t& unitsLeft) {
  if (!(name & kHighBit))
    return directory == resourceRootOffset_ ? ResourceTypeName(name) : std::to_string(name);

  // A named entry: a 16-bit length, then that many UTF-16LE units.
  std::int16_t length = 0;
  file_.Cursor(static_cast<double>(std::int64_t{resourceRootOffset_} + (name & ~kHighBit)));
  file_.ReadValue(length);
  auto units = static_cast<std::size_t>(std::clamp<std::int16_t>(length, 0, kMaxNameUnits));
  if (units == 0 || units > unitsLeft) return std::to_string(static_cast<std::int32_t>(name));
  unitsLeft -= units;
  std::vector<std::uint8_t> bytes(2 * units, 0);
  file_.ReadBytes(bytes);
  return Utf16LeToText(bytes);
}

std::string clsExeReader::GetResourceData(std::int32_t Offset) {
  if (Offset < 0) return {};
  ReadScratch(Offset, kDataEntrySize);
  std::int64_t position = std::int64_t{LoadU32(scratch_, 0)} +
                          (std::int64_t{resourceRootOffset_} - resourceSectionRva_);
  std::int32_t size = LoadS32(scratch_, 4);
  if (size <= 0) return {};

  // Never more than the file holds after the data's start, whatever the entry claims.
  file_.Cursor(static_cast<double>(position));
  double available = file_.Length() - file_.Cursor();
  if (available <= 0) return {};
  std::string text(static_cast<std::size_t>(std::min<double>(size, available)), '\0');
  file_.ReadValue(text);
  return text;
}
