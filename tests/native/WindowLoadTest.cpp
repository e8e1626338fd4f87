// Start-up's load of the main window over the stand-ins, where no component can be
// registered: a load that fails for want of the component ends with the administrator
// message; any other failure, or a load that leaves an error behind, with "Error showing GUI".
#include <gtest/gtest.h>

#include "platform/CurrentError.h"
#include "platform/FormControls.h"
#include "shell/modRegServer.h"

TEST(WindowLoadTest, OnlyAMissingComponentAsksForAdministratorRights) {
  using Shown = std::vector<std::pair<std::string, std::uint32_t>>;
  const Shown noMemory{{"Error showing GUI, Not enough memory.!", MsgBoxStyle::Critical}};
  const struct {
    std::int32_t error;  // raised by the load, 0 for none
    bool returns;        // what the load returns
    bool loaded;
    Shown shown;
  } cases[] = {
      {0, true, true, {}},
      {8, false, false, noMemory},
      {8, true, false, noMemory},
      {modRegServer::ComponentMissing, false, false,
       {{RunAsAdministratorText("Sharpwell"), MsgBoxStyle::Exclamation}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    CurrentError::Raise(5, "left from before the load");
    Shown shown;
    const bool loaded = LoadMainWindow("Sharpwell", WindowLoadSteps{
        [&] {
          if (c.error) CurrentError::Raise(c.error, "Not enough memory.");
          return c.returns;
        },
        [&](const std::string& text, std::uint32_t style) { shown.emplace_back(text, style); }});
    EXPECT_EQ(loaded, c.loaded);
    EXPECT_EQ(shown, c.shown);
  }
}
