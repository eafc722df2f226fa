#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/audio/audio_test_support.h"

namespace {

// Runs in a folder of its own, with the sounds in its data folder.
class AudioModule : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    WavFile wav;
    wav.hertz = 44100;
    wav.data = Sine16(88200, 1, 44100, 440, 8000);
    WriteFile(dir.Path("data/sfx/tone.wav"), wav.Bytes());
    WriteFile(dir.Path("data/sfx/LOUD.WAV"), wav.Bytes());
    StartAudioRuntime();
    device = vx_audio_device;
  }

  c_Sound* Load(const char* name) {
    c_Sound* sound = vx_audio_LoadSound(String(name));
    EXPECT_NE(sound, nullptr) << name;
    return sound;
  }

  TempDir dir;
  gxtkAudio* device = nullptr;
};

TEST_F(AudioModule, LoadsSoundsFromTheDataFolder) {
  c_Sound* sound = Load("sfx/tone.wav");
  ASSERT_NE(sound->sample, nullptr);
  EXPECT_NE(sound->sample->buffer, 0u);
  EXPECT_NE(Load("sfx/LOUD.WAV"), nullptr);
  EXPECT_NE(Load("quibbo://data/sfx/tone.wav"), nullptr);
  EXPECT_NE(Load((dir.path() + "/data/sfx/tone.wav").c_str()), nullptr);
}

TEST_F(AudioModule, MissingSoundGivesNoneAndOnlyFlushes) {
  gxtkSample* old = device->LoadSample(String("quibbo://data/sfx/tone.wav"));
  old->Discard();
  EXPECT_EQ(vx_audio_LoadSound(String("sfx/missing.wav")), nullptr);
  EXPECT_EQ(vx_audio_LoadSound(String("tone.wav")), nullptr);  // not in the data folder itself
  EXPECT_TRUE(discarded.empty());
  for (const gxtkChannel& ch : device->channelTable) {
    EXPECT_EQ(ch.source, 0u);
    EXPECT_EQ(ch.state, 0);
  }
}

TEST_F(AudioModule, OneSoundPlaysOnTwoChannelsAtOnceAndRestartsOnOne) {
  c_Sound* sound = Load("sfx/tone.wav");
  vx_audio_PlaySound(sound, 0, 0);
  vx_audio_PlaySound(sound, 1, 0);
  EXPECT_EQ(device->ChannelState(0), 1);
  EXPECT_EQ(device->ChannelState(1), 1);
  EXPECT_NE(device->channelTable[0].source, device->channelTable[1].source);
  ASSERT_TRUE(WaitFor([&] { return SourceInt(*device, 0, AL_SAMPLE_OFFSET) > 8000; }));
  vx_audio_PlaySound(sound, 0, 0);
  EXPECT_LT(SourceInt(*device, 0, AL_SAMPLE_OFFSET), 8000);
  EXPECT_GT(SourceInt(*device, 1, AL_SAMPLE_OFFSET), 8000);
  vx_audio_StopChannel(1);
  EXPECT_EQ(device->ChannelState(1), 0);
  EXPECT_EQ(device->ChannelState(0), 1);
}

TEST_F(AudioModule, EmptySoundPlaysNothing) {
  c_Sound* empty = (new c_Sound())->m_new2();
  EXPECT_EQ(empty->sample, nullptr);
  vx_audio_PlaySound(empty, 3, 1);
  EXPECT_EQ(device->ChannelState(3), 0);
  EXPECT_EQ(device->channelTable[3].source, 0u);
}

TEST_F(AudioModule, ChannelSettingsMadeBeforePlayingHold) {
  vx_audio_SetChannelVolume(4, 0.5f);
  vx_audio_SetChannelPan(4, -1.5707964f);
  vx_audio_SetChannelRate(4, 0.5f);
  vx_audio_PlaySound(Load("sfx/tone.wav"), 4, 1);
  float x = 0, y = 0, z = 0;
  alGetSource3f(device->channelTable[4].source, AL_POSITION, &x, &y, &z);
  EXPECT_NEAR(x, -1.0f, 1e-6);
  EXPECT_FLOAT_EQ(SourceFloat(*device, 4, AL_GAIN), 0.5f);
  EXPECT_FLOAT_EQ(SourceFloat(*device, 4, AL_PITCH), 0.5f);
  EXPECT_EQ(SourceInt(*device, 4, AL_LOOPING), 1);
}

TEST_F(AudioModule, SoundKeepsItsSampleAlive) {
  auto* probe = new ProbeSample();
  device->LoadSample__UNSAFE__(probe, String("quibbo://data/sfx/tone.wav"));
  ALuint buffer = probe->buffer;
  c_Sound* sound = (new c_Sound())->m_new(probe);
  // Held the way the host holds its delegate (marked before each step); the
  // second step sees the sample only through the sound.
  for (int step = 0; step < 2; ++step) {
    gc_mark_now(sound);
    ForceCollection(1);
  }
  EXPECT_EQ(ProbeSample::destroyed, 0);
  EXPECT_EQ(probe->buffer, buffer);
  ForceCollection(1);
  EXPECT_EQ(ProbeSample::destroyed, 1);
  EXPECT_EQ(discarded, std::vector<ALuint>{buffer});
}

}  // namespace
