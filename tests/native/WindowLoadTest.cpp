// Start-up's load of the main window over the stand-ins, where no component can be
// registered: a load that fails for want of the component ends with the administrator
// message; any other failure, or a load that leaves an error behind, with "Error showing GUI".
#include <gtest/gtest.h>

#include "platform/CurrentError.h"
#include "platform/FormControls.h"
#include "shell/modRegServer.h"

TEST(WindowLoadTest, OnlyAMissingComponentAsksForAdministratorRights) {
  const struct {
    std::int32_t error;  // raised by the load, 0 for none
    bool returns;        // what the load returns
    bool loaded;
    std::string message;  // the one message shown, or none
    std::uint32_t style;
  } cases[] = {
      {0, true, true, "", 0},
      {8, false, false, "Error showing GUI, Not enough memory.!", MsgBoxStyle::Critical},
      {8, true, false, "Error showing GUI, Not enough memory.!", MsgBoxStyle::Critical},
      {modRegServer::ComponentMissing, false, false, RunAsAdministratorText("Sharpwell"),
       MsgBoxStyle::Exclamation},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    CurrentError::Raise(5, "left from before the load");
    int loads = 0;
    std::vector<std::pair<std::string, std::uint32_t>> shown;
    const bool loaded = LoadMainWindow("Sharpwell", WindowLoadSteps{
        [&] {
          ++loads;
          if (c.error) CurrentError::Raise(c.error, "Not enough memory.");
          return c.returns;
        },
        [&](const std::string& text, std::uint32_t style) { shown.emplace_back(text, style); }});
    EXPECT_EQ(loaded, c.loaded);
    EXPECT_EQ(loads, 1);
    if (c.message.empty()) {
      EXPECT_TRUE(shown.empty());
      continue;
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], std::make_pair(c.message, c.style));
  }
}
