// Loading and sequencing of the music player: a sheet decoded through a
// real window's device, rows played on a clock the test moves, and what
// reaches the audio device.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/random.h"
#include "graphics/graphics.h"
#include "host/glfw_game.h"
#include "music/kz_player.h"
#include "tests/graphics/graphics_test_support.h"

namespace {

class ClockHost : public VxGlfwGame {
 public:
  int ms = 0;
  int Millisecs() override { return ms; }
};

// Every command the player sends, as text, on OpenAL's null output.
class AudioLog : public gxtkAudio {
 public:
  std::vector<std::string> sent;
  int PlaySample(gxtkSample* sample, int channel, int flags) override {
    Add("play", channel, flags);
    return gxtkAudio::PlaySample(sample, channel, flags);
  }
  int StopChannel(int channel) override { return Add("stop", channel, 0); }
  int SetVolume(int channel, float v) override { return Add("volume", channel, v); }
  int SetPan(int channel, float v) override { return Add("pan", channel, v); }
  int SetRate(int channel, float v) override { return Add("rate", channel, v); }
  int Add(const char* what, int channel, float value) {
    sent.push_back(std::string(what) + " " + std::to_string(channel) + " " + std::to_string(value));
    return 0;
  }
};

// The rows the sequencer hands to its voices: voice, note, volume, effect.
class RowLog : public c_KzPlayer {
 public:
  std::vector<std::vector<int>> notes;
  int p_Kz_PlayNote(int voice, int note, int volume, int effect, int param) override {
    notes.push_back({voice, note, volume, effect, row});
    return c_KzPlayer::p_Kz_PlayNote(voice, note, volume, effect, param);
  }
};

class Sequencer : public GraphicsTest {
 protected:
  void SetUp() override {
    static ClockHost* clock = new ClockHost();
    host = clock;
    GraphicsTest::SetUp();
    vx_app__game = host;
    host->ms = 10000;
    vx_audio_SetAudioDevice(audio = new AudioLog());
    player = new RowLog();
    player->m_new();
    player->p_Kz_Init(32, 4, 3, 3, 4);
  }

  void Put(int pattern, int voice, int row, std::vector<int> values) {
    for (size_t k = 0; k < values.size(); ++k) player->patternData[c_KzPlayer::Entry(pattern, voice, row) + k] = values[k];
  }

  // One due row, the clock set just past it.
  void Step() {
    host->ms = player->nextStepTime + 1;
    player->p_Kz_MusicPlay();
  }

  ClockHost* host = nullptr;
  AudioLog* audio = nullptr;
  RowLog* player = nullptr;
};

TEST_F(Sequencer, ASheetDecodesIntoThePatternTable) {
  // Frame f sits at (f % 8 * 64, f / 8 * 64); a value v is blue v * 8.
  std::vector<uint8_t> rgba(512 * 512 * 4, 255);
  for (size_t i = 0; i < rgba.size(); i += 4) rgba[i + 2] = 3;
  const std::vector<std::vector<int>> values = {
      {0, 0, 0, 0, 13}, {0, 7, 63, 7, 31}, {5, 2, 10, 1, 30}, {40, 4, 33, 3, 1}, {62, 1, 1, 2, 27}, {63, 3, 5, 0, 20}};
  for (const auto& v : values) rgba[((v[0] / 8 * 64 + v[2]) * 512 + v[0] % 8 * 64 + v[1] * 8 + v[3]) * 4 + 2] = v[4] * 8 + 3;
  std::string sheet = dir.Path("sheet.png");
  WritePng(sheet, 512, 512, 4, rgba);

  player->songImagePath = String(sheet.c_str());
  player->loadStep = 1;
  int frames = 0;
  for (; player->loadStep > 0; ++frames) player->p_Kz_Alive_R();
  EXPECT_EQ(frames, 24);  // 70 steps, three a frame
  EXPECT_EQ(player->nextStepTime, 10100);
  int nonzero = 0;
  for (int i = 0; i < player->patternData.Length(); ++i) nonzero += player->patternData[i] != 0;
  EXPECT_EQ(nonzero, 5);  // the last frame is never decoded
  for (size_t i = 0; i + 1 < values.size(); ++i) {
    const auto& v = values[i];
    EXPECT_EQ(player->patternData[c_KzPlayer::Entry(v[0], v[1], v[2]) + v[3]], v[4]) << i;
  }
  std::vector<int> last;
  for (int v = 0; v < 8; ++v) last.push_back(player->lastPattern[v]);
  EXPECT_EQ(last, (std::vector<int>{0, 62, 5, 0, 40, 0, 0, 0}));
  // No samples in this folder: every slot stays empty.
  for (int k = 1; k <= 8; ++k) EXPECT_TRUE(player->kitA[k] == nullptr && player->kitB[k] == nullptr);
  EXPECT_EQ(player->tone[4], nullptr);
}

TEST_F(Sequencer, WithoutASheetNothingIsDecodedAndNothingPlays) {
  player->loadStep = 1;  // the path is empty
  while (player->loadStep > 0) player->p_Kz_Alive_R();
  EXPECT_EQ(player->songImage, nullptr);
  int nonzero = 0;
  for (int i = 0; i < player->patternData.Length(); ++i) nonzero += player->patternData[i] != 0;
  EXPECT_EQ(nonzero, 0);
  player->state = 2;
  audio->sent.clear();
  for (int i = 0; i < 200; ++i) Step();
  for (const std::string& command : audio->sent) EXPECT_NE(command.substr(0, 4), "play") << command;
}

TEST_F(Sequencer, RowsFollowTheTempoFromTheLastDueTime) {
  player->nextStepTime = 10000;
  player->p_Kz_MusicPlay();  // due only once the time has passed
  host->ms = 10001;
  player->p_Kz_MusicPlay();
  player->p_Kz_MusicPlay();
  EXPECT_EQ(player->row, 1);
  EXPECT_EQ(player->nextStepTime, 10084);  // 8000 / 95 = 84.21

  // Late by a second: one row per update until it has caught up.
  host->ms = 11084;
  int updates = 0;
  while (player->nextStepTime < host->ms) {
    player->p_Kz_MusicPlay();
    updates += 1;
  }
  EXPECT_EQ(updates, 12);
  EXPECT_EQ(player->row, 13);
  EXPECT_EQ(player->nextStepTime, 11092);

  // A due time further ahead than 123,456 ms counts as due at once.
  player->nextStepTime = host->ms + 123456;
  player->p_Kz_MusicPlay();
  EXPECT_EQ(player->row, 13);
  player->nextStepTime = host->ms + 123457;
  player->p_Kz_MusicPlay();
  EXPECT_EQ(player->row, 14);
}

TEST_F(Sequencer, EffectEightEndsThePatternForTheLaterVoices) {
  player->row = 20;
  Put(0, 1, 20, {0, 0, 8, 0});
  for (int v = 0; v < 5; ++v) Put(0, v, 63, {0, 5 + v, 0, 0});
  player->nextStepTime = 0;
  Step();
  std::vector<std::vector<int>> expected = {
      {0, 0, 0, 0, 20}, {1, 0, 0, 8, 20}, {2, 0, 7, 0, 63}, {3, 0, 8, 0, 63}, {4, 0, 9, 0, 63}};
  EXPECT_EQ(player->notes, expected);
  EXPECT_EQ(player->row, 0);
  // The wrap began a section: every voice reads row 0 of its new pattern.
  player->notes.clear();
  Step();
  for (const auto& n : player->notes) EXPECT_EQ(n[4], 0);
}

TEST_F(Sequencer, TheArrangementDependsOnlyOnTheSongNumber) {
  auto arrange = [&](int song, int seed) {
    RowLog* p = new RowLog();
    p->m_new();
    p->songNumber = song;
    p->state = 2;
    p->chordString = String("q");
    for (int v = 0; v < 5; ++v) p->lastPattern[v] = 40 + v;
    vx_random_Seed = seed;
    std::vector<int> trace;
    for (int i = 0; i < 64 * 24; ++i) {
      host->ms = p->nextStepTime + 1;
      p->p_Kz_MusicPlay();
      if (p->row != 0) continue;
      trace.insert(trace.end(), {p->sectionLeft, p->chordString[0]});
      for (int v = 0; v < 5; ++v) trace.insert(trace.end(), {p->voicePattern[v], p->voiceMuted[v]});
      EXPECT_FALSE(p->voiceMuted[0] && p->voiceMuted[1]);  // a drum kit always plays
    }
    return trace;
  };
  std::vector<int> first = arrange(0, 1);
  EXPECT_EQ(first, arrange(0, 987654));
  EXPECT_NE(first, arrange(1, 1));
}

TEST_F(Sequencer, SectionsDrawFromTheSeedOfTheirNumber) {
  for (int v = 0; v < 5; ++v) player->lastPattern[v] = 9;
  player->section = 6;
  player->songNumber = 2;
  player->row = 63;
  vx_random_Seed = 4321;
  Step();
  EXPECT_EQ(player->section, 7);
  EXPECT_EQ(vx_random_Seed, 4321);  // the game's sequence goes on untouched
  vx_random_Seed = 6 * 9 + 2;  // the section's draws made by hand
  for (int i = 0; i < 11; ++i) player->p_Rand(1, 5);
  EXPECT_EQ(player->sectionLeft, player->p_Rand(1, 2) * 2);
  vx_random_Seed = 7 * 9 + 2 + 4 * 7;  // the bass's, after the new number
  for (int i = 0; i < 11; ++i) player->p_Rand(1, 5);
  EXPECT_EQ(player->voicePattern[4], player->p_Rand(0, 9));
  EXPECT_EQ(player->voiceMutedNext[4], player->p_Rand(0, 1));
  EXPECT_EQ(player->voiceLeadIn[4], player->p_Rand(0, 1));
}

TEST_F(Sequencer, AlternatePatternsStayWithinTheTable) {
  // Effect 27 with 1 moves up on an odd count, with 2 down on an even one.
  Put(10, 2, 0, {0, 0, 27, 1});
  Put(11, 2, 0, {25, 20, 0, 0});
  Put(63, 3, 0, {0, 0, 27, 1});
  Put(0, 4, 0, {0, 0, 27, 2});
  player->voicePattern[2] = 10;
  player->voicePattern[3] = 63;
  player->voicePattern[4] = 0;
  player->sectionLeft = 3;
  player->nextStepTime = 0;
  Step();
  EXPECT_EQ(player->voicePattern[2], 11);
  EXPECT_EQ(player->notes[2], (std::vector<int>{2, 25, 20, 0, 0}));
  EXPECT_EQ(player->voicePattern[3], 63);  // no pattern 64
  EXPECT_EQ(player->voicePattern[4], 0);   // odd: no move down
  player->row = 0;
  player->sectionLeft = 2;
  Step();
  EXPECT_EQ(player->voicePattern[4], 0);  // no pattern -1
  EXPECT_EQ(player->voicePattern[3], 63);
  player->row = 0;
  player->voicePattern[2] = 10;
  player->sectionLeft = -1;  // a negative odd count never matches
  Step();
  EXPECT_EQ(player->voicePattern[2], 10);
}

class Voices : public Sequencer {
 protected:
  std::vector<std::string> Note(int voice, int note, int volume, int effect = 0, int param = 0) {
    audio->sent.clear();
    player->p_Kz_PlayNote(voice, note, volume, effect, param);
    return audio->sent;
  }
  void Sounds() {
    for (int k = 1; k <= 8; ++k) {
      player->kitA[k] = (new c_Sound())->m_new(new gxtkSample());
      player->kitB[k] = (new c_Sound())->m_new(new gxtkSample());
    }
    for (int v = 2; v <= 4; ++v) player->tone[v] = (new c_Sound())->m_new(new gxtkSample());
  }
  // Whether a command of that kind was sent.
  static bool Started(const std::vector<std::string>& sent, const std::string& kind) {
    for (const std::string& command : sent) if (command.compare(0, kind.size(), kind) == 0) return true;
    return false;
  }
};

TEST_F(Voices, DrumsPickTheirKitSlotAndPan) {
  Sounds();
  auto hit = Note(0, 17, 30);
  EXPECT_EQ(hit, (std::vector<std::string>{"stop 31 0.000000", "play 31 0.000000", "pan 31 -0.350000",
                                           "volume 31 0.500000"}));
  EXPECT_EQ(Note(1, 25, 0)[2], "pan 30 0.350000");
  // A note outside the kit stops the channel and starts nothing.
  player->voicePlaying[1] = 0;
  EXPECT_EQ(Note(1, 14, 0), (std::vector<std::string>{"stop 30 0.000000"}));
  EXPECT_EQ(player->voicePlaying[1], 0);
  EXPECT_EQ(player->voiceEnvelope[1], 3.9f);
}

TEST_F(Voices, VolumeThirtyIsFullAndThirtyOneSilences) {
  Sounds();
  player->masterVolume = 0.8f;
  EXPECT_EQ(Note(2, 13, 30), (std::vector<std::string>{"volume 29 0.800000", "stop 29 0.000000", "rate 29 1.000000",
                                                         "play 29 1.000000"}));
  EXPECT_EQ(Note(2, 0, 31), (std::vector<std::string>{"volume 29 0.000000"}));
  EXPECT_EQ(player->voiceVolume[2], 0.0f);
  EXPECT_EQ(Note(2, 0, 15)[0], "volume 29 0.386207");  // 14 / 29 of 0.8
}

TEST_F(Voices, TheEnvelopeHoldsFiveRowsThenFades) {
  Sounds();
  Note(3, 13, 30);
  std::vector<float> volumes;
  for (int i = 0; i < 16; ++i) {
    auto sent = Note(3, 0, 0);
    volumes.push_back(sent.empty() ? -1 : std::stof(sent[0].substr(sent[0].rfind(' '))));
  }
  // 1.4 .. 1.0 hold; then each row keeps e of what the last one had.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(volumes[i], -1) << i;
  EXPECT_NEAR(volumes[5], 0.5 * 0.9, 1e-5);
  EXPECT_NEAR(volumes[6], 0.5 * 0.9 * 0.8, 1e-5);
  EXPECT_NEAR(volumes[9], 0.5 * 0.9 * 0.8 * 0.7 * 0.6 * 0.5, 1e-4);
  EXPECT_EQ(volumes[15], 0);
  EXPECT_EQ(player->voiceEnvelope[3], 0.0f);
}

TEST_F(Voices, SlidesStopAtTheirLimits) {
  Sounds();
  Note(4, 25, 20);
  EXPECT_EQ(player->voiceRate[4], 2.0f);
  Note(4, 0, 0, 1, 18);
  EXPECT_NEAR(player->voiceRate[4], 2.1f, 1e-6);
  for (int i = 0; i < 5; ++i) Note(4, 0, 0, 3, 31);
  EXPECT_EQ(player->voiceRate[4], 4.0f);
  EXPECT_EQ(Note(4, 0, 0, 3, 31).back(), "rate 27 4.000000");
  Note(4, 0, 0, 2, 9);
  EXPECT_NEAR(player->voiceRate[4], 3.95f, 1e-6);
  for (int i = 0; i < 20; ++i) Note(4, 0, 0, 4, 31);
  EXPECT_EQ(player->voiceRate[4], 0.25f);
  EXPECT_FALSE(Started(Note(4, 0, 0, 5, 31), "rate"));  // not an effect here
}

TEST_F(Voices, TonalNotesFollowTheKeyAndMissingSamplesPlayNothing) {
  player->state = 2;
  player->chordString = String("jq");
  auto sent = Note(2, 25, 30);  // no lead sample loaded
  EXPECT_EQ(sent, (std::vector<std::string>{"volume 29 0.500000", "stop 29 0.000000", "rate 29 1.782000"}));
  EXPECT_EQ(player->voicePlaying[2], 0);
  Sounds();
  sent = Note(2, 13, 30);
  EXPECT_EQ(sent.back(), "play 29 1.000000");  // looping
  EXPECT_EQ(player->voicePlaying[2], 1);
}

TEST_F(Voices, MutedVoicesEnterInTheLastRowsOfASection) {
  Sounds();
  player->state = 2;
  player->voiceMuted[3] = 1;
  player->row = 56;
  player->sectionLeft = 1;
  EXPECT_FALSE(Started(Note(3, 13, 30), "play"));  // not drawn to lead in
  player->voiceLeadIn[3] = 1;
  EXPECT_TRUE(Started(Note(3, 13, 30), "play"));
  player->row = 55;
  EXPECT_FALSE(Started(Note(3, 13, 30), "play"));
  player->row = 60;
  player->voiceMutedNext[3] = 1;  // stays silent next section too
  EXPECT_FALSE(Started(Note(3, 13, 30), "play"));
  // Channels below 1 disable a voice.
  player->baseChannel = 2;
  player->voiceMuted[2] = 0;
  EXPECT_EQ(Note(2, 13, 30), std::vector<std::string>{});
  EXPECT_EQ(player->voiceChannel[4], -3);
}

}  // namespace
