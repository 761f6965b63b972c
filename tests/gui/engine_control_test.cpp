#include "gui/engine_control.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/gui/gui_fixture.h"

namespace brek::zomelo {
namespace {

class EngineControlTest : public harkwell_test::GuiFixture {};

TEST_F(EngineControlTest, ResourcesDirectoryComesFromTheExecutablePath) {
  SetExecutablePath("/Applications/Harkwell.app/Contents/MacOS/Harkwell");
  char buffer[1024];
  ASSERT_EQ(ResourcesDirectory(buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "/Applications/Harkwell.app/Contents/Resources");
  char small[12];
  ASSERT_EQ(ResourcesDirectory(small, sizeof small), 0);
  EXPECT_STREQ(small, "/Applicatio");  // cut to the buffer
  SetExecutablePath("/Harkwell");
  strcpy(buffer, "untouched");
  EXPECT_EQ(ResourcesDirectory(buffer, sizeof buffer), -1);
  EXPECT_STREQ(buffer, "untouched");
}

TEST_F(EngineControlTest, LoginItemNamesComeFromTheBundlePath) {
  EXPECT_EQ(AddLoginItem("no-slash.app", false), -1);
  EXPECT_EQ(AddLoginItem("/Applications/no-extension", false), -1);
  EXPECT_TRUE(LoginItems().empty());
  ASSERT_EQ(AddLoginItem("/A/Harkwell Engine.app", false), 0);
  ASSERT_EQ(AddLoginItem("/B/Harkwell Engine.app", true), 0);  // the name exists: nothing added
  auto items = LoginItems();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].name, "Harkwell Engine");
  EXPECT_EQ(items[0].path, "/A/Harkwell Engine.app");
  EXPECT_TRUE(IsLoginItem("Harkwell Engine"));
  EXPECT_FALSE(IsLoginItem("Harkwell"));
}

TEST_F(EngineControlTest, QuotesAndBackslashesInPathsReachTheLoginItemUnchanged) {
  const std::string path = "/Users/x/My \"best\" \\ apps/Harkwell Engine.app";
  ASSERT_EQ(AddLoginItem(path.c_str(), false), 0);
  auto items = LoginItems();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].path, path);
  EXPECT_EQ(items[0].executable, path + "/Contents/MacOS/Harkwell Engine");
  // A name with a quote cannot end the string early and add statements.
  const char* hostile = "/x/Evil\") then\ndelete (every login item whose name is \"Harkwell Engine\"";
  EXPECT_FALSE(IsLoginItem(hostile));
  EXPECT_EQ(RemoveLoginItem(hostile), 0);
  EXPECT_EQ(LoginItems().size(), 1u);
}

TEST_F(EngineControlTest, EscapingIsNeverCutInsideAnEscape) {
  char buffer[6];
  EXPECT_STREQ(EscapeScriptString("ab\"c", buffer, sizeof buffer), "ab\\\"c");
  EXPECT_STREQ(EscapeScriptString("abcd\"", buffer, sizeof buffer), "abcd");
  EXPECT_STREQ(EscapeScriptString("\\\\\\", buffer, sizeof buffer), "\\\\\\\\");
}

TEST_F(EngineControlTest, SwitchingOffWithoutARunningEngineOnlyRemovesTheItem) {
  AddLoginItemFile("Harkwell Engine", engineBundle_);
  SetEngineEnabled(false);
  EXPECT_TRUE(LoginItems().empty());
}

}  // namespace
}  // namespace brek::zomelo
