#include "shell/modRegServer.h"

#include "platform/CurrentError.h"
#include "platform/ModuleApi.h"
#include "platform/TextApi.h"
#include "platform/FormControls.h"
#include "platform/modSharpwell.h"
#include "shell/AppText.h"

bool RegisterServer(const std::string& Path) {
  std::optional<std::int32_t> status =
      platform::CallModuleEntry(Path, modRegServer::EntryPoint);
  return status && *status == 0;
}

std::string RunAsAdministratorText(const std::string& exeBaseName) {
  // The curly quotes in the code page Windows shows the text in; the name is in it already.
  return platform::FromUtf8("Please right-click \xE2\x80\x9C") + exeBaseName +
         platform::FromUtf8(".exe\xE2\x80\x9D and click \xE2\x80\x9CRun as Administrator\xE2\x80\x9D so "
                            "that the Windows Common Controls component for VisualBasic "
                            "(comctl32.ocx) can be installed.");
}

namespace {
bool LoadedWithoutError(const WindowLoadSteps& steps) {
  return steps.load() && !CurrentError::IsSet();
}
}  // namespace

Recovery RecoverComponent(const std::string& exeBaseName, const WindowLoadSteps& steps) {
  // A missing spare copy or a locked target is passed over: registration decides.
  platform::CopyFileA(modRegServer::SpareComponent, modRegServer::ComponentPath, false);
  if (!RegisterServer(modRegServer::ComponentPath)) {
    steps.message(RunAsAdministratorText(exeBaseName), MsgBoxStyle::Exclamation);
    return Recovery::Refused;
  }
  CurrentError::Clear();
  return LoadedWithoutError(steps) ? Recovery::Loaded : Recovery::StillFailing;
}

bool LoadMainWindow(const std::string& exeBaseName, const WindowLoadSteps& steps) {
  CurrentError::Clear();
  if (LoadedWithoutError(steps)) return true;
  if (CurrentError::Number() == modRegServer::ComponentMissing) {
    switch (RecoverComponent(exeBaseName, steps)) {
      case Recovery::Refused: return false;
      case Recovery::Loaded: return true;
      case Recovery::StillFailing: break;
    }
  }
  steps.message(AppText::ErrorShowingGui + CurrentError::Description() + "!",
                MsgBoxStyle::Critical);
  return false;
}
