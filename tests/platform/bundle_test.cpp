#include "platform/bundle.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/four_cc.h"
#include "tests/support/temp_home.h"

namespace platform {
namespace {

TEST(Bundle, ReadsIdentifierSignatureAndResourcesFromInfoPlist) {
  harkwell_test::TempHome home;
  const std::string app = home.root() + "/Some Thing.app";
  mkdir(app.c_str(), 0700);
  mkdir((app + "/Contents").c_str(), 0700);
  harkwell_test::WriteFileText(app + "/Contents/Info.plist", R"(<?xml version="1.0"?>
<plist version="1.0"><dict>
	<key>CFBundleIdentifier</key>
	<string>com.example.some&amp;thing</string>
	<key>CFBundleSignature</key>
	<string>#BRk</string>
	<key>LSBackgroundOnly</key>
	<true/>
</dict></plist>
)");
  BundleInfo info = ReadBundle(app + "/Contents/MacOS/Some Thing");
  EXPECT_EQ(info.bundlePath, app);
  EXPECT_EQ(info.resourcesPath, app + "/Contents/Resources");
  EXPECT_EQ(info.identifier, "com.example.some&thing");
  EXPECT_EQ(info.signature, FourCC("#BRk"));
  EXPECT_TRUE(info.backgroundOnly);
}

TEST(Bundle, AProgramOutsideABundleHasNone) {
  for (const char* path : {"/usr/bin/true", "/x.app/MacOS/x", "/Contents/MacOS/x", "x"}) {
    BundleInfo info = ReadBundle(path);
    EXPECT_EQ(info.bundlePath, "") << path;
    EXPECT_EQ(info.identifier, "") << path;
    EXPECT_EQ(info.signature, 0u) << path;
  }
}

}  // namespace
}  // namespace platform
