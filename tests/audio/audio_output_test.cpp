// What OpenAL really puts out. Each scenario runs in a child process of its
// own, so that OpenAL starts there with the output the scenario chooses.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "tests/audio/audio_test_support.h"

namespace {

enum class Then { KeepPlaying, Stop, Pause, Suspend };

struct Scenario {
  float pan = 0;
  float volume = 1;
  Then then = Then::KeepPlaying;
};

// Plays a looping tone into a wave file for about 1.2 s; `then` happens
// halfway.
Capture Record(const Scenario& scenario) {
  return CaptureOutput([&](gxtkAudio* device, const TempDir& dir) {
    gxtkSample* tone = device->LoadSample(String(SoundFiles(dir).tone.c_str()));
    CHILD_CHECK(tone != nullptr);
    device->SetPan(0, scenario.pan);
    device->SetVolume(0, scenario.volume);
    device->PlaySample(tone, 0, 1);
    SleepSeconds(0.5);
    if (scenario.then == Then::Stop) device->StopChannel(0);
    if (scenario.then == Then::Pause) device->PauseChannel(0);
    if (scenario.then == Then::Suspend) device->Suspend();
    SleepSeconds(0.7);
    return 0;
  });
}

// A centred tone of amplitude 8000 reaches each side at about 4000 RMS.
const double kHeard = 1500;
const double kSilent = 5;

TEST(AudioOutput, PlayedSoundIsHeardUnlessItsVolumeIsZero) {
  Capture heard = Record(Scenario{});
  ASSERT_GT(heard.Frames(), heard.hertz / 2);
  EXPECT_GT(heard.PeakRms(0), kHeard);
  EXPECT_GT(heard.PeakRms(1), kHeard);
  Capture muted = Record(Scenario{0, 0});
  ASSERT_GT(muted.Frames(), muted.hertz / 2);
  EXPECT_LT(muted.PeakRms(0), kSilent);
  EXPECT_LT(muted.PeakRms(1), kSilent);
}

TEST(AudioOutput, PanPutsTheSoundOnThatSide) {
  Capture right = Record(Scenario{1.5707964f});
  EXPECT_GT(right.PeakRms(1), kHeard);
  EXPECT_GT(right.PeakRms(1), 10 * right.PeakRms(0));
  Capture left = Record(Scenario{-1.5707964f});
  EXPECT_GT(left.PeakRms(0), kHeard);
  EXPECT_GT(left.PeakRms(0), 10 * left.PeakRms(1));
  Capture centre = Record(Scenario{0});
  EXPECT_NEAR(centre.PeakRms(0) / centre.PeakRms(1), 1.0, 0.1);
}

class AudioOutputAfterHalfway : public ::testing::TestWithParam<Then> {};

TEST_P(AudioOutputAfterHalfway, ChannelFallsSilentUnlessItKeepsPlaying) {
  Capture capture = Record(Scenario{0, 1, GetParam()});
  int frames = capture.Frames();
  ASSERT_GT(frames, capture.hertz);
  EXPECT_GT(capture.PeakRms(0), kHeard);
  double tail = capture.Rms(0, frames - capture.hertz * 3 / 10, frames);
  if (GetParam() == Then::KeepPlaying) {
    EXPECT_GT(tail, kHeard);
  } else {
    EXPECT_LT(tail, kSilent);
  }
}

const char* Name(Then then) {
  static const char* const names[] = {"KeepPlaying", "Stop", "Pause", "Suspend"};
  return names[static_cast<int>(then)];
}

void PrintTo(Then then, std::ostream* out) { *out << Name(then); }

std::string ThenName(const ::testing::TestParamInfo<Then>& info) { return Name(info.param); }

INSTANTIATE_TEST_SUITE_P(Halfway, AudioOutputAfterHalfway,
                         ::testing::Values(Then::KeepPlaying, Then::Stop, Then::Pause, Then::Suspend), ThenName);

TEST(AudioWithoutOutput, PlaysNothingAndNeverCrashes) {
  std::string output;
  int code = RunInChild(
      [] {
        setenv("ALSOFT_DRIVERS", "no-such-output", 1);
        TempDir dir;
        SoundFiles files(dir);
        StartAudioRuntime();
        gxtkAudio* device = vx_audio_device;
        CHILD_CHECK(device->alcDevice == nullptr && device->alcContext == nullptr);
        gxtkSample* tone = device->LoadSample(String(files.tone.c_str()));
        CHILD_CHECK(tone != nullptr);
        device->SetVolume(0, 0.5f);
        device->SetPan(0, 1);
        device->SetRate(0, 2);
        device->PlaySample(tone, 0, 1);
        CHILD_CHECK(device->ChannelState(0) == 0);
        device->PlaySample(tone, 1, 1);
        device->PauseChannel(1);
        device->ResumeChannel(1);
        device->Suspend();
        device->Resume();
        device->StopChannel(1);
        CHILD_CHECK(device->PlayMusic(String(files.blip.c_str()), 1) == 0);
        CHILD_CHECK(device->MusicState() == 0);
        c_Sound* sound = vx_audio_LoadSound(String(files.blip.c_str()));
        CHILD_CHECK(sound != nullptr);
        vx_audio_PlaySound(sound, 2, 0);
        tone->Discard();
        ForceCollection();
        device->FlushDiscarded();
        CHILD_CHECK(discarded.empty());
        return 0;
      },
      &output);
  EXPECT_EQ(code, 0) << output;
  EXPECT_NE(output.find("OpenAl error: alcOpenDevice failed\n"), std::string::npos) << output;
}

}  // namespace
