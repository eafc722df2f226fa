// The game's sound effects as the build writes them into the game folder:
// every file of the sound table is a 16-bit PCM wave the game's loader
// takes, sounds, starts and ends without a click, fits its use, and sits at
// a level that matches the others at the volumes the game plays them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "audio/audio_decoders.h"
#include "host/glfw_game.h"
#include "tests/audio/audio_test_support.h"

namespace {

const std::string kDistDir = VX_DIST_DIR;
const std::string kSfxDir = kDistDir + "/data/sfx";

const double kFullScale = 32768.0;

// The sound table and how the game uses each entry. The bounds follow from
// the use: a fuse tick must end before the next one 20 updates later, the
// danger warning before the next a second later, a click before the next
// click; the rest must stay short effects, not music.
struct Use {
  int id;
  const char* role;
  double min_seconds, max_seconds;
  double volume;  // as the game plays it; 0 for loaded but never played
};

const Use kTable[] = {
    {1, "landing", 0.08, 0.4, 0.3},      {2, "group blast", 0.3, 1.6, 1},
    {3, "slide", 0.02, 0.12, 1},         {4, "bomb explosion", 0.5, 2.0, 1},
    {5, "fuse tick", 0.05, 0.3, 1},      {6, "game over", 0.8, 3.0, 1},
    {7, "spare 7", 0.05, 2.0, 0},        {8, "danger warning", 0.2, 0.9, 1},
    {9, "spare 9", 0.05, 2.0, 0},        {10, "spare 10", 0.05, 2.0, 0},
    {95, "spare 95", 0.05, 2.0, 0},      {98, "menu click", 0.02, 0.2, 0.5},
    {99, "credits open and close", 0.2, 1.5, 1},
};

std::string FileName(int id) {
  char name[16];
  snprintf(name, sizeof name, "%03d.wav", id);
  return name;
}

std::string SfxPath(int id) { return kSfxDir + "/" + FileName(id); }

uint32_t Le(const std::string& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// The file read field by field, independently of the game's decoder.
struct Wave {
  std::string error;  // empty when the file is a well-formed PCM wave
  int format_code = 0, channels = 0, hertz = 0, bits = 0;
  std::vector<int16_t> samples;

  double Seconds() const { return channels && hertz ? double(samples.size()) / channels / hertz : 0; }
};

Wave ParseWave(const std::string& bytes) {
  Wave wave;
  if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
    wave.error = "not a RIFF WAVE file";
    return wave;
  }
  if (Le(bytes, 4, 4) != bytes.size() - 8) wave.error = "RIFF size does not match the file";
  bool have_fmt = false;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    std::string tag = bytes.substr(at, 4);
    size_t size = Le(bytes, at + 4, 4);
    size_t body = at + 8;
    if (body + size > bytes.size()) {
      wave.error = "chunk " + tag + " runs past the end";
      return wave;
    }
    if (tag == "fmt ") {
      have_fmt = true;
      wave.format_code = static_cast<int>(Le(bytes, body, 2));
      wave.channels = static_cast<int>(Le(bytes, body + 2, 2));
      wave.hertz = static_cast<int>(Le(bytes, body + 4, 4));
      int byte_rate = static_cast<int>(Le(bytes, body + 8, 4));
      int block = static_cast<int>(Le(bytes, body + 12, 2));
      wave.bits = static_cast<int>(Le(bytes, body + 14, 2));
      if (block != wave.channels * wave.bits / 8 || byte_rate != wave.hertz * block) {
        wave.error = "block align or byte rate inconsistent";
      }
    } else if (tag == "data") {
      if (!have_fmt) wave.error = "data before fmt";
      wave.samples.resize(size / 2);
      memcpy(wave.samples.data(), bytes.data() + body, wave.samples.size() * 2);
    }
    at = body + size;
  }
  return wave;
}

double Db(double level) { return level > 0 ? 20 * std::log10(level) : -999; }

// RMS of the loudest 50 ms window (a shorter sound counts as padded with
// silence), as a fraction of full scale: how loud a short effect is heard.
// The bass below about 120 Hz, which the ear and small speakers hardly
// hear, is weighed down by two one-pole high-passes.
double Loudness(const std::vector<int16_t>& samples, int hertz) {
  std::vector<double> heard(samples.size());
  double a = 1 - std::exp(-2 * M_PI * 120 / hertz), low1 = 0, low2 = 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    low1 += a * (samples[i] - low1);
    double high1 = samples[i] - low1;
    low2 += a * (high1 - low2);
    heard[i] = high1 - low2;
  }
  size_t window = static_cast<size_t>(hertz / 20);
  double loudest = 0;
  for (size_t from = 0; from < heard.size(); from += window / 5) {
    size_t to = std::min(heard.size(), from + window);
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += heard[i] * heard[i];
    loudest = std::max(loudest, std::sqrt(sum / window) / kFullScale);
    if (to == heard.size()) break;
  }
  return loudest;
}

double PeakOf(const std::vector<int16_t>& samples, size_t from, size_t to) {
  double peak = 0;
  for (size_t i = from; i < std::min(to, samples.size()); ++i) peak = std::max(peak, std::fabs(double(samples[i])));
  return peak / kFullScale;
}

double RmsOf(const std::vector<int16_t>& samples, size_t from, size_t to) {
  double sum = 0;
  to = std::min(to, samples.size());
  for (size_t i = from; i < to; ++i) sum += double(samples[i]) * samples[i];
  return to > from ? std::sqrt(sum / (to - from)) / kFullScale : 0;
}

class SoundEffect : public ::testing::TestWithParam<Use> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::is_regular_file(SfxPath(GetParam().id))) << SfxPath(GetParam().id);
    bytes = ReadFile(SfxPath(GetParam().id));
    wave = ParseWave(bytes);
    ASSERT_EQ(wave.error, "") << FileName(GetParam().id);
  }

  std::string bytes;
  Wave wave;
};

TEST_P(SoundEffect, IsSixteenBitPcmThatTheGameLoads) {
  EXPECT_EQ(wave.format_code, 1);
  EXPECT_EQ(wave.bits, 16);
  EXPECT_EQ(wave.channels, 1);
  EXPECT_GE(wave.hertz, 22050);
  EXPECT_LE(wave.hertz, 48000);

  // The host's loader, as the device calls it, gives back these samples.
  if (!VxGlfwGame::_glfwGame) new VxGlfwGame();
  int length = -1, channels = -1, format = -1, hertz = -1;
  unsigned char* data =
      LoadAudioData(String(SfxPath(GetParam().id).c_str()), &length, &channels, &format, &hertz);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(format, 2);
  EXPECT_EQ(channels, wave.channels);
  EXPECT_EQ(hertz, wave.hertz);
  ASSERT_EQ(static_cast<size_t>(length) * channels, wave.samples.size());
  EXPECT_EQ(memcmp(data, wave.samples.data(), wave.samples.size() * 2), 0);
  free(data);

  // And the audio module finds it under the name the game asks for.
  std::filesystem::path here = std::filesystem::current_path();
  TempDir folder;
  EnterGameFolder(folder, kDistDir + "/data");
  StartAudioRuntime();
  c_Sound* sound = vx_audio_LoadSound(String(("sfx/" + FileName(GetParam().id)).c_str()));
  std::filesystem::current_path(here);
  ASSERT_NE(sound, nullptr);
  ASSERT_NE(sound->sample, nullptr);
  EXPECT_NE(sound->sample->buffer, 0u);
}

TEST_P(SoundEffect, SoundsCleanlyWithoutClicksClippingOrOffset) {
  const std::vector<int16_t>& s = wave.samples;
  ASSERT_GT(s.size(), 64u);
  size_t ms = static_cast<size_t>(wave.hertz / 1000);

  EXPECT_GT(PeakOf(s, 0, s.size()), 0.1) << "too quiet";
  EXPECT_GT(Db(Loudness(s, wave.hertz)), -26.0) << "too quiet";
  EXPECT_LT(PeakOf(s, 0, s.size()), 0.95) << "no headroom";
  EXPECT_EQ(std::count_if(s.begin(), s.end(), [](int16_t x) { return x >= 32767 || x <= -32767; }), 0) << "clipped";

  // Starts and ends on (near) zero and ramps there: no step when the
  // channel starts or when it runs out.
  EXPECT_LE(std::abs(s.front()), 100);
  EXPECT_LE(std::abs(s.back()), 100);
  EXPECT_LT(PeakOf(s, 0, 4), 0.01) << "abrupt start";
  EXPECT_LT(PeakOf(s, s.size() - 4, s.size()), 0.01) << "abrupt end";
  EXPECT_LT(RmsOf(s, s.size() - 5 * ms, s.size()), 0.01) << "cut off instead of faded out";

  // An offset would make the start and the stop of every play a click.
  double sum = 0;
  for (int16_t x : s) sum += x;
  EXPECT_LT(std::fabs(sum / s.size()) / kFullScale, 0.002) << "DC offset";

  // No long silence padded at either end: the sound begins when played.
  size_t first_heard = 0;
  while (first_heard < s.size() && std::abs(s[first_heard]) < 0.05 * kFullScale) ++first_heard;
  EXPECT_LT(first_heard, 20 * ms) << "late start";
}

TEST_P(SoundEffect, LastsAsLongAsItsUseAllows) {
  EXPECT_GE(wave.Seconds(), GetParam().min_seconds);
  EXPECT_LE(wave.Seconds(), GetParam().max_seconds);
}

void PrintTo(const Use& use, std::ostream* out) { *out << FileName(use.id) << " (" << use.role << ")"; }

std::string UseName(const ::testing::TestParamInfo<Use>& info) { return "Sfx" + FileName(info.param.id).substr(0, 3); }

INSTANTIATE_TEST_SUITE_P(Table, SoundEffect, ::testing::ValuesIn(kTable), UseName);

TEST(SoundEffects, LevelsMatchAtTheVolumesTheGamePlaysThem) {
  std::map<int, double> heard;  // dBFS in play
  std::ostringstream table;
  for (const Use& use : kTable) {
    if (use.volume == 0) continue;
    Wave wave = ParseWave(ReadFile(SfxPath(use.id)));
    ASSERT_EQ(wave.error, "") << use.id;
    heard[use.id] = Db(Loudness(wave.samples, wave.hertz) * use.volume);
    table << FileName(use.id) << " " << use.role << ": " << heard[use.id] << " dBFS\n";
  }
  auto [quietest, loudest] = std::minmax_element(heard.begin(), heard.end(),
                                                 [](auto& a, auto& b) { return a.second < b.second; });
  // No effect drowns another or gets lost under it.
  EXPECT_LE(loudest->second - quietest->second, 14.0) << table.str();
  EXPECT_LE(loudest->second, -8.0) << table.str();
  EXPECT_GE(quietest->second, -28.0) << table.str();
  // What repeats all the time (slides, landings, ticks) stays under the
  // rewards and the bomb.
  for (int frequent : {1, 3, 5}) {
    EXPECT_LE(heard[frequent] + 3, heard[2]) << table.str();
    EXPECT_LE(heard[frequent] + 3, heard[4]) << table.str();
  }
}

TEST(SoundEffects, GeneratorWritesExactlyTheTableAndTheSameBytesEveryTime) {
  TempDir dir;
  std::string out = dir.Path("sfx");
  std::string command = std::string("'") + SFXGEN + "' '" + out + "'";
  ASSERT_EQ(system(command.c_str()), 0) << command;
  std::set<std::string> expected, written;
  for (const Use& use : kTable) expected.insert(FileName(use.id));
  for (const auto& entry : std::filesystem::directory_iterator(out)) written.insert(entry.path().filename().string());
  EXPECT_EQ(written, expected);
  for (const Use& use : kTable) {
    EXPECT_TRUE(ReadFile(out + "/" + FileName(use.id)) == ReadFile(SfxPath(use.id)))
        << FileName(use.id) << " differs from the build's";
  }
  // A folder that cannot be made is reported, not ignored.
  WriteFile(dir.Path("blocker"), "file");
  std::string failing = std::string("'") + SFXGEN + "' '" + dir.Path("blocker/sfx") + "' 2>/dev/null";
  EXPECT_NE(system(failing.c_str()), 0);
}

struct Play {
  int id;
  float rate, volume;
};

// What the real device puts out when the plays start together, each on a
// channel of its own, captured for `seconds` through the wave-file output.
Capture Mix(const std::vector<Play>& plays, double seconds) {
  return CaptureOutput(
      [&](gxtkAudio*, const TempDir&) {
        int channel = 0;
        for (const Play& p : plays) {
          c_Sound* sound = vx_audio_LoadSound(String(("sfx/" + FileName(p.id)).c_str()));
          CHILD_CHECK(sound != nullptr);
          vx_audio_PlaySound(sound, channel, 0);
          vx_audio_SetChannelRate(channel, p.rate);
          vx_audio_SetChannelVolume(channel, p.volume);
          vx_audio_SetChannelPan(channel, 0);
          channel += 1;
        }
        SleepSeconds(seconds);
        return 0;
      },
      kDistDir + "/data");
}

// Through the real device as the game plays them: the quietly played ones
// are still heard, and the loudest two at once do not clip the mix. Each
// capture stands alone, so a slow machine cannot shift one sound into the
// next one's place.
TEST(SoundEffects, PlayedThroughOpenAlTheyAreHeardAndTheMixStaysClean) {
  // The landing at its low volume, the slide, the click at its lowest rate,
  // the last fuse tick.
  const Play quiet[] = {{1, 1, 0.3f}, {3, 1, 1}, {98, 0.5f, 0.5f}, {5, 60 / 90.0f + 0.8f, 1}};
  for (const Play& p : quiet) {
    Capture capture = Mix({p}, 0.4);
    std::vector<int16_t> left;
    for (int i = 0; i < capture.Frames(); ++i) left.push_back(capture.At(i, 0));
    EXPECT_GT(Db(Loudness(left, capture.hertz)), -40.0) << FileName(p.id) << " not heard in play";
  }
  Capture both = Mix({{2, 1, 1}, {4, 1, 1}}, 1.6);
  double peak = PeakOf(both.samples, 0, both.samples.size());
  EXPECT_GT(peak, 0.1) << "blast and bomb not heard";
  EXPECT_LT(peak, 0.98) << "blast and bomb together clip the mix";
}

}  // namespace
