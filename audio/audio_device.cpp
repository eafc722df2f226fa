// The OpenAL device: its channels, loading samples from decoded files, and
// playing, pausing and stopping them.
#include "audio/audio_device.h"

#include <cmath>
#include <cstdlib>

#include "audio/audio_decoders.h"
#include "runtime/errors.h"

ALuint gxtkChannel::AL_Source() {
  if (!source) alGenSources(1, &source);
  return source;
}

ALint gxtkChannel::SourceState() const {
  // Left as it is when OpenAL cannot answer (no source, no context).
  ALint value = AL_STOPPED;
  if (source) alGetSourcei(source, AL_SOURCE_STATE, &value);
  return value;
}

namespace {

// OpenAL complains of a device left open when the process ends, however it
// ends: the device in use is closed on the way out.
void CloseCurrentDevice() {
  ALCcontext* context = alcGetCurrentContext();
  if (!context) return;
  ALCdevice* device = alcGetContextsDevice(context);
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(context);
  if (device) alcCloseDevice(device);
}

}  // namespace

gxtkAudio::gxtkAudio() : alcDevice(nullptr), alcContext(nullptr), channelTable() {
  static bool closeAtExit = atexit(CloseCurrentDevice) == 0;
  (void)closeAtExit;
  alcDevice = alcOpenDevice(nullptr);
  if (!alcDevice) {
    Print(String("OpenAl error: alcOpenDevice failed"));
  } else {
    alcContext = alcCreateContext(alcDevice, nullptr);
    if (!alcContext) {
      Print(String("OpenAl error: alcCreateContext failed"));
    } else if (!alcMakeContextCurrent(alcContext)) {
      Print(String("OpenAl error: alcMakeContextCurrent failed"));
    }
  }
  // Positions only pan; distance never attenuates.
  alDistanceModel(AL_NONE);
}

gxtkChannel* gxtkAudio::Channel(int channel) {
  return channel >= 0 && channel < kChannels ? &channelTable[channel] : nullptr;
}

void gxtkAudio::Suspend() {
  for (gxtkChannel& ch : channelTable) {
    if (ch.state == 1 && ch.SourceState() == AL_PLAYING) alSourcePause(ch.source);
  }
}

void gxtkAudio::Resume() {
  // Channels the program paused itself (state 2) stay paused.
  for (gxtkChannel& ch : channelTable) {
    if (ch.state == 1 && ch.SourceState() == AL_PAUSED) alSourcePlay(ch.source);
  }
}

gxtkSample* gxtkAudio::LoadSample__UNSAFE__(gxtkSample* sample, String path) {
  int length = 0, channels = 0, format = 0, hertz = 0;
  unsigned char* data = LoadAudioData(path, &length, &channels, &format, &hertz);
  if (!data) return nullptr;

  // Other layouts get format 0, which OpenAL refuses: the buffer stays empty.
  ALenum al_format = 0;
  if (format == 1 && channels == 1) al_format = AL_FORMAT_MONO8;
  if (format == 1 && channels == 2) al_format = AL_FORMAT_STEREO8;
  if (format == 2 && channels == 1) al_format = AL_FORMAT_MONO16;
  if (format == 2 && channels == 2) al_format = AL_FORMAT_STEREO16;

  sample->Discard();
  ALuint buffer = 0;
  alGenBuffers(1, &buffer);
  alBufferData(buffer, al_format, data, length * channels * format, hertz);
  free(data);
  sample->buffer = buffer;
  return sample;
}

gxtkSample* gxtkAudio::LoadSample(String path) {
  FlushDiscarded();
  return LoadSample__UNSAFE__(new gxtkSample(), path);
}

int gxtkAudio::PlaySample(gxtkSample* sample, int channel, int flags) {
  gxtkChannel* ch = Channel(channel);
  if (!ch) return 0;
  FlushDiscarded();
  // Volume, pan and rate live in the source and stay as they were set.
  ALuint source = ch->AL_Source();
  alSourceStop(source);
  alSourcei(source, AL_BUFFER, sample ? sample->buffer : 0);
  alSourcei(source, AL_LOOPING, flags ? 1 : 0);
  alSourcePlay(source);
  gc_assign(ch->sample, sample);
  ch->flags = flags;
  ch->state = 1;
  return 0;
}

int gxtkAudio::StopChannel(int channel) {
  gxtkChannel* ch = Channel(channel);
  if (ch && ch->state != 0) {
    alSourceStop(ch->source);
    ch->state = 0;
  }
  return 0;
}

int gxtkAudio::PauseChannel(int channel) {
  gxtkChannel* ch = Channel(channel);
  if (ch && ch->state == 1) {
    if (ch->SourceState() == AL_STOPPED) {
      ch->state = 0;  // it has ended: nothing left to pause
    } else {
      alSourcePause(ch->source);
      ch->state = 2;
    }
  }
  return 0;
}

int gxtkAudio::ResumeChannel(int channel) {
  gxtkChannel* ch = Channel(channel);
  if (ch && ch->state == 2) {
    alSourcePlay(ch->source);
    ch->state = 1;
  }
  return 0;
}

int gxtkAudio::ChannelState(int channel) {
  gxtkChannel* ch = Channel(channel);
  if (!ch) return 0;
  if (ch->state == 1 && ch->SourceState() == AL_STOPPED) ch->state = 0;
  return ch->state;
}

int gxtkAudio::SetVolume(int channel, float volume) {
  gxtkChannel* ch = Channel(channel);
  if (ch) alSourcef(ch->AL_Source(), AL_GAIN, volume);
  return 0;
}

int gxtkAudio::SetPan(int channel, float pan) {
  // On the unit circle around the listener: 0 ahead, positive to the right.
  gxtkChannel* ch = Channel(channel);
  if (ch) alSource3f(ch->AL_Source(), AL_POSITION, std::sin(pan), 0.0f, -std::cos(pan));
  return 0;
}

int gxtkAudio::SetRate(int channel, float rate) {
  gxtkChannel* ch = Channel(channel);
  if (ch) alSourcef(ch->AL_Source(), AL_PITCH, rate);
  return 0;
}

int gxtkAudio::PlayMusic(String path, int flags) {
  StopMusic();
  // Only the channel references the music's sample.
  gxtkSample* sample = LoadSample(path);
  if (!sample) return -1;
  PlaySample(sample, kMusicChannel, flags);
  return 0;
}

int gxtkAudio::StopMusic() { return StopChannel(kMusicChannel); }
int gxtkAudio::PauseMusic() { return PauseChannel(kMusicChannel); }
int gxtkAudio::ResumeMusic() { return ResumeChannel(kMusicChannel); }
int gxtkAudio::MusicState() { return ChannelState(kMusicChannel); }
int gxtkAudio::SetMusicVolume(float volume) { return SetVolume(kMusicChannel, volume); }

void gxtkAudio::mark() {
  for (gxtkChannel& ch : channelTable) {
    if (ch.state == 0) continue;
    if (ch.SourceState() == AL_STOPPED) {
      ch.state = 0;
    } else {
      gc_mark_q(ch.sample);
    }
  }
}

void gxtkAudio::FlushDiscarded() {
  if (discarded.empty()) return;
  // Every source that no longer sounds lets go of its buffer, also when the
  // channel already reads as stopped (StopChannel, or an end that was
  // noticed): otherwise its buffer could never be deleted.
  for (gxtkChannel& ch : channelTable) {
    if (!ch.source) continue;
    ALint state = ch.SourceState();
    if (state == AL_STOPPED || state == AL_INITIAL) alSourcei(ch.source, AL_BUFFER, 0);
  }
  std::vector<ALuint> kept;
  for (ALuint name : discarded) {
    alGetError();  // an older error must not pass for this deletion's
    alDeleteBuffers(1, &name);
    if (alGetError() != AL_NO_ERROR) kept.push_back(name);
  }
  discarded.swap(kept);
}
