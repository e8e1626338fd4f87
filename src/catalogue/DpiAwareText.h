#pragma once
// The words of the catalogue's "DPI aware" column (and of the command-line tool).

#include "inspect/InspectExecutable.h"

// "Yes", "No" or "N/A".
const char* DpiAwareText(DpiVerdict verdict);
