#pragma once
// The compatibility list saved to a registry file and put back from one.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compat/RegFile.h"

struct LayersFileError {
  std::int32_t number = 0;  // the system's error number, 0 for a problem of the content
  std::string message;      // what went wrong, for the user, naming the file
};

// Writes `values` to `path` as a registry file of the Layers key; with `createNew` an
// existing file is left alone and the system's error (80) comes back. Values a
// registry file cannot hold are left out and their names added to `skipped`. A file
// that could not be written whole is deleted again.
std::optional<LayersFileError> ExportLayerValues(const std::string& path,
                                                 const std::vector<RegFileValue>& values,
                                                 bool createNew, std::vector<std::string>& skipped);

// ExportLayerValues with every value of the Layers key as it is now.
std::optional<LayersFileError> ExportLayers(const std::string& path, bool createNew,
                                            std::vector<std::string>& skipped);

// Replaces the values of the Layers key with those of the registry file `path`, after
// the run's backup. A file that cannot be read, is malformed or names another key
// changes nothing, and neither does a backup that cannot be written.
std::optional<LayersFileError> ImportLayers(const std::string& path);
