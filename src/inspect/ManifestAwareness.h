#pragma once
// The DPI awareness Windows (10, version 1703 and later) gives a program from its
// manifest alone, the manifest read as XML the way the loader reads it: the
// dpiAwareness and dpiAware elements count only where the loader looks for them,
// inside <application><windowsSettings> (both in the "urn:schemas-microsoft-com:asm.v3"
// namespace) directly under the <assembly> root, each in its own namespace whatever
// the prefix. Unlike the catalogue's verdict (DeclaresHighDpi), this is not a text search.
#include <cstdint>
#include <span>
#include <string>

class clsExeReader;

enum class DpiAwareness { Unaware, System, PerMonitor, PerMonitorV2, Invalid };
enum class AwarenessSource { None, DpiAwareness, DpiAware };

struct AwarenessVerdict {
  DpiAwareness awareness = DpiAwareness::Unaware;
  AwarenessSource source = AwarenessSource::None;
  bool operator==(const AwarenessVerdict&) const = default;
};

// "unaware", "system", "permonitor", "permonitorv2", "invalid".
const char* AwarenessText(DpiAwareness awareness);
// "none", "dpiAwareness", "dpiAware".
const char* AwarenessSourceText(AwarenessSource source);

// The verdict of one manifest's bytes. A manifest that is not well-formed XML is
// Invalid (Windows refuses to start such a program). This is the one entry point over
// untrusted bytes: it reads nothing outside them and keeps no more than a small
// multiple of their size.
AwarenessVerdict ManifestAwareness(std::span<const std::uint8_t> manifest);

// The verdict of the executable loaded in `reader`: its manifest resource with ID 1,
// first language, as the loader takes it for an .exe. No such resource: Unaware, None.
AwarenessVerdict ExecutableAwareness(clsExeReader& reader);

struct ExeAwareness {
  bool loaded = false;           // false: the file could not be opened
  std::int32_t errorNumber = 0;  // CurrentError after LoadExe when not loaded
  std::string errorDescription;
  AwarenessVerdict verdict;
};

// Clears CurrentError, loads `path` into `reader`, judges it and unloads it again.
ExeAwareness InspectAwareness(clsExeReader& reader, const std::string& path);
