#include "platform/preferences_file.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "tests/support/temp_home.h"

namespace platform {
namespace {

std::string DomainFile(const harkwell_test::TempHome& home, const std::string& domain) {
  return home.home() + "/Library/Preferences/" + domain + ".json";
}

TEST(PreferencesFile, WritesAreTypedAndPublishedBySynchronize) {
  harkwell_test::TempHome home;
  SetAppValue("SearchPath", PreferenceValue(std::string("/music")), "d.one");
  SetAppValue("Count", PreferenceValue(3.0), "d.one");
  EXPECT_FALSE(harkwell_test::FileExists(DomainFile(home, "d.one")));
  ASSERT_TRUE(AppSynchronize("d.one"));
  auto stored = nlohmann::json::parse(harkwell_test::ReadFileText(DomainFile(home, "d.one")));
  EXPECT_EQ(stored["SearchPath"], "/music");
  EXPECT_EQ(stored["Count"], 3.0);
  EXPECT_EQ(CopyAppValue("Count", "d.one"), PreferenceValue(3.0));
  EXPECT_EQ(CopyAppValue("Missing", "d.one"), std::nullopt);
}

TEST(PreferencesFile, AnotherProcessesWriteIsSeenAfterSynchronize) {
  harkwell_test::TempHome home;
  EXPECT_EQ(CopyAppValue("SearchPath", "d.two"), std::nullopt);
  pid_t child = fork();
  if (child == 0) {
    SetAppValue("SearchPath", PreferenceValue(std::string("/from/child")), "d.two");
    _exit(AppSynchronize("d.two") ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_EQ(status, 0);
  EXPECT_EQ(CopyAppValue("SearchPath", "d.two"), std::nullopt);  // not yet synchronised
  ASSERT_TRUE(AppSynchronize("d.two"));
  EXPECT_EQ(CopyAppValue("SearchPath", "d.two"), PreferenceValue(std::string("/from/child")));
}

TEST(PreferencesFile, ACorruptFileIsMovedAsideAndLaterWritesWork) {
  harkwell_test::TempHome home;
  mkdir((home.home() + "/Library").c_str(), 0700);
  mkdir((home.home() + "/Library/Preferences").c_str(), 0700);
  harkwell_test::WriteFileText(DomainFile(home, "d.bad"), "{\"SearchPath\": \"/cut");
  EXPECT_EQ(CopyAppValue("SearchPath", "d.bad"), std::nullopt);
  SetAppValue("SearchPath", PreferenceValue(std::string("/new")), "d.bad");
  ASSERT_TRUE(AppSynchronize("d.bad"));
  auto stored = nlohmann::json::parse(harkwell_test::ReadFileText(DomainFile(home, "d.bad")));
  EXPECT_EQ(stored["SearchPath"], "/new");
  int asides = 0;
  DIR* dir = opendir((home.home() + "/Library/Preferences").c_str());
  while (dirent* entry = readdir(dir)) {
    if (std::string(entry->d_name).rfind("d.bad.json.corrupt-", 0) == 0) ++asides;
  }
  closedir(dir);
  EXPECT_EQ(asides, 1);
}

TEST(PreferencesFile, AKilledWriterNeverLeavesATornFile) {
  harkwell_test::TempHome home;
  SetAppValue("SearchPath", PreferenceValue(std::string("/start")), "d.kill");
  ASSERT_TRUE(AppSynchronize("d.kill"));
  for (int round = 0; round < 5; ++round) {
    pid_t child = fork();
    if (child == 0) {
      for (int i = 0;; ++i) {
        SetAppValue("SearchPath", PreferenceValue(std::string(4000 + i % 50, 'x')), "d.kill");
        AppSynchronize("d.kill");
      }
    }
    usleep(20000 + round * 7000);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    auto parsed = nlohmann::json::parse(harkwell_test::ReadFileText(DomainFile(home, "d.kill")),
                                        nullptr, false);
    ASSERT_TRUE(parsed.is_object()) << "round " << round;
    ASSERT_TRUE(parsed["SearchPath"].is_string());
  }
}

}  // namespace
}  // namespace platform
