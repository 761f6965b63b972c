#include "library/directory_walker.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/temp_home.h"

namespace brek::zomelo {
namespace {

class WalkerTest : public ::testing::Test {
 protected:
  std::string Dir(const std::string& relative) {
    std::string path = root_ + "/" + relative;
    mkdir(path.c_str(), 0700);
    return path;
  }
  void File(const std::string& relative) {
    harkwell_test::WriteFileText(root_ + "/" + relative, "x");
  }
  std::vector<std::string> Walk(const std::string& root, bool (*filter)(const char*) = nullptr) {
    DirectoryWalker walker;
    walker.filter = filter;
    walker.Start(root.c_str());
    std::vector<std::string> found;
    while (const char* path = walker.Next()) found.push_back(path);
    EXPECT_EQ(walker.Next(), nullptr);  // stays over until the next Start
    walker.Close();
    return found;
  }

  harkwell_test::TempHome home_;
  std::string root_ = home_.root() + "/music";
};

TEST_F(WalkerTest, EveryFileOnceDepthFirst) {
  Dir("");
  Dir("a");
  Dir("a/b");
  File("a/b/deep.mp3");
  File("a/one.mp3");
  File("top.mp3");
  File(".hidden");
  std::vector<std::string> found = Walk(root_);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{root_ + "/.hidden", root_ + "/a/b/deep.mp3",
                                             root_ + "/a/one.mp3", root_ + "/top.mp3"}));
  // Pre-order: everything under a directory comes together.
  found = Walk(root_);
  auto at = [&](const std::string& p) { return std::find(found.begin(), found.end(), p) - found.begin(); };
  EXPECT_EQ(std::abs(at(root_ + "/a/b/deep.mp3") - at(root_ + "/a/one.mp3")), 1);
}

TEST_F(WalkerTest, MissingRootAndTrailingSlash) {
  EXPECT_TRUE(Walk(root_ + "/none").empty());
  Dir("");
  File("x.mp3");
  EXPECT_EQ(Walk(root_ + "/"), std::vector<std::string>{root_ + "//x.mp3"});
}

bool SkipIncomplete(const char* name) { return strcmp(name, "incomplete") != 0; }

TEST_F(WalkerTest, TheFilterPassesOverNamedEntries) {
  Dir("");
  Dir("incomplete");
  File("incomplete/in.mp3");
  File("incomplete.mp3");
  Dir("sub");
  File("sub/incomplete");
  EXPECT_EQ(Walk(root_, SkipIncomplete), std::vector<std::string>{root_ + "/incomplete.mp3"});
}

TEST_F(WalkerTest, LinksAreFollowed) {
  Dir("");
  std::string elsewhere = home_.root() + "/elsewhere";
  mkdir(elsewhere.c_str(), 0700);
  harkwell_test::WriteFileText(elsewhere + "/linked.mp3", "x");
  ASSERT_EQ(symlink(elsewhere.c_str(), (root_ + "/dirlink").c_str()), 0);
  ASSERT_EQ(symlink((elsewhere + "/linked.mp3").c_str(), (root_ + "/filelink.mp3").c_str()), 0);
  ASSERT_EQ(symlink("/no/such", (root_ + "/dangling").c_str()), 0);
  std::vector<std::string> found = Walk(root_);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{root_ + "/dirlink/linked.mp3",
                                             root_ + "/filelink.mp3"}));
}

TEST_F(WalkerTest, FifteenLevelsBelowTheRootAreEnteredSixteenAreNot) {
  Dir("");
  std::string path = root_;
  for (int level = 1; level <= 16; ++level) {
    path += "/d";
    mkdir(path.c_str(), 0700);
    harkwell_test::WriteFileText(path + "/f" + std::to_string(level), "x");
  }
  std::vector<std::string> found = Walk(root_);
  EXPECT_EQ(found.size(), 15u);
  for (const auto& p : found) EXPECT_EQ(p.find("/f16"), std::string::npos);
}

TEST_F(WalkerTest, EntriesWhosePathWouldNotFitArePassedOver) {
  Dir("");
  std::string path = root_;
  // Nest directories until the path is close to the 1023-byte limit.
  const std::string part(200, 'p');
  for (int i = 0; i < 4; ++i) {
    path += "/" + part;
    mkdir(path.c_str(), 0700);
  }
  harkwell_test::WriteFileText(path + "/" + std::string(200, 'f'), "x");  // does not fit
  harkwell_test::WriteFileText(path + "/ok", "x");
  std::vector<std::string> found = Walk(root_);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0], path + "/ok");
}

TEST(IsAudioFileName, SuffixesInAnyCase) {
  for (const char* yes : {"Song.MP3", "a.AIF", "b.m4A", "/x/c.aiff", "incomplete.mp3"}) {
    EXPECT_TRUE(IsAudioFileName(yes)) << yes;
  }
  for (const char* no : {"c.mp3.part", "d.wav", "e.m4b", "README", "/a.b/track", ".mp", "x.mp3x"}) {
    EXPECT_FALSE(IsAudioFileName(no)) << no;
  }
}

}  // namespace
}  // namespace brek::zomelo
