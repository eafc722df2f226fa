#pragma once
// The audio module the game calls, over the device.
#include "audio/audio_device.h"

// A loaded sound; an empty one (no sample) plays nothing.
class c_Sound : public Object {
 public:
  c_Sound* m_new(gxtkSample* sample);
  c_Sound* m_new2();
  void mark() override;

  gxtkSample* sample = nullptr;
};

extern gxtkAudio* vx_audio_device;

int vx_audio_SetAudioDevice(gxtkAudio* device);
c_Sound* vx_audio_LoadSound(String path);
int vx_audio_PlaySound(c_Sound* sound, int channel, int flags);
int vx_audio_StopChannel(int channel);
int vx_audio_SetChannelVolume(int channel, float volume);
int vx_audio_SetChannelPan(int channel, float pan);
int vx_audio_SetChannelRate(int channel, float rate);
