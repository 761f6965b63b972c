#include "platform/login_items.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "tests/support/temp_home.h"

namespace platform {
namespace {

using harkwell_test::ReadFileText;
using harkwell_test::WriteFileText;

class LoginItems : public ::testing::Test {
 protected:
  LoginItems() {
    setenv("XDG_CONFIG_HOME", (home_.home() + "/.config").c_str(), 1);
    folder_ = home_.home() + "/.config/autostart";
  }
  ~LoginItems() override { unsetenv("XDG_CONFIG_HOME"); }

  std::vector<LoginItem> Items() {
    std::vector<LoginItem> items;
    EXPECT_EQ(ReadLoginItems(&items), 0);
    return items;
  }

  harkwell_test::TempHome home_;
  std::string folder_;
};

TEST_F(LoginItems, FolderFollowsXdgConfigHomeElseHome) {
  EXPECT_EQ(AutostartFolder(), folder_);
  setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
  EXPECT_EQ(AutostartFolder(), home_.home() + "/.config/autostart");
}

TEST_F(LoginItems, AMissingFolderHasNoItems) { EXPECT_TRUE(Items().empty()); }

TEST_F(LoginItems, ABundleItemStartsTheBundlesExecutableAndKeepsItsPath) {
  const std::string bundle = home_.root() + "/Odd \"dir\" \\ $x %u/Harkwell Engine.app";
  ASSERT_EQ(MakeLoginItem("Harkwell Engine", bundle, false), 0);
  auto items = Items();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].name, "Harkwell Engine");
  EXPECT_EQ(items[0].path, bundle);
  EXPECT_EQ(items[0].executable, bundle + "/Contents/MacOS/Harkwell Engine");
  EXPECT_FALSE(items[0].hidden);
  EXPECT_EQ(items[0].file, folder_ + "/harkwell-engine.desktop");
  const std::string text = ReadFileText(items[0].file);
  EXPECT_NE(text.find("[Desktop Entry]\nType=Application\nName=Harkwell Engine\n"),
            std::string::npos);
  // Exec quoting, then the value's own escaping of the backslashes it produced.
  EXPECT_NE(text.find("Exec=\"" + home_.root() +
                      "/Odd \\\\\"dir\\\\\" \\\\\\\\ \\\\$x %%u/Harkwell Engine.app/Contents/"
                      "MacOS/Harkwell Engine\"\n"),
            std::string::npos)
      << text;
}

TEST_F(LoginItems, ExecQuotingRoundTrips) {
  for (const std::string argument : {"/plain", "/with space", "/q\"uote", "/back\\slash",
                                     "/dollar$HOME", "/tick`x`", "/per%cent", "/tab\there"}) {
    const std::string exec = UnescapeDesktopValue(EscapeDesktopValue(QuoteExecArgument(argument)));
    const auto words = SplitExecLine(exec);
    ASSERT_EQ(words.size(), 1u) << argument;
    EXPECT_EQ(words[0], argument);
  }
  EXPECT_EQ(UnescapeDesktopValue(EscapeDesktopValue(" lead\nline\\")), " lead\nline\\");
}

TEST_F(LoginItems, SameNamesGetTheirOwnFilesAndAreDeletedTogether) {
  ASSERT_EQ(MakeLoginItem("Harkwell Engine", "/a/Harkwell Engine.app", true), 0);
  ASSERT_EQ(MakeLoginItem("Harkwell Engine", "/b/Harkwell Engine.app", false), 0);
  ASSERT_EQ(MakeLoginItem("Other", "/usr/bin/other", false), 0);
  auto items = Items();
  ASSERT_EQ(items.size(), 3u);
  ASSERT_EQ(DeleteLoginItems("Harkwell Engine"), 0);
  items = Items();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].name, "Other");
  EXPECT_EQ(items[0].executable, "/usr/bin/other");  // not a bundle: the path itself
}

TEST_F(LoginItems, EntriesSwitchedOffOrUnreadableAreNotItems) {
  mkdir((home_.home() + "/.config").c_str(), 0700);
  mkdir(folder_.c_str(), 0700);
  WriteFileText(folder_ + "/off.desktop", "[Desktop Entry]\nName=Off\nExec=off\nHidden=true\n");
  WriteFileText(folder_ + "/other-group.desktop", "[Other]\nName=Nope\n");
  WriteFileText(folder_ + "/notes.txt", "[Desktop Entry]\nName=Text\n");
  WriteFileText(folder_ + "/on.desktop", "[Desktop Entry]\nName = On\nExec=\"/x y/on\" --flag\n");
  auto items = Items();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].name, "On");
  EXPECT_EQ(items[0].executable, "/x y/on");
}

}  // namespace
}  // namespace platform
