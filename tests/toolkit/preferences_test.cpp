#include "toolkit/preferences.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/preferences_file.h"
#include "tests/support/temp_home.h"

namespace brek {
namespace {

TEST(Preferences, AStoreWithoutIdentifierIsTheProgramsOwnDomain) {
  harkwell_test::TempHome home;
  const std::string own = platform::CurrentApplicationDomain();
  Preferences implicit, explicitNull(nullptr), named(own.c_str());
  implicit.SetString(kSearchPathKey, "/a");
  char buffer[64];
  named.GetString(kSearchPathKey, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "/a");
  explicitNull.GetString(kSearchPathKey, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "/a");
}

TEST(Preferences, ReadsThatCannotBeSatisfiedThrowMinusOne) {
  harkwell_test::TempHome home;
  Preferences store("com.example.typed");
  platform::SetAppValue(kSearchPathKey, platform::PreferenceValue(12.0), "com.example.typed");
  char buffer[1024];
  EXPECT_THROW(
      try { store.GetString(kSearchPathKey, buffer, sizeof buffer); } catch (long e) {
        EXPECT_EQ(e, -1);
        throw;
      },
      long);
  EXPECT_THROW(store.GetString("Missing", buffer, sizeof buffer), long);
}

TEST(Preferences, AValueFitsOnlyWithItsTerminatingNul) {
  harkwell_test::TempHome home;
  Preferences store("com.example.sizes");
  char buffer[1024];
  const std::string fits(1023, 'p');
  store.SetString(kSearchPathKey, fits.c_str());
  store.GetString(kSearchPathKey, buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer), fits);
  store.SetString(kSearchPathKey, std::string(1024, 'p').c_str());
  EXPECT_THROW(store.GetString(kSearchPathKey, buffer, sizeof buffer), long);
}

TEST(Preferences, TwoStoresOnOneDomainShareWritesAndDestructionSynchronizes) {
  harkwell_test::TempHome home;
  {
    Preferences writer("com.example.shared");
    writer.SetString(kSearchPathKey, "/shared");
    Preferences reader("com.example.shared");
    reader.Synchronize();
    char buffer[64];
    reader.GetString(kSearchPathKey, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "/shared");
  }
  EXPECT_NE(harkwell_test::ReadFileText(home.home() +
                                        "/Library/Preferences/com.example.shared.json")
                .find("/shared"),
            std::string::npos);
}

TEST(Preferences, SynchronizeFailureThrowsAndDestructionStillCompletes) {
  harkwell_test::TempHome home;
  harkwell_test::WriteFileText(home.home() + "/Library", "a file where a folder should be");
  Preferences store("com.example.broken");
  store.SetString(kSearchPathKey, "/x");
  EXPECT_THROW(store.Synchronize(), long);
}

}  // namespace
}  // namespace brek
