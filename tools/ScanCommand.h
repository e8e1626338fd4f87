#pragma once
// scan [--json]: the programs the window's start-up discovery finds (the compatibility
// list, the running processes, Explorer's list of recently run programs), each once in
// the order found, with what the catalogue and the awareness command say of them.
#include <cstdio>
#include <string>
#include <vector>

#include "compat/RegFile.h"

struct ScannedProgram {
  std::string verdict;    // the catalogue's "DPI aware" text: Yes, No or N/A
  std::string awareness;  // the awareness command's word: unaware, system, ...
  std::string bits;       // the catalogue's Bits text; empty for a file that is no executable
  std::string flags;      // the text of its compatibility-list value; empty when it has none
  std::string path;       // in lower case, as the catalogue keys it
};

// Runs discovery over in-memory controls, with no window. The monitor stays off, so
// nothing is written to the compatibility list.
std::vector<ScannedProgram> ScanPrograms();

// verdict TAB awareness TAB bits TAB flags TAB path, without the line end.
std::string ScanRow(const ScannedProgram& program);

// One JSON array of objects with the keys verdict, awareness, bits, flags and path,
// the texts converted from the active code page to UTF-8.
std::string ScanJson(const std::vector<ScannedProgram>& programs);

// True for a program that Windows stretches and nobody has chosen a DPI mode for: the
// catalogue says "No", the manifest leaves it unaware and its flags hold no DPI word.
bool NeedsHighDpiAware(const ScannedProgram& program);

// `values` (the compatibility list) with HIGHDPIAWARE added for every program that
// needs it: an existing value keeps its name and other words, a new one is named by the
// path in upper case.
std::vector<RegFileValue> RecommendedLayersValues(std::vector<RegFileValue> values,
                                                  const std::vector<ScannedProgram>& programs);

// scan [--json]; returns the exit status (2 for a usage error).
int RunScan(const std::vector<std::string>& args, std::FILE* output, std::FILE* errors);
