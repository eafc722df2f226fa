#pragma once
// The OpenAL device, its channels and the samples it plays.
#include <AL/al.h>
#include <AL/alc.h>

#include <vector>

#include "runtime/object.h"
#include "runtime/string.h"

// An OpenAL buffer holding one decoded sound.
class gxtkSample : public Object {
 public:
  gxtkSample();
  ~gxtkSample() override;
  // Hands the buffer to the device for deletion once nothing plays it.
  virtual int Discard();

  ALuint buffer;
};

// Buffer names of discarded samples, deleted by the device's next flush
// once no source holds them any more.
extern std::vector<ALuint> discarded;

struct gxtkChannel {
  ALuint source;
  gxtkSample* sample;  // the sample last started here
  int flags;           // bit 0: loop
  int state;           // 0 stopped, 1 playing, 2 paused

  // The channel's source, created on first use.
  ALuint AL_Source();
  // What OpenAL says of the source; a channel without one reads as stopped.
  ALint SourceState() const;
};

// The OpenAL back end: 33 channels, the last of them for music. Without an
// OpenAL device it keeps its bookkeeping and plays nothing.
class gxtkAudio : public Object {
 public:
  static const int kChannels = 33;
  static const int kMusicChannel = 32;

  gxtkAudio();

  virtual void Suspend();
  virtual void Resume();
  virtual gxtkSample* LoadSample__UNSAFE__(gxtkSample* sample, String path);
  virtual gxtkSample* LoadSample(String path);
  virtual int PlaySample(gxtkSample* sample, int channel, int flags);
  virtual int StopChannel(int channel);
  virtual int PauseChannel(int channel);
  virtual int ResumeChannel(int channel);
  virtual int ChannelState(int channel);
  virtual int SetVolume(int channel, float volume);
  virtual int SetPan(int channel, float pan);
  virtual int SetRate(int channel, float rate);
  virtual int PlayMusic(String path, int flags);
  virtual int StopMusic();
  virtual int PauseMusic();
  virtual int ResumeMusic();
  virtual int MusicState();
  virtual int SetMusicVolume(float volume);

  // Keeps alive the samples that still sound.
  void mark() override;

  // Deletes the discarded buffers that no source holds any more.
  void FlushDiscarded();

  ALCdevice* alcDevice;
  ALCcontext* alcContext;
  gxtkChannel channelTable[kChannels];

 private:
  // The channel record, or null for a number outside the table.
  gxtkChannel* Channel(int channel);
};
