#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <string>

#include "engine/harkwell.h"
#include "tests/support/temp_home.h"

namespace brek::zomelo {
namespace {

const uint8_t kA[8] = {1, 2, 3, 4, 5, 6, 7, 8};
const uint8_t kB[8] = {0xFF, 0xC6, 0x7F, 0x96, 0x26, 0x1E, 0xC7, 0xE8};

class CacheTest : public ::testing::Test {
 protected:
  std::string CachePath() { return home_.home() + "/Library/Caches" + kCacheFileName; }
  harkwell_test::TempHome home_;
};

TEST_F(CacheTest, ANewCacheIsCreatedEmptyAndRemembersWhatIsAdded) {
  {
    Harkwell engine;
    ASSERT_EQ(engine.OpenCache(), 0);
    EXPECT_FALSE(engine.IsCached(kA));
    ASSERT_EQ(engine.AddToCache(kA), 0);
    EXPECT_TRUE(engine.IsCached(kA));  // before any flush
    ASSERT_EQ(engine.FlushCache(), 0);
    EXPECT_EQ(harkwell_test::ReadFileText(CachePath()), std::string(kA, kA + 8));
  }
  Harkwell later;
  ASSERT_EQ(later.OpenCache(), 0);
  EXPECT_TRUE(later.IsCached(kA));
  EXPECT_FALSE(later.IsCached(kB));
}

TEST_F(CacheTest, DuplicatesLoadOnceAndARaggedTailIsCutBeforeAppending) {
  Harkwell first;
  ASSERT_EQ(first.OpenCache(), 0);
  first.AddToCache(kA);
  first.AddToCache(kA);
  first.FlushCache();
  first.~Harkwell();
  new (&first) Harkwell;
  FILE* file = fopen(CachePath().c_str(), "ab");
  fwrite("xyz", 1, 3, file);  // a record torn by a killed engine
  fclose(file);
  ASSERT_EQ(first.OpenCache(), 0);
  EXPECT_TRUE(first.IsCached(kA));
  first.AddToCache(kB);
  first.FlushCache();
  std::string bytes = harkwell_test::ReadFileText(CachePath());
  ASSERT_EQ(bytes.size(), 24u);
  EXPECT_EQ(bytes.substr(16), std::string(kB, kB + 8));
}

TEST_F(CacheTest, ASecondProcessCannotTakeTheLock) {
  Harkwell engine;
  ASSERT_EQ(engine.OpenCache(), 0);
  pid_t child = fork();
  if (child == 0) {
    Harkwell second;
    int result = second.OpenCache();
    _exit(result == EAGAIN || result == EACCES ? 0 : 1);
  }
  int status = -1;
  waitpid(child, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace brek::zomelo
