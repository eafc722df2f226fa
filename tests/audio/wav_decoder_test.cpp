#include <gtest/gtest.h>

#include <cstdlib>

#include "audio/audio_decoders.h"
#include "host/glfw_game.h"
#include "tests/audio/audio_test_support.h"
#include "tests/audio/malloc_probe.h"

namespace {

struct Decoded {
  unsigned char* data = nullptr;
  int length = -1, channels = -1, format = -1, hertz = -1;
  size_t largest_allocation = 0;
  ~Decoded() { free(data); }
};

class WavDecoder : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!VxGlfwGame::_glfwGame) new VxGlfwGame();
  }

  // Through the host, as the device asks for it.
  void Load(const std::string& name, const std::string& bytes, Decoded* out) {
    WriteFile(dir.Path(name), bytes);
    ResetLargestAllocation();
    out->data = LoadAudioData(String(dir.Path(name).c_str()), &out->length,
                                                     &out->channels, &out->format, &out->hertz);
    out->largest_allocation = LargestAllocation();
  }

  bool Loads(const std::string& bytes) {
    Decoded out;
    Load("sound.wav", bytes, &out);
    // Refused or not, nothing beyond the file's own size is asked for.
    EXPECT_LT(out.largest_allocation, bytes.size() + 65536);
    return out.data != nullptr;
  }

  TempDir dir;
};

TEST_F(WavDecoder, SixteenBitStereoLengthCountsFrames) {
  WavFile wav;
  wav.channels = 2;
  wav.hertz = 44100;
  wav.data = std::string(1764000, '\x11');
  Decoded out;
  Load("long.wav", wav.Bytes(), &out);
  ASSERT_NE(out.data, nullptr);
  EXPECT_EQ(out.length, 441000);
  EXPECT_EQ(out.channels, 2);
  EXPECT_EQ(out.format, 2);
  EXPECT_EQ(out.hertz, 44100);
}

TEST_F(WavDecoder, EightBitMonoKeepsItsBytes) {
  WavFile wav;
  wav.bits = 8;
  wav.hertz = 11025;
  for (int i = 0; i < 1000; ++i) wav.data += static_cast<char>(i * 7);
  Decoded out;
  Load("mono8.wav", wav.Bytes(), &out);
  ASSERT_NE(out.data, nullptr);
  EXPECT_EQ(out.length, 1000);
  EXPECT_EQ(out.channels, 1);
  EXPECT_EQ(out.format, 1);
  EXPECT_EQ(out.hertz, 11025);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out.data), 1000), wav.data);
}

TEST_F(WavDecoder, SkipsOtherChunksAndFormatExtension) {
  WavFile wav;
  wav.fmt_size = 18;
  wav.before_data = Chunk("LIST", "INFOISFT\x05\0\0\0tool") + Chunk("fact", "abcd");
  wav.data = Sine16(100, 1, 22050, 440, 1000);
  Decoded out;
  Load("list.wav", wav.Bytes(), &out);
  ASSERT_NE(out.data, nullptr);
  EXPECT_EQ(out.length, 100);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out.data), wav.data.size()), wav.data);
}

TEST_F(WavDecoder, ExtensionChoosesTheDecoderWhateverItsCase) {
  WavFile wav;
  wav.data = Sine16(10, 1, 22050, 440, 1000);
  Decoded upper, mp3, none;
  Load("LOUD.WAV", wav.Bytes(), &upper);
  Load("song.mp3", wav.Bytes(), &mp3);
  Load("plain", wav.Bytes(), &none);
  EXPECT_NE(upper.data, nullptr);
  EXPECT_EQ(mp3.data, nullptr);
  EXPECT_EQ(none.data, nullptr);
}

TEST_F(WavDecoder, LoadingAsksForAFullCollection) {
  gc_force_sweep = false;
  Decoded missing;
  missing.data = LoadAudioData(String(dir.Path("missing.wav").c_str()), &missing.length,
                                                      &missing.channels, &missing.format, &missing.hertz);
  EXPECT_EQ(missing.data, nullptr);
  EXPECT_FALSE(gc_force_sweep);
  Decoded broken;
  Load("broken.wav", "RIFF", &broken);
  EXPECT_EQ(broken.data, nullptr);
  EXPECT_TRUE(gc_force_sweep);
}

TEST_F(WavDecoder, RefusesCompressedAndFloatFormats) {
  for (int code : {3, 2, 0xFFFE}) {
    WavFile wav;
    wav.format_code = code;
    wav.data = std::string(64, '\0');
    EXPECT_FALSE(Loads(wav.Bytes())) << "format code " << code;
  }
}

struct Malformed {
  const char* name;
  void (*breakIt)(WavFile&);
};

void PrintTo(const Malformed& malformed, std::ostream* out) { *out << malformed.name; }

class MalformedWav : public WavDecoder, public ::testing::WithParamInterface<Malformed> {};

TEST_P(MalformedWav, IsRefused) {
  WavFile wav;
  wav.data = std::string(400, '\x22');
  ASSERT_TRUE(Loads(wav.Bytes()));
  GetParam().breakIt(wav);
  EXPECT_FALSE(Loads(wav.Bytes()));
}

INSTANTIATE_TEST_SUITE_P(
    Headers, MalformedWav,
    ::testing::Values(
        Malformed{"NegativeDataSize", [](WavFile& w) { w.data_size_given = true, w.data_size = -8; }},
        Malformed{"DataSizeMinusOne", [](WavFile& w) { w.data_size_given = true, w.data_size = -1; }},
        Malformed{"MostNegativeDataSize", [](WavFile& w) { w.data_size_given = true, w.data_size = INT32_MIN; }},
        Malformed{"DataOneByteLonger", [](WavFile& w) { w.data_size_given = true, w.data_size = 401; }},
        Malformed{"HugeDataSize", [](WavFile& w) { w.data_size_given = true, w.data_size = INT32_MAX; }},
        Malformed{"NoChannels", [](WavFile& w) { w.channels = 0; }},
        Malformed{"ThreeChannels", [](WavFile& w) { w.channels = 3; }},
        Malformed{"NoBits", [](WavFile& w) { w.bits = 0; }},
        Malformed{"TwentyFourBits", [](WavFile& w) { w.bits = 24; }},
        Malformed{"NoSampleRate", [](WavFile& w) { w.hertz = 0; }},
        Malformed{"ShortFormatChunk", [](WavFile& w) { w.fmt_size = 14; }},
        Malformed{"NegativeFormatChunk", [](WavFile& w) { w.fmt_size = -2; }},
        Malformed{"ChunkRunsPastTheEnd", [](WavFile& w) { w.before_data = "LIST" + std::string("\xff\x0f\0\0", 4); }},
        Malformed{"NegativeChunk", [](WavFile& w) { w.before_data = "LIST" + std::string("\xf0\xff\xff\xff", 4); }}),
    [](const ::testing::TestParamInfo<Malformed>& info) { return std::string(info.param.name); });

TEST_F(WavDecoder, NoDataChunkAtAllIsRefused) {
  WavFile wav;
  std::string bytes = wav.Bytes();
  EXPECT_FALSE(Loads(bytes.substr(0, bytes.find("data"))));
  EXPECT_FALSE(Loads(bytes.substr(0, bytes.find("data")) + Chunk("LIST", "xy")));
}

TEST_F(WavDecoder, EveryTruncationIsRefused) {
  WavFile wav;
  wav.fmt_size = 20;
  wav.before_data = Chunk("LIST", "abcdefg");
  wav.data = Sine16(8, 2, 22050, 440, 1000);
  wav.channels = 2;
  std::string bytes = wav.Bytes();
  ASSERT_TRUE(Loads(bytes));
  for (size_t size = 0; size < bytes.size(); ++size) {
    EXPECT_FALSE(Loads(bytes.substr(0, size))) << "cut after " << size << " bytes";
  }
}

TEST(WavReads, LittleEndianValuesAndFailedReads) {
  FILE* file = tmpfile();
  ASSERT_NE(file, nullptr);
  fwrite("\x34\x12\xfe\xff\x78\x56\x34\x12\xfe\xff\xff\xff\x01", 1, 13, file);
  rewind(file);
  EXPECT_EQ(readShort(file), 0x1234);
  EXPECT_EQ(readShort(file), 0xFFFE);
  EXPECT_EQ(readInt(file), 0x12345678);
  EXPECT_EQ(readInt(file), -2);
  EXPECT_EQ(readShort(file), -1);  // one byte left
  EXPECT_EQ(readInt(file), -1);
  fclose(file);
}

}  // namespace
