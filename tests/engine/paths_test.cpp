#include "engine/paths.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace brek::zomelo {
namespace {

class PathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* home = getenv("HOME");
    saved_ = home ? home : "";
    hadHome_ = home != nullptr;
  }
  void TearDown() override {
    if (hadHome_) setenv("HOME", saved_.c_str(), 1);
    else unsetenv("HOME");
  }
  std::string saved_;
  bool hadHome_ = false;
};

TEST_F(PathsTest, FoldersLieBelowHome) {
  setenv("HOME", "/Users/x", 1);
  char path[kPathSize];
  ASSERT_EQ(GetMusicFolder(path), 0);
  EXPECT_STREQ(path, "/Users/x/Music");
  ASSERT_EQ(GetCachesFolder(path), 0);
  EXPECT_STREQ(path, "/Users/x/Library/Caches");
  ASSERT_EQ(GetLogsFolder(path), 0);
  EXPECT_STREQ(path, "/Users/x/Library/Logs");
  ASSERT_EQ(AppendToPath(path, "/Harkwell.log"), 0);
  EXPECT_STREQ(path, "/Users/x/Library/Logs/Harkwell.log");
}

TEST_F(PathsTest, UnsetHomeFallsBackToThePasswordDatabase) {
  unsetenv("HOME");
  passwd* entry = getpwuid(getuid());
  ASSERT_NE(entry, nullptr);
  char path[kPathSize];
  ASSERT_EQ(GetMusicFolder(path), 0);
  EXPECT_EQ(std::string(path), std::string(entry->pw_dir) + "/Music");
}

TEST_F(PathsTest, APathThatWouldNotFitFailsInsteadOfBeingCut) {
  std::string home = "/" + std::string(1017, 'h');  // 1018 bytes: "/Music" would need 1025
  setenv("HOME", home.c_str(), 1);
  char path[kPathSize];
  EXPECT_EQ(GetMusicFolder(path), ENAMETOOLONG);
  EXPECT_STREQ(path, "");
  home.pop_back();  // 1017 + 6 = 1023 bytes fits
  setenv("HOME", home.c_str(), 1);
  EXPECT_EQ(GetMusicFolder(path), 0);
  EXPECT_EQ(strlen(path), 1023u);
  EXPECT_EQ(AppendToPath(path, "x"), ENAMETOOLONG);
  EXPECT_EQ(strlen(path), 1023u);
}

}  // namespace
}  // namespace brek::zomelo
