#include <gtest/gtest.h>

#include <malloc.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "audio/audio_decoders.h"
#include "host/glfw_game.h"
#include "tests/audio/audio_test_support.h"
#include "tests/audio/malloc_probe.h"

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
        LoadAudioData(String(path.c_str()), &length, &channels, &format, &hertz));
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

TEST_F(OggDecoder, ChainedStreamsPlayOnWhileTheLayoutHolds) {
  std::string first = ReadFile(Encode("a.ogg", 1, 22050, 100000));
  std::string same = ReadFile(Encode("b.ogg", 1, 22050, 50000));
  std::string other = ReadFile(Encode("c.ogg", 2, 44100, 50000));
  WriteFile(dir.Path("same.ogg"), first + same);
  WriteFile(dir.Path("other.ogg"), first + other);
  short* both = Decode(dir.Path("same.ogg"));
  ASSERT_NE(both, nullptr);
  EXPECT_EQ(channels, 1);
  EXPECT_NEAR(length, 150000, 1000);
  free(both);
  short* cut = Decode(dir.Path("other.ogg"));
  ASSERT_NE(cut, nullptr);
  EXPECT_EQ(channels, 1);
  EXPECT_EQ(hertz, 22050);
  EXPECT_NEAR(length, 100000, 1000);
  free(cut);
}

TEST_F(OggDecoder, StreamWithoutSamplesGivesNone) {
  EXPECT_EQ(Decode(Encode("silent.ogg", 2, 44100, 0)), nullptr);
  EXPECT_EQ(length, -1);
}

TEST_F(OggDecoder, TruncatedStreamKeepsWhatDecoded) {
  // Long enough that the cut falls well after the headers.
  std::string whole = ReadFile(Encode("long.ogg", 1, 22050, 200000));
  WriteFile(dir.Path("half.ogg"), whole.substr(0, whole.size() / 2 + 2000));
  short* data = Decode(dir.Path("half.ogg"));
  ASSERT_NE(data, nullptr);
  EXPECT_GT(length, 50000);
  EXPECT_LT(length, 180000);
  free(data);
}

TEST_F(OggDecoder, EveryInputThatOnceMisbehavedGivesNoneAtOnceAndKeepsNothing) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VX_BAD_OGGS)) {
    SCOPED_TRACE(entry.path().filename().string());
    size_t held = mallinfo2().uordblks;
    ResetLargestAllocation();
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Decode(entry.path().string()), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_LT(LargestAllocation(), size_t(1) << 20);
    EXPECT_LT(mallinfo2().uordblks, held + 65536);
    ++count;
  }
  EXPECT_GE(count, 3);
}

}  // namespace
