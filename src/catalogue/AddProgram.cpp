// frmSharpwell: how one program becomes a row of "All detected programs:", and, when
// asked and it is not DPI aware, an entry of the compatibility list.
#include "catalogue/CatalogueText.h"
#include "catalogue/ProgramText.h"
#include "compat/LayersKey.h"
#include "inspect/InspectExecutable.h"
#include "platform/CurrentError.h"
#include "platform/FileApi.h"
#include "shell/frmSharpwell.h"

AddResult frmSharpwell::AddProgram(std::string Path, bool AddToCompatList) {
  const std::string path = platform::LowerCasePath(Path);

  // The key lookup comes first: a program already listed costs no file access.
  if (!c_.lvwPrograms.FindRow(path)) {
    ExeInspection exe = InspectExecutable(ExeReader, path);
    if (!exe.loaded) return NotLoaded;
    std::optional<int> row = c_.lvwPrograms.AddRow(path, GetFileName(path), DefaultIconKey);
    CurrentItem = row ? std::optional<RowRef>(RowRef{&c_.lvwPrograms, *row}) : std::nullopt;
    if (row) {
      c_.lvwPrograms.SetSubItem(*row, 2, exe.bits);
      c_.lvwPrograms.SetSubItem(*row, 3, path);
      c_.lvwPrograms.SetSubItem(*row, 1, exe.dpiAware);
    }
  }

  AddResult result = Listed;
  std::optional<int> row = c_.lvwPrograms.FindRow(path);
  if (AddToCompatList && row && c_.lvwPrograms.SubItem(*row, 1) == DpiAwareText::No) {
    result = AlreadyInCompatList;
    if (!c_.lvwCompat.FindRow(path)) {
      result = AddedToCompatList;
      if (std::optional<int> entry = c_.lvwCompat.AddRow(path, GetFileName(path), DefaultIconKey))
        c_.lvwCompat.SetSubItem(*entry, 1, kHighDpiAwareFlag);
      SetLayersValue(platform::UpperCasePath(path), kHighDpiAwareFlag);
    }
  }

  // Collect a burst of additions into one icon pass, one interval after the last.
  if (c_.window.Visible()) {
    c_.tmrGetIcons.Restart();
  }
  return result;
}

bool frmSharpwell::DoesFileExist(const std::string& Filename) {
  // Redirection off, so that under WOW64 the system folder is the native one.
  FileAccess.Wow64DisableRedirect();
  std::uint32_t attributes = platform::GetFileAttributesA(Filename);
  FileAccess.Wow64EnableRedirect();
  return attributes != platform::win::kInvalidFileAttributes &&
         !(attributes & platform::win::kDirectoryAttribute);
}
