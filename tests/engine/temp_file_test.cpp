#include "engine/temp_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace brek {
namespace {

// A prefix no other test run uses, so names of this second are ours alone.
std::string UniquePrefix() { return "harkwell-test-" + std::to_string(getpid()); }

TEST(TempFile, CreatesAPrivateFileNamedByPrefixSecondsAndAttempt) {
  const std::string prefix = UniquePrefix();
  time_t before = time(nullptr);
  TempFile temp(prefix.c_str());
  ASSERT_NE(temp.file(), nullptr);
  const std::string head = "/tmp/" + prefix + "-";
  const std::string path = temp.path();
  ASSERT_EQ(path.rfind(head, 0), 0u) << path;
  unsigned long seconds = 0;
  int attempt = -1;
  ASSERT_EQ(sscanf(path.c_str() + head.size(), "%lu-%d.tmp", &seconds, &attempt), 2) << path;
  EXPECT_GE(seconds, static_cast<unsigned long>(before));
  EXPECT_EQ(attempt, 0);
  struct stat info;
  ASSERT_EQ(stat(temp.path(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(TempFile, TakenNameMovesOnToTheNextAttempt) {
  const std::string prefix = UniquePrefix();
  for (;;) {
    TempFile first(prefix.c_str());
    TempFile second(prefix.c_str());
    ASSERT_NE(second.file(), nullptr);
    std::string a = first.path(), b = second.path();
    // Both in one second: the second name is attempt 01 of that second.
    if (a.substr(0, a.size() - 7) != b.substr(0, b.size() - 7)) continue;
    EXPECT_EQ(a.substr(a.size() - 7), "-00.tmp");
    EXPECT_EQ(b.substr(b.size() - 7), "-01.tmp");
    break;
  }
}

TEST(TempFile, HundredTakenNamesGiveEexistAndAnEmptyObject) {
  const std::string prefix = UniquePrefix();
  for (;;) {
    unsigned long now = static_cast<unsigned long>(time(nullptr));
    std::vector<std::string> taken;
    for (int k = 0; k < 100; ++k) {
      char name[256];
      snprintf(name, sizeof name, "/tmp/%s-%lu-%02d.tmp", prefix.c_str(), now, k);
      FILE* file = fopen(name, "w");
      ASSERT_NE(file, nullptr);
      fclose(file);
      taken.push_back(name);
    }
    TempFile temp;
    int result = temp.Create(prefix.c_str());
    bool sameSecond = static_cast<unsigned long>(time(nullptr)) == now;
    for (const auto& name : taken) unlink(name.c_str());
    if (!sameSecond) continue;
    EXPECT_EQ(result, EEXIST);
    EXPECT_STREQ(temp.path(), "");
    EXPECT_EQ(temp.file(), nullptr);
    break;
  }
}

TEST(TempFile, DestructionAndRemoveDeleteTheFile) {
  const std::string prefix = UniquePrefix();
  std::string path;
  {
    TempFile temp(prefix.c_str());
    path = temp.path();
    fputs("record", temp.file());
    temp.Close();
    EXPECT_EQ(access(path.c_str(), F_OK), 0);  // Close keeps it on disk
  }
  EXPECT_NE(access(path.c_str(), F_OK), 0);
  TempFile temp(prefix.c_str());
  path = temp.path();
  EXPECT_EQ(temp.Remove(), 0);
  EXPECT_STREQ(temp.path(), "");
  EXPECT_NE(access(path.c_str(), F_OK), 0);
}

TEST(TempFile, DefaultPrefixIsTmp) {
  TempFile temp;
  ASSERT_NE(temp.file(), nullptr);
  EXPECT_EQ(std::string(temp.path()).rfind("/tmp/tmp-", 0), 0u) << temp.path();
}

}  // namespace
}  // namespace brek
