#pragma once
// The texts the catalogue and the compatibility list share. Rows are keyed by the
// lower-case path and registry values are named by the upper-case path (TextApi.h).
#include "platform/TextApi.h"

inline constexpr const char* kHighDpiAwareFlag = "HIGHDPIAWARE";
inline constexpr const char* kRunAsAdminFlag = "RUNASADMIN";
