#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "host/glfw_game.h"
#include "tests/audio/audio_test_support.h"

namespace {

class OggDecoder : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!VxGlfwGame::_glfwGame) new VxGlfwGame();
  }

  // Encodes a sine tone with the system's Vorbis encoder.
  std::string Encode(const std::string& name, int channels, int hertz, int frames) {
    WavFile wav;
    wav.channels = channels;
    wav.hertz = hertz;
    wav.data = Sine16(frames, channels, hertz, 440, 10000);
    WriteFile(dir.Path("source.wav"), wav.Bytes());
    std::string command = "oggenc -Q -o '" + dir.Path(name) + "' '" + dir.Path("source.wav") + "'";
    EXPECT_EQ(system(command.c_str()), 0) << command;
    return dir.Path(name);
  }

  short* Decode(const std::string& path) {
    return reinterpret_cast<short*>(
        VxGlfwGame::_glfwGame->LoadAudioData(String(path.c_str()), &length, &channels, &format, &hertz));
  }

  TempDir dir;
  int length = -1, channels = -1, format = -1, hertz = -1;
};

double Rms(const short* samples, int count) {
  double sum = 0;
  for (int i = 0; i < count; ++i) sum += double(samples[i]) * samples[i];
  return std::sqrt(sum / count);
}

TEST_F(OggDecoder, DecodesStereoToSixteenBitFrames) {
  short* data = Decode(Encode("tone.ogg", 2, 44100, 44100));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(channels, 2);
  EXPECT_EQ(format, 2);
  EXPECT_EQ(hertz, 44100);
  EXPECT_NEAR(length, 44100, 441);
  // A full-scale sine of amplitude 10000 has an RMS of about 7071.
  EXPECT_NEAR(Rms(data, length * channels), 7071, 700);
  free(data);
}

TEST_F(OggDecoder, DecodesMonoAtItsOwnRateWhateverTheExtensionCase) {
  short* data = Decode(Encode("VOICE.OGG", 1, 22050, 30000));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(channels, 1);
  EXPECT_EQ(hertz, 22050);
  EXPECT_NEAR(length, 30000, 300);
  free(data);
}

TEST_F(OggDecoder, UnreadableFileGivesNone) {
  WriteFile(dir.Path("junk.ogg"), std::string(5000, 'x'));
  WavFile wav;
  wav.data = Sine16(100, 1, 22050, 440, 1000);
  WriteFile(dir.Path("wave.ogg"), wav.Bytes());
  EXPECT_EQ(Decode(dir.Path("junk.ogg")), nullptr);
  EXPECT_EQ(Decode(dir.Path("wave.ogg")), nullptr);
  EXPECT_EQ(Decode(dir.Path("missing.ogg")), nullptr);
}

}  // namespace
