#pragma once
// Registry files, the text form Registry Editor and `reg export` write and `reg import`
// reads, for the one key this program owns the format of: a header line, the key in
// brackets, then one line per value, "name"="text" or "name"=dword:0000000a, names and
// texts with their backslashes and quotes escaped. Files are UTF-16LE after a
// byte-order mark, lines end with CR LF.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compat/modRegistry.h"

// A value as a registry file holds it: a text or a number; none stands for the
// deletion of the value ("name"=-). An empty name is the key's default value (@).
struct RegFileValue {
  std::string name;
  RegistryData data;
};

// The whole file for `keyName` (written as given, for example with the root
// HKEY_CURRENT_USER) and `values`, in order. A text that a registry file string cannot
// hold (a line break or a NUL in the name or the text) is left out and its value's name
// added to `skipped`.
std::string WriteRegFile(std::string_view keyName, const std::vector<RegFileValue>& values,
                         std::vector<std::string>& skipped);

struct RegFileContents {
  enum class Status { Ok, Malformed, OtherKey };
  Status status = Status::Ok;
  std::vector<RegFileValue> values;  // in file order; deletions with data none
  std::size_t line = 0;              // Malformed, OtherKey: the line (from 1)
  std::string problem;               // Malformed: what is wrong; OtherKey: the key named
};

// Reads a registry file that may name only `keyName` (without regard to case; the root
// may also be written HKCU). Accepts what Registry Editor and `reg export` write: the
// header "Windows Registry Editor Version 5.00", blank lines, comments (";"), key
// lines, string and dword values and deletions ("=-"), as UTF-16LE after a byte-order
// mark or as UTF-8. Anything else, binary (hex) values included, is Malformed; the
// deletion of a whole key is refused like another key when it is another key, and is
// Malformed when it is `keyName` itself.
RegFileContents ReadRegFile(std::span<const std::uint8_t> bytes, std::string_view keyName);
