// frmSharpwell: the programs' own small icons, filled in after the rows exist.
#include "platform/IconApi.h"
#include "platform/Layout.h"
#include "shell/frmSharpwell.h"

bool frmSharpwell::GetIcon(const std::string& Path) {
  // Only the exact default-icon text takes that file's icon at index 2.
  const int index = Path == DefaultIconKey ? 2 : 0;
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

void frmSharpwell::tmrGetIcons_Timer() {
  c_.tmrGetIcons.SetEnabled(false);
  SetStatus("Loading program icons...", 100);

  const int programs = c_.lvwPrograms.Count();
  for (int i = 1; i <= programs; ++i) {
    if (c_.lvwPrograms.SmallIcon(i) != DefaultIconKey) continue;
    std::optional<std::string> key = c_.lvwPrograms.Key(i);
    if (key && GetIcon(*key)) c_.lvwPrograms.SetSmallIcon(i, *key);
  }
  // A compatibility row shows the catalogue's image of the same program when there is
  // one; the image list refuses the key otherwise and the row keeps the default icon.
  const int entries = c_.lvwCompat.Count();
  for (int i = 1; i <= entries; ++i) {
    if (c_.lvwCompat.SmallIcon(i) != DefaultIconKey) continue;
    if (std::optional<std::string> key = c_.lvwCompat.Key(i)) c_.lvwCompat.SetSmallIcon(i, *key);
  }
  SetStatus("Ready", 0);
}
