#include "toolkit/script.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "platform/login_items.h"
#include "tests/support/temp_home.h"

namespace brek {
namespace {

using harkwell_test::ReadFileText;
using harkwell_test::WaitFor;
using harkwell_test::WriteFileText;

// The four scripts the preferences program sends, as it formats them.
const char* const kQuery =
    "tell application \"System Events\"\n"
    "   return \"Harkwell Engine\" is in (name of every login item)\n"
    "end tell\n";
const char* const kCreation =
    "tell application \"System Events\"\n"
    "   if \"Harkwell Engine\" is not in (name of every login item) then\n"
    "\t\tmake login item at end with properties {hidden:false, path:\"/A/Harkwell Engine.app\"}\n"
    "   end if\n"
    "end tell\n";
const char* const kRemoval =
    "tell application \"System Events\"\n"
    "   if \"Harkwell Engine\" is in (name of every login item) then\n"
    "\t\tdelete (every login item whose name is \"Harkwell Engine\")\n"
    "   end if\n"
    "end tell\n";
const char* const kLogViewing =
    "tell application \"Console\"\n"
    "\tactivate\n"
    "\topen \":home:x:Library:Logs:Harkwell.log\"\n"
    "end tell\n";

class Scripts : public ::testing::Test {
 protected:
  Scripts() { setenv("XDG_CONFIG_HOME", (home_.home() + "/.config").c_str(), 1); }
  ~Scripts() override {
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HARKWELL_OPENER");
  }

  // Runs `text`; the displayed result, or "error <status>".
  static std::string Run(const char* text) {
    Script script;
    platform::OSStatus status = script.Compile(text);
    char shown[10] = "";
    if (status == 0) status = script.ExecuteAndDisplay(shown, sizeof shown);
    script.Dispose();
    return status == 0 ? shown : "error " + std::to_string(status);
  }

  static size_t ItemCount() {
    std::vector<platform::LoginItem> items;
    platform::ReadLoginItems(&items);
    return items.size();
  }

  harkwell_test::TempHome home_;
};

TEST_F(Scripts, LoginItemScriptsQueryCreateOnceAndRemove) {
  EXPECT_EQ(Run(kQuery), "false");
  EXPECT_EQ(Run(kCreation), "");
  EXPECT_EQ(Run(kCreation), "");  // an item of that name exists: nothing is added
  EXPECT_EQ(ItemCount(), 1u);
  EXPECT_EQ(Run(kQuery), "true");
  EXPECT_EQ(Run(kRemoval), "");
  EXPECT_EQ(ItemCount(), 0u);
  EXPECT_EQ(Run(kQuery), "false");
  EXPECT_EQ(Run(kRemoval), "");  // nothing to remove is no error
}

TEST_F(Scripts, ConsoleOpensTheColonPathAsAPosixPath) {
  const std::string opened = home_.root() + "/opened";
  const std::string opener = home_.root() + "/opener";
  WriteFileText(opener, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + opened + "'\n");
  chmod(opener.c_str(), 0700);
  setenv("HARKWELL_OPENER", opener.c_str(), 1);
  EXPECT_EQ(Run(kLogViewing), "");
  ASSERT_TRUE(WaitFor(10, [&] { return !ReadFileText(opened).empty(); }));
  EXPECT_EQ(ReadFileText(opened), "/home/x/Library/Logs/Harkwell.log\n");
}

TEST_F(Scripts, AnOpenerThatCannotStartFailsTheScript) {
  setenv("HARKWELL_OPENER", (home_.root() + "/missing-opener").c_str(), 1);
  EXPECT_NE(Run(kLogViewing), "");
}

TEST_F(Scripts, TextOutsideTheLanguageDoesNotCompile) {
  const char* const rejected[] = {
      "display dialog \"hi\"\n",
      "tell application \"Finder\"\n   activate\nend tell\n",
      "tell application \"System Events\"\n   return \"x\" is in (name of every login item)\n",
      "tell application \"Console\"\n   return \"x\" is in (name of every login item)\nend tell\n",
      "tell application \"System Events\"\n\tactivate\nend tell\n",
      "tell application \"System Events\"\n   return \"bad \\q escape\" is in (name of every "
      "login item)\nend tell\n",
      "tell application \"System Events\"\n   return \"open string is in (name of every login "
      "item)\nend tell\n",
      "tell application \"System Events\"\n\t\tmake login item at end with properties "
      "{hidden:false}\nend tell\n",
      "tell application \"System Events\" return \"x\" is in (name of every login item)\nend\n",
      "return \"x\" is in (name of every login item)\n",
  };
  for (const char* text : rejected) {
    Script script;
    EXPECT_EQ(script.Compile(text), platform::errOSASyntaxError) << text;
    EXPECT_EQ(script.id(), platform::kOSANullScript) << text;
    EXPECT_EQ(script.Execute(), -1) << text;
  }
}

TEST_F(Scripts, StringLiteralsFollowTheEscapeRules) {
  const char* text =
      "TELL application \"System Events\" -- words are case-insensitive\n"
      "   make login item at end with properties {path:\"/q\\\"uote \\\\ back/X.app\", "
      "hidden:true}\n"
      "end\n";
  EXPECT_EQ(Run(text), "");
  std::vector<platform::LoginItem> items;
  platform::ReadLoginItems(&items);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].name, "X");
  EXPECT_EQ(items[0].path, "/q\"uote \\ back/X.app");
  EXPECT_TRUE(items[0].hidden);
}

TEST_F(Scripts, ACompiledScriptKeepsItsFirstId) {
  Script script;
  ASSERT_EQ(script.Compile(kQuery), 0);
  const platform::OSAID first = script.id();
  EXPECT_EQ(script.Compile(kRemoval), -1);
  EXPECT_EQ(script.id(), first);
  EXPECT_EQ(script.Dispose(), 0);
  EXPECT_EQ(script.id(), platform::kOSANullScript);
}

TEST_F(Scripts, DisplayNeedsRoomForTheTextAndItsNul) {
  Script script;
  ASSERT_EQ(script.Compile(kQuery), 0);
  char roomy[10];
  memset(roomy, 'x', sizeof roomy);
  EXPECT_EQ(script.ExecuteAndDisplay(roomy, sizeof roomy), 0);
  EXPECT_STREQ(roomy, "false");
  char tight[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(script.ExecuteAndDisplay(tight, sizeof tight), -1);
  EXPECT_EQ(std::string(tight, 4), "xxxx");  // not written
  script.Dispose();
}

// Each test runs in its own process, so the component is not open yet here.
TEST_F(Scripts, DisposeBeforeTheComponentOpensIsRefused) {
  Script script;
  EXPECT_EQ(script.Dispose(), -1);
  EXPECT_EQ(script.Execute(), -1);
  ASSERT_EQ(OpenScriptingComponent(), 0);
  EXPECT_EQ(script.Dispose(), 0);
}

}  // namespace
}  // namespace brek
