#pragma once
// clsExeReader: the headers and the resource tree of one executable in the PE/COFF
// image format. The file stays open from LoadExe to UnloadExe so that the resource
// walk can go on reading it. Every offset and count comes from the file and is
// untrusted: reads go through the file's cursor and past-the-end bytes read as zero.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "inspect/clsFile.h"

class clsExeReader {
 public:
  static constexpr std::size_t kDosHeaderSize = 64;
  static constexpr std::size_t kNtHeadersSize = 120;
  static constexpr std::int32_t kMaxLfanew = 0x10000;
  // Resource names are cut at this many UTF-16 units: no resource compiler emits
  // longer ones, and it bounds what one listing can hold.
  static constexpr std::int16_t kMaxNameUnits = 256;

  // Opens the file (redirection bypassed, shared for read, write and delete) and reads
  // its headers. An open failure is left in CurrentError. The previous file's header
  // and resource values are cleared first, so one file never reads as another.
  void LoadExe(const std::string& Filename);
  void UnloadExe();

  // "x86", "x64", another name for a few known machines, "" when the file has no
  // PE headers, otherwise the machine number in hexadecimal.
  std::string Architecture() const;
  std::int32_t GetOffsetToCodeSection() const;
  std::int32_t Subsystem() const;
  std::uint16_t Machine() const;
  std::int16_t NumberOfSections() const;

  // Offset 0 lists the sections; any other value lists the resource directory at
  // file offset |Offset|. Negative offsets in the result mark directories. A count
  // that runs past the end of the file lists only the headers or entries the file
  // holds (the last one cut short reads as zeros): like a resource's data, a listing
  // never holds more than the file does.
  void EnumResources(std::int32_t Offset, std::vector<std::string>& Strings,
                     std::vector<std::int32_t>& Offsets);
  // The raw bytes of the resource whose data entry lies at file offset Offset.
  std::string GetResourceData(std::int32_t Offset);

  std::int32_t ResourceRootOffset() const { return resourceRootOffset_; }
  std::int32_t ResourceSectionRva() const { return resourceSectionRva_; }

 private:
  void ReadScratch(double position, std::size_t size);
  std::size_t ReadRecords(std::int64_t position, std::size_t count, std::size_t size,
                          double length);
  void ListSections(std::vector<std::string>& Strings, std::vector<std::int32_t>& Offsets);
  void ListDirectory(std::int64_t directory, std::vector<std::string>& Strings,
                     std::vector<std::int32_t>& Offsets);
  std::string EntryName(std::int64_t directory, std::uint32_t name, std::size_t& unitsLeft);

  clsFile file_;
  std::vector<std::uint8_t> scratch_;
  std::int32_t resourceRootOffset_ = 0;
  std::int32_t resourceSectionRva_ = 0;
  std::array<std::uint8_t, kDosHeaderSize> dosHeader_{};
  std::array<std::uint8_t, kNtHeadersSize> ntHeaders_{};
};

// The name of a standard numeric resource type ("Manifest" for 24), else the number.
std::string ResourceTypeName(std::uint32_t id);
