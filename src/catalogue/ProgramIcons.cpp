// The programs' own small icons, filled in after the rows exist.
#include "catalogue/Catalogue.h"
#include "platform/IconApi.h"
#include "platform/Layout.h"

namespace catalogue {

bool Catalogue::GetIcon(const std::string& Path) {
  // Only the exact default-icon text takes that file's icon at index 2.
  const int index = Path == kDefaultIconKey ? 2 : 0;
  FileAccess.Wow64DisableRedirect();
  platform::Icon icon = platform::ExtractSmallIcon(Path, index);
  FileAccess.Wow64EnableRedirect();
  if (!icon) return false;

  // Rendered square at the canvas's size in pixels: 16 x 16 at 96 DPI.
  const double twipsPerPixel = c_.window.TwipsPerPixelY();
  int side = 0;
  for (const ControlLayout& control : kControlLayout)
    if (control.id == ControlId::pcbIcon16) side = TwipsToPixels(control.twips.width, twipsPerPixel);
  Picture canvas = platform::RenderIcon(icon, side, side);
  c_.imlIcons.Add(Path, canvas);  // a key already present keeps its image
  return true;
}

void Catalogue::tmrGetIcons_Timer() {
  c_.tmrGetIcons.SetEnabled(false);
  SetStatus("Loading program icons...", 100);

  const int programs = c_.lvwPrograms.Count();
  for (int i = 1; i <= programs; ++i) {
    if (c_.lvwPrograms.SmallIcon(i) != kDefaultIconKey) continue;
    std::optional<std::string> key = c_.lvwPrograms.Key(i);
    if (key && GetIcon(*key)) c_.lvwPrograms.SetSmallIcon(i, *key);
  }
  // A compatibility row shows the catalogue's image of the same program.
  compat_.ShowProgramIcons();
  SetStatus("Ready", 0);
}

}  // namespace catalogue
