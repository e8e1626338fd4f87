// How one program becomes a row of "All detected programs:", and, when asked and it is
// not DPI aware, an entry of the compatibility list.
#include "catalogue/Catalogue.h"
#include "catalogue/DpiAwareText.h"
#include "inspect/InspectExecutable.h"
#include "platform/FileApi.h"
#include "platform/Layout.h"
#include "platform/ProgramText.h"
#include "platform/TextApi.h"

namespace catalogue {

AddResult Catalogue::AddProgram(std::string Path, bool AddToCompatList) {
  const std::string path = platform::LowerCasePath(Path);

  // The key lookup comes first: a program already listed costs no file access.
  if (!c_.lvwPrograms.FindRow(path)) {
    ExeInspection exe = InspectExecutable(ExeReader, path);
    if (!exe.loaded) return NotLoaded;
    if (std::optional<int> row = c_.lvwPrograms.AddRow(path, GetFileName(path), kDefaultIconKey)) {
      c_.lvwPrograms.SetSubItem(*row, ProgramsColumn::Bits, exe.bits);
      c_.lvwPrograms.SetSubItem(*row, ProgramsColumn::Path, path);
      c_.lvwPrograms.SetSubItem(*row, ProgramsColumn::DpiAware, DpiAwareText(exe.dpiAware));
    }
  }

  AddResult result = Listed;
  std::optional<int> row = c_.lvwPrograms.FindRow(path);
  if (AddToCompatList && row && ShowsNotDpiAware(*row))
    result = compat_.AddHighDpiEntry(path) ? AddedToCompatList : AlreadyInCompatList;

  // Collect a burst of additions into one icon pass, one interval after the last.
  if (c_.window.Visible()) c_.tmrGetIcons.Restart();
  return result;
}

bool Catalogue::ShowsNotDpiAware(int row) const {
  return c_.lvwPrograms.SubItem(row, ProgramsColumn::DpiAware) == DpiAwareText(DpiVerdict::No);
}

bool Catalogue::DoesFileExist(const std::string& Filename) {
  // Redirection off, so that under WOW64 the system folder is the native one.
  FileAccess.Wow64DisableRedirect();
  std::uint32_t attributes = platform::GetFileAttributesA(Filename);
  FileAccess.Wow64EnableRedirect();
  return attributes != platform::win::kInvalidFileAttributes &&
         !(attributes & platform::win::kDirectoryAttribute);
}

}  // namespace catalogue
