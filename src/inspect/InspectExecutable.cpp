#include "inspect/InspectExecutable.h"

#include "inspect/DeclaresHighDpi.h"
#include "inspect/clsExeReader.h"
#include "platform/CurrentError.h"

ExeInspection InspectExecutable(clsExeReader& reader, const std::string& path) {
  ExeInspection result;
  CurrentError::Clear();
  reader.LoadExe(path);
  if (CurrentError::IsSet()) {
    result.errorNumber = CurrentError::Number();
    result.errorDescription = CurrentError::Description();
    reader.UnloadExe();
    return result;
  }
  result.loaded = true;
  result.bits = reader.Architecture();
  result.subsystem = reader.Subsystem();
  if (result.subsystem == kWindowsGuiSubsystem)
    result.dpiAware = DeclaresHighDpi(reader) ? DpiVerdict::Yes : DpiVerdict::No;
  else
    result.dpiAware = DpiVerdict::NotApplicable;
  reader.UnloadExe();
  return result;
}
