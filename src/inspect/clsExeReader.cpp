// clsExeReader: loading an executable and reading its MS-DOS and PE headers.
#include "inspect/clsExeReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/LittleEndian.h"
#include "platform/CurrentError.h"

namespace {
constexpr std::uint16_t kDosMagic = 0x5A4D;  // "MZ"
constexpr std::size_t kLfanewField = 60;
// Fields of the NT headers: signature (4 bytes), file header (20), optional header.
constexpr std::size_t kMachineField = 4;
constexpr std::size_t kNumberOfSectionsField = 6;
constexpr std::size_t kSizeOfOptionalHeaderField = 20;
constexpr std::size_t kSubsystemField = 24 + 68;
constexpr std::uint32_t kShareAll = 7;  // read, write and delete
}  // namespace

void clsExeReader::ReadScratch(double position, std::size_t size) {
  scratch_.assign(size, 0);
  file_.Cursor(position);
  file_.ReadBytes(scratch_);
}

// Reads up to `count` records of `size` bytes at `position` of a file of `length` bytes
// into the scratch buffer and returns how many the file holds there, the last one
// perhaps cut short (its missing bytes are zeros). The buffer is never larger than the file.
std::size_t clsExeReader::ReadRecords(std::int64_t position, std::size_t count, std::size_t size,
                                      double length) {
  double available = length - static_cast<double>(std::max<std::int64_t>(position, 0));
  std::size_t most = 0;
  if (available > 0)
    most = std::min(count, static_cast<std::size_t>(std::ceil(available / static_cast<double>(size))));
  scratch_.assign(most * size, 0);
  file_.Cursor(static_cast<double>(position));
  if (most == 0) return 0;
  std::uint32_t read = file_.ReadBytes(scratch_);
  return (read + size - 1) / size;
}

void clsExeReader::LoadExe(const std::string& Filename) {
  // Where the resource section lies stays until a section listing finds another one.
  dosHeader_.fill(0);
  ntHeaders_.fill(0);

  file_.Wow64Bypass = true;
  file_.OpenFile(Filename, platform::win::kGenericRead, kShareAll,
                 platform::win::kRandomAccess);
  if (file_.hFile() == platform::kInvalidFileHandle) return;  // the error stays for the caller

  ReadScratch(0, kDosHeaderSize);
  std::copy(scratch_.begin(), scratch_.end(), dosHeader_.begin());
  std::int32_t lfanew = LoadS32(dosHeader_, kLfanewField);
  if (LoadU16(dosHeader_, 0) != kDosMagic || lfanew < 64 || lfanew > kMaxLfanew) return;

  ReadScratch(lfanew, kNtHeadersSize);
  std::copy(scratch_.begin(), scratch_.end(), ntHeaders_.begin());
}

void clsExeReader::UnloadExe() { file_.CloseFile(); }

std::uint16_t clsExeReader::Machine() const { return LoadU16(ntHeaders_, kMachineField); }

std::string clsExeReader::Architecture() const {
  switch (Machine()) {
    case 0x014C: return "x86";
    case 0x8664: return "x64";
    case 0x0000: return "";  // no PE headers were read
    case 0x01C4: return "ARM";
    case 0xAA64: return "ARM64";
    case 0x0200: return "IA64";
    default: {
      char text[8];
      std::snprintf(text, sizeof text, "0x%04X", unsigned{Machine()});
      return text;
    }
  }
}

std::int32_t clsExeReader::GetOffsetToCodeSection() const {
  return LoadS32(dosHeader_, kLfanewField) + 24 + LoadS16(ntHeaders_, kSizeOfOptionalHeaderField);
}

std::int16_t clsExeReader::NumberOfSections() const {
  return LoadS16(ntHeaders_, kNumberOfSectionsField);
}

std::int32_t clsExeReader::Subsystem() const { return LoadS16(ntHeaders_, kSubsystemField); }
