#include "audio/simple_sound_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/temp_home.h"

namespace brek {
namespace {

class SoundFileTest : public ::testing::Test {
 protected:
  // Raw signed 16-bit samples made into a file by ffmpeg with `encoder` arguments.
  std::string Make(const std::vector<int16_t>& samples, int channels, const std::string& name,
                   const std::string& encoder = "") {
    const std::string raw = home_.root() + "/" + name + ".raw";
    FILE* file = fopen(raw.c_str(), "wb");
    fwrite(samples.data(), 2, samples.size(), file);
    fclose(file);
    const std::string path = home_.root() + "/" + name;
    std::string command = "ffmpeg -nostdin -v error -y -f s16le -ar 44100 -ac " +
                          std::to_string(channels) + " -i '" + raw + "' " + encoder + " '" + path +
                          "'";
    EXPECT_EQ(system(command.c_str()), 0) << command;
    return path;
  }
  harkwell_test::TempHome home_;
};

TEST_F(SoundFileTest, StereoFramesAreTheirTruncatedIntegerAverage) {
  std::vector<int16_t> samples;
  for (int i = 0; i < 4096; ++i) {
    samples.push_back(3);  // L
    samples.push_back(0);  // R
  }
  samples[2] = -3;  // frame 1: L -3, R 0 averages to -1 (toward zero)
  samples[4] = -32768;
  samples[5] = -32768;
  SimpleSoundFile_QT stream(Make(samples, 2, "stereo.aiff").c_str());
  ASSERT_EQ(stream.moreData, 1);
  EXPECT_EQ(stream.rate, 44100.0);
  EXPECT_EQ(stream.length(), 4096);
  std::vector<float> out(1024);
  ASSERT_EQ(stream.read(1024, out.data()), 0);
  EXPECT_EQ(out[0], float(1 / 32767.0));
  EXPECT_EQ(out[1], float(-1 / 32767.0));
  EXPECT_EQ(out[2], float(-32768 / 32767.0));
  EXPECT_LT(out[2], -1.0f);
}

TEST_F(SoundFileTest, AShortTrackEndsWithZerosAndMoreDataCleared) {
  SimpleSoundFile_QT stream(Make(std::vector<int16_t>(2500, 1000), 1, "short.aiff").c_str());
  ASSERT_EQ(stream.length(), 2500);
  std::vector<float> out(1024);
  for (int read = 1; read <= 3; ++read) {
    ASSERT_EQ(stream.moreData, 1) << read;
    ASSERT_EQ(stream.read(1024, out.data()), 0);
  }
  EXPECT_EQ(out[451], float(1000 / 32767.0));
  EXPECT_EQ(out[452], 0.0f);
  EXPECT_EQ(out[1023], 0.0f);
  EXPECT_EQ(stream.position, 3072);
  EXPECT_EQ(stream.moreData, 0);
  EXPECT_EQ(stream.read(1024, out.data()), 0);  // zeros from now on
  EXPECT_EQ(out[0], 0.0f);
  EXPECT_EQ(stream.read(0, out.data()), -1);
}

TEST_F(SoundFileTest, WhatIsNotAnAudioFileDoesNotOpen) {
  harkwell_test::WriteFileText(home_.root() + "/text.mp3", "not audio at all");
  for (std::string path : {home_.root(), home_.root() + "/text.mp3", home_.root() + "/none.mp3"}) {
    SimpleSoundFile_QT stream(path.c_str());
    EXPECT_EQ(stream.moreData, 0) << path;
    EXPECT_EQ(stream.length(), 0) << path;
  }
}

TEST_F(SoundFileTest, DecodesMp3AiffAifcAndMpeg4Audio) {
  std::vector<int16_t> tone(44100 * 2);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = int16_t(8000.0 * ((i / 50) % 2 ? 1 : -1));
  struct Case {
    const char* name;
    const char* encoder;
  } cases[] = {{"t.mp3", "-c:a libmp3lame -b:a 192k"},
               {"t.aiff", ""},
               {"t.aifc", "-c:a pcm_s16le -f aiff"},
               {"t.m4a", "-c:a aac -b:a 128k"},
               {"alac.m4a", "-c:a alac"}};
  for (const auto& c : cases) {
    SimpleSoundFile_QT stream(Make(tone, 1, c.name, c.encoder).c_str());
    ASSERT_EQ(stream.moreData, 1) << c.name;
    EXPECT_EQ(stream.rate, 44100.0) << c.name;
    EXPECT_NEAR(stream.length(), 88200, 2000) << c.name;
    std::vector<float> out(1024);
    double energy = 0;
    int reads = 0;
    while (stream.moreData) {
      ASSERT_EQ(stream.read(1024, out.data()), 0);
      for (float s : out) energy += double(s) * s;
      ++reads;
    }
    EXPECT_EQ(reads, (stream.length() + 1023) / 1024) << c.name;
    EXPECT_GT(energy / stream.length(), 0.03) << c.name;  // the square wave came through
  }
}

}  // namespace
}  // namespace brek
