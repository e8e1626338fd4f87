#pragma once
// The main window's layout, in twips (1/1440 inch; 15 twips are one pixel at 96 DPI),
// converted to pixels with the screen's twips per pixel so that the window keeps its
// proportions at any DPI.
#include <array>
#include <cstdint>
#include <string_view>

#include "platform/ListControls.h"

struct TwipsRect {
  std::int32_t left, top, width, height;
};

enum class ControlId {
  lblPrograms, lvwPrograms, pcbIcon16, lblCompat, lvwCompat,
  lblInstructions, lblDPI, chkMonitor, SBar
};

struct ControlLayout {
  ControlId id;
  std::string_view name;
  TwipsRect twips;
};

inline constexpr TwipsRect kClientArea{0, 0, 11424, 7464};

inline constexpr std::array<ControlLayout, 9> kControlLayout{{
    {ControlId::lblPrograms, "lblPrograms", {96, 96, 1848, 228}},
    {ControlId::lvwPrograms, "lvwPrograms", {0, 390, 11415, 3465}},
    {ControlId::pcbIcon16, "pcbIcon16", {6360, 60, 240, 240}},
    {ControlId::lblCompat, "lblCompat", {96, 4056, 2148, 228}},
    {ControlId::lvwCompat, "lvwCompat", {0, 4350, 7005, 2835}},
    {ControlId::lblInstructions, "lblInstructions", {7380, 4248, 3708, 1356}},
    {ControlId::lblDPI, "lblDPI", {7380, 5868, 3708, 228}},
    {ControlId::chkMonitor, "chkMonitor", {7380, 6228, 3708, 828}},
    {ControlId::SBar, "SBar", {0, 7188, 11424, 276}},
}};

struct ColumnLayout {
  std::string_view header;
  std::int32_t widthTwips;
  ColumnAlignment alignment;
};

inline constexpr std::array<ColumnLayout, 4> kProgramsColumns{{
    {"Name", 3000, ColumnAlignment::Left},
    {"DPI aware", 650, ColumnAlignment::Centre},
    {"Bits", 250, ColumnAlignment::Left},
    {"Path", 6000, ColumnAlignment::Left},
}};

inline constexpr std::array<ColumnLayout, 2> kCompatColumns{{
    {"Name", 3000, ColumnAlignment::Left},
    {"Flags", 3000, ColumnAlignment::Left},
}};

// The sub-items of the two lists (sub-item n is column n + 1 above).
namespace ProgramsColumn {
inline constexpr int DpiAware = 1;
inline constexpr int Bits = 2;
inline constexpr int Path = 3;
}  // namespace ProgramsColumn
namespace CompatColumn {
inline constexpr int Flags = 1;
}  // namespace CompatColumn

// The image key every row shows until its program's own icon is loaded: the file whose
// icon at index 2 is the default program icon.
inline constexpr const char* kDefaultIconKey = "C:\\Windows\\system32\\shell32.dll";

inline constexpr std::int32_t kStatusPanel1MinTwips = 1440;
inline constexpr std::int32_t kStatusPanel2Twips = 5000;

// Twips to whole pixels, rounded to the nearest.
constexpr std::int32_t TwipsToPixels(std::int32_t twips, double twipsPerPixel) {
  double pixels = twips / twipsPerPixel;
  return static_cast<std::int32_t>(pixels >= 0 ? pixels + 0.5 : pixels - 0.5);
}

constexpr PixelRect ToPixels(TwipsRect r, double twipsPerPixelX, double twipsPerPixelY) {
  return {TwipsToPixels(r.left, twipsPerPixelX), TwipsToPixels(r.top, twipsPerPixelY),
          TwipsToPixels(r.width, twipsPerPixelX), TwipsToPixels(r.height, twipsPerPixelY)};
}

// The screen's twips per pixel at a DPI setting (15 at 96 DPI).
constexpr double TwipsPerPixel(std::int32_t dpi) { return 1440.0 / dpi; }

// Where the progress bar goes: over panel 2 of the status bar, 2 pixels below its top
// and 3 pixels less high than the status bar, whatever the window's size.
constexpr PixelRect ProgressBarPlacement(std::int32_t panel2Left, std::int32_t panel2Width,
                                         std::int32_t statusTop, std::int32_t statusHeight) {
  return {panel2Left, statusTop + 2, panel2Width, statusHeight - 3};
}
