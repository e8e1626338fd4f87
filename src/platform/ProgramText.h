#pragma once
// Small text functions shared by the compatibility list, the catalogue and the monitor.
#include <string>

// The part of `path` after its last backslash; the whole text when it has none; an
// empty text when it ends with a backslash.
std::string GetFileName(const std::string& path);

// `text` with each ASCII letter moved 13 places within its alphabet (a-m <-> n-z,
// A-M <-> N-Z, tested by character code); every other character stays. Explorer keeps
// its list of recently run programs in this form; applying it twice gives the text back.
std::string Rot13(const std::string& text);
