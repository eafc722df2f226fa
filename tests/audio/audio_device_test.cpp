#include <gtest/gtest.h>

#include <cmath>

#include "tests/audio/audio_test_support.h"

namespace {

class AudioDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    StartAudioRuntime();
    device = vx_audio_device;
    ASSERT_NE(device->alcContext, nullptr);
  }

  gxtkSample* Load(const std::string& path) {
    gxtkSample* sample = device->LoadSample(String(path.c_str()));
    EXPECT_NE(sample, nullptr) << path;
    return sample;
  }

  ProbeSample* LoadProbe(const std::string& path) {
    auto* probe = new ProbeSample();
    EXPECT_EQ(device->LoadSample__UNSAFE__(probe, String(path.c_str())), probe);
    return probe;
  }

  ALint AlState(int channel) { return device->channelTable[channel].SourceState(); }

  TempDir dir;
  SoundFiles files{dir};
  gxtkAudio* device = nullptr;
};

TEST_F(AudioDevice, LoadsSamplesIntoBuffersOfTheirLayout) {
  gxtkSample* mono = Load(files.tone);
  gxtkSample* stereo = Load(files.stereo);
  ALint bits = 0, channels = 0, size = 0, frequency = 0;
  alGetBufferi(stereo->buffer, AL_BITS, &bits);
  alGetBufferi(stereo->buffer, AL_CHANNELS, &channels);
  alGetBufferi(stereo->buffer, AL_SIZE, &size);
  alGetBufferi(stereo->buffer, AL_FREQUENCY, &frequency);
  EXPECT_EQ(bits, 16);
  EXPECT_EQ(channels, 2);
  EXPECT_EQ(size, 4410 * 4);
  EXPECT_EQ(frequency, 44100);
  alGetBufferi(mono->buffer, AL_CHANNELS, &channels);
  EXPECT_EQ(channels, 1);
  EXPECT_NE(mono->buffer, stereo->buffer);
  EXPECT_EQ(device->LoadSample(String(dir.Path("missing.wav").c_str())), nullptr);
}

TEST_F(AudioDevice, OneShotSoundEndsAndReadsStopped) {
  device->PlaySample(Load(files.blip), 3, 0);
  EXPECT_EQ(device->ChannelState(3), 1);
  EXPECT_EQ(SourceInt(*device, 3, AL_LOOPING), 0);
  EXPECT_TRUE(WaitFor([&] { return device->ChannelState(3) == 0; }));
  EXPECT_EQ(device->channelTable[3].state, 0);
}

TEST_F(AudioDevice, PauseOfAnEndedSoundStopsTheChannelInsteadOfPausing) {
  device->PlaySample(Load(files.blip), 3, 0);
  ASSERT_TRUE(WaitFor([&] { return AlState(3) == AL_STOPPED; }));
  EXPECT_EQ(device->channelTable[3].state, 1);  // not noticed yet
  device->PauseChannel(3);
  EXPECT_EQ(device->channelTable[3].state, 0);
  EXPECT_EQ(AlState(3), AL_STOPPED);
  device->ResumeChannel(3);
  EXPECT_EQ(AlState(3), AL_STOPPED);
}

TEST_F(AudioDevice, PauseResumeAndStopALoopingSound) {
  device->PlaySample(Load(files.blip), 0, 1);
  EXPECT_EQ(SourceInt(*device, 0, AL_LOOPING), 1);
  SleepSeconds(0.1);  // longer than the sample: only the loop keeps it going
  EXPECT_EQ(device->ChannelState(0), 1);
  device->PauseChannel(0);
  EXPECT_EQ(device->ChannelState(0), 2);
  EXPECT_EQ(AlState(0), AL_PAUSED);
  device->ResumeChannel(0);
  EXPECT_EQ(device->ChannelState(0), 1);
  EXPECT_EQ(AlState(0), AL_PLAYING);
  device->StopChannel(0);
  EXPECT_EQ(device->ChannelState(0), 0);
  EXPECT_EQ(AlState(0), AL_STOPPED);
  device->ResumeChannel(0);
  EXPECT_EQ(AlState(0), AL_STOPPED);
}

TEST_F(AudioDevice, PlayOnABusyChannelRestartsItWithTheNewSample) {
  gxtkSample* first = Load(files.tone);
  gxtkSample* second = Load(files.stereo);
  device->PlaySample(first, 5, 1);
  ALuint source = device->channelTable[5].source;
  ASSERT_TRUE(WaitFor([&] { return SourceInt(*device, 5, AL_SAMPLE_OFFSET) > 8000; }));
  device->PlaySample(second, 5, 0);
  const gxtkChannel& ch = device->channelTable[5];
  EXPECT_EQ(ch.source, source);
  EXPECT_EQ(ch.sample, second);
  EXPECT_EQ(ch.flags, 0);
  EXPECT_EQ(ch.state, 1);
  EXPECT_EQ(SourceInt(*device, 5, AL_BUFFER), static_cast<ALint>(second->buffer));
  EXPECT_EQ(SourceInt(*device, 5, AL_LOOPING), 0);
  EXPECT_EQ(AlState(5), AL_PLAYING);
  EXPECT_LT(SourceInt(*device, 5, AL_SAMPLE_OFFSET), 8000);
}

TEST_F(AudioDevice, SourcesAreCreatedOnlyWhenNeeded) {
  device->StopChannel(7);
  device->PauseChannel(7);
  device->ResumeChannel(7);
  EXPECT_EQ(device->ChannelState(7), 0);
  device->StopMusic();
  for (const gxtkChannel& ch : device->channelTable) EXPECT_EQ(ch.source, 0u);

  device->SetVolume(7, 0.25f);
  device->SetPan(8, 0.5f);
  device->SetRate(9, 2.0f);
  ALuint source = device->channelTable[7].source;
  EXPECT_NE(source, 0u);
  EXPECT_NE(device->channelTable[8].source, 0u);
  EXPECT_NE(device->channelTable[9].source, 0u);
  EXPECT_EQ(device->channelTable[7].state, 0);

  // Set before anything played, the volume holds for the next sound.
  device->PlaySample(Load(files.tone), 7, 0);
  EXPECT_EQ(device->channelTable[7].source, source);
  EXPECT_FLOAT_EQ(SourceFloat(*device, 7, AL_GAIN), 0.25f);
}

TEST_F(AudioDevice, PanRateAndVolumeReachThePlayingSource) {
  device->PlaySample(Load(files.tone), 2, 1);
  float position[3];
  auto where = [&] { alGetSource3f(device->channelTable[2].source, AL_POSITION, &position[0], &position[1], &position[2]); };
  device->SetPan(2, 0.0f);
  where();
  EXPECT_FLOAT_EQ(position[0], 0.0f);
  EXPECT_FLOAT_EQ(position[1], 0.0f);
  EXPECT_FLOAT_EQ(position[2], -1.0f);
  device->SetPan(2, 1.5707964f);
  where();
  EXPECT_NEAR(position[0], 1.0f, 1e-6);
  EXPECT_NEAR(position[2], 0.0f, 1e-6);
  device->SetPan(2, -1.0f);
  where();
  EXPECT_FLOAT_EQ(position[0], std::sin(-1.0f));
  EXPECT_FLOAT_EQ(position[2], -std::cos(-1.0f));
  device->SetRate(2, 1.5f);
  device->SetVolume(2, 0.75f);
  EXPECT_FLOAT_EQ(SourceFloat(*device, 2, AL_PITCH), 1.5f);
  EXPECT_FLOAT_EQ(SourceFloat(*device, 2, AL_GAIN), 0.75f);
  EXPECT_EQ(AlState(2), AL_PLAYING);
}

TEST_F(AudioDevice, ChannelsPausedByTheProgramStayPausedAcrossSuspend) {
  gxtkSample* tone = Load(files.tone);
  device->PlaySample(tone, 0, 1);
  device->PlaySample(tone, 1, 1);
  device->PauseChannel(1);
  device->Suspend();
  EXPECT_EQ(AlState(0), AL_PAUSED);
  EXPECT_EQ(AlState(1), AL_PAUSED);
  EXPECT_EQ(device->ChannelState(0), 1);
  EXPECT_EQ(device->ChannelState(1), 2);
  device->Resume();
  EXPECT_EQ(AlState(0), AL_PLAYING);
  EXPECT_EQ(AlState(1), AL_PAUSED);
  EXPECT_EQ(device->ChannelState(1), 2);
}

TEST_F(AudioDevice, DiscardedBufferWaitsUntilItsChannelHasStopped) {
  gxtkSample* playing = Load(files.tone);
  gxtkSample* idle = Load(files.blip);
  gxtkSample* other = Load(files.tone);
  device->PlaySample(playing, 0, 1);
  device->PlaySample(other, 1, 1);
  ALuint names[3] = {playing->buffer, idle->buffer, other->buffer};
  playing->Discard();
  idle->Discard();
  other->Discard();
  EXPECT_EQ(playing->buffer, 0u);
  EXPECT_EQ(discarded, std::vector<ALuint>(names, names + 3));

  device->FlushDiscarded();  // the idle one goes; the others keep their order
  EXPECT_EQ(discarded, (std::vector<ALuint>{names[0], names[2]}));
  EXPECT_FALSE(alIsBuffer(names[1]));
  EXPECT_EQ(AlState(0), AL_PLAYING);

  // Checked before any new buffer could take a deleted one's name.
  gxtkSample* blip = Load(files.blip);
  device->StopChannel(0);
  device->PlaySample(blip, 2, 0);  // playing flushes
  EXPECT_EQ(discarded, std::vector<ALuint>{names[2]});
  EXPECT_FALSE(alIsBuffer(names[0]));
  EXPECT_TRUE(alIsBuffer(names[2]));
}

TEST_F(AudioDevice, DiscardedBufferOfAnEndedSoundIsDeletedOnceTheEndIsNoticed) {
  gxtkSample* blip = Load(files.blip);
  gxtkSample* tone = Load(files.tone);
  device->PlaySample(blip, 4, 0);
  ALuint name = blip->buffer;
  blip->Discard();
  ASSERT_TRUE(WaitFor([&] { return device->ChannelState(4) == 0; }));
  device->PlaySample(tone, 6, 0);  // playing flushes
  EXPECT_TRUE(discarded.empty());
  EXPECT_FALSE(alIsBuffer(name));
}

TEST_F(AudioDevice, AnEarlierOpenAlErrorDoesNotKeepADeletableBuffer) {
  gxtkSample* idle = Load(files.blip);
  ALuint name = idle->buffer;
  idle->Discard();
  device->SetRate(0, -1.0f);  // refused by OpenAL, and the error stays pending
  device->FlushDiscarded();
  EXPECT_TRUE(discarded.empty());
  EXPECT_FALSE(alIsBuffer(name));
}

TEST_F(AudioDevice, SoundingSamplesSurviveCollectionsThoughTheProgramDroppedThem) {
  ProbeSample* playing = LoadProbe(files.tone);
  ProbeSample* paused = LoadProbe(files.tone);
  ProbeSample* dropped = LoadProbe(files.tone);
  ALuint dropped_buffer = dropped->buffer;
  device->PlaySample(playing, 0, 1);
  device->PlaySample(paused, 1, 1);
  device->PauseChannel(1);

  ForceCollection();
  EXPECT_EQ(ProbeSample::destroyed, 1);
  EXPECT_EQ(discarded, std::vector<ALuint>{dropped_buffer});
  EXPECT_EQ(device->ChannelState(0), 1);
  EXPECT_EQ(SourceInt(*device, 0, AL_BUFFER), static_cast<ALint>(playing->buffer));

  device->StopChannel(0);
  device->StopChannel(1);
  ForceCollection();
  EXPECT_EQ(ProbeSample::destroyed, 3);
  device->FlushDiscarded();
  EXPECT_TRUE(discarded.empty());
}

TEST_F(AudioDevice, PausedSoundThatEndedAnywayLetsItsSampleGo) {
  ProbeSample* probe = LoadProbe(files.tone);
  ALuint buffer = probe->buffer;
  device->PlaySample(probe, 1, 1);
  device->PauseChannel(1);
  ASSERT_EQ(device->channelTable[1].state, 2);
  // The sound ran out just as it was paused: OpenAL holds it stopped.
  alSourceStop(device->channelTable[1].source);

  ForceCollection();
  EXPECT_EQ(ProbeSample::destroyed, 1);
  EXPECT_EQ(device->ChannelState(1), 0);
  // Nothing may start the freed sample's buffer again.
  device->ResumeChannel(1);
  EXPECT_EQ(AlState(1), AL_STOPPED);
  ForceCollection();
  device->FlushDiscarded();
  EXPECT_TRUE(discarded.empty());
  EXPECT_FALSE(alIsBuffer(buffer));
}

TEST_F(AudioDevice, SampleWithoutABufferEndsAtOnce) {
  device->PlaySample(new gxtkSample(), 3, 1);
  EXPECT_TRUE(WaitFor([&] { return device->ChannelState(3) == 0; }, 1.0));
}

TEST_F(AudioDevice, MusicPlaysOnItsOwnChannel) {
  EXPECT_EQ(device->PlayMusic(String(dir.Path("missing.ogg").c_str()), 1), -1);
  EXPECT_EQ(device->MusicState(), 0);

  EXPECT_EQ(device->PlayMusic(String(files.tone.c_str()), 1), 0);
  const gxtkChannel& music = device->channelTable[gxtkAudio::kMusicChannel];
  EXPECT_EQ(music.state, 1);
  EXPECT_EQ(SourceInt(*device, 32, AL_LOOPING), 1);
  device->SetMusicVolume(0.5f);
  EXPECT_FLOAT_EQ(SourceFloat(*device, 32, AL_GAIN), 0.5f);
  ForceCollection();  // only the channel holds the music
  EXPECT_EQ(SourceInt(*device, 32, AL_BUFFER), static_cast<ALint>(music.sample->buffer));
  EXPECT_TRUE(discarded.empty());
  device->PauseMusic();
  EXPECT_EQ(device->MusicState(), 2);
  device->ResumeMusic();
  EXPECT_EQ(device->MusicState(), 1);
  device->StopMusic();
  EXPECT_EQ(device->MusicState(), 0);

  EXPECT_EQ(device->PlayMusic(String(files.blip.c_str()), 0), 0);
  EXPECT_EQ(device->MusicState(), 1);
  EXPECT_TRUE(WaitFor([&] { return device->MusicState() == 0; }));
  for (int channel = 0; channel < gxtkAudio::kMusicChannel; ++channel) {
    EXPECT_EQ(device->channelTable[channel].source, 0u);
  }
}

TEST_F(AudioDevice, ChannelNumbersOutsideTheTableAreIgnored) {
  gxtkSample* tone = Load(files.tone);
  ALCdevice* al_device = device->alcDevice;
  ALCcontext* al_context = device->alcContext;
  int size = device->gc_size();
  for (int channel : {-1, -2, 33, 40}) {
    device->PlaySample(tone, channel, 1);
    device->SetVolume(channel, 0.5f);
    device->SetPan(channel, 1.0f);
    device->SetRate(channel, 2.0f);
    device->PauseChannel(channel);
    device->ResumeChannel(channel);
    device->StopChannel(channel);
    EXPECT_EQ(device->ChannelState(channel), 0);
  }
  EXPECT_EQ(device->alcDevice, al_device);
  EXPECT_EQ(device->alcContext, al_context);
  EXPECT_EQ(device->gc_size(), size);
  for (const gxtkChannel& ch : device->channelTable) EXPECT_EQ(ch.source, 0u);
}

}  // namespace
