#pragma once
// The stand-in's active 8-bit code page: 65001 (UTF-8), as the program's manifest asks
// of Windows 10 1903 and later, unless a test sets another: 1252 (Western European) or
// 20127 (US-ASCII), as older Windows gives.
namespace platform::standin {
void SetActiveCodePage(unsigned codePage);
}  // namespace platform::standin
