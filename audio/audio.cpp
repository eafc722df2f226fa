// The audio module: the device the game plays through and its sounds.
#include "audio/audio.h"

#include "host/data_path.h"

gxtkAudio* vx_audio_device;

c_Sound* c_Sound::m_new(gxtkSample* sample) {
  gc_assign(this->sample, sample);
  return this;
}

c_Sound* c_Sound::m_new2() { return this; }

void c_Sound::mark() {
  Object::mark();
  gc_mark_q(sample);
}

int vx_audio_SetAudioDevice(gxtkAudio* device) {
  gc_assign(vx_audio_device, device);
  return 0;
}

c_Sound* vx_audio_LoadSound(String path) {
  gxtkSample* sample = vx_audio_device->LoadSample(vx_data_FixDataPath(path));
  if (!sample) return nullptr;
  return (new c_Sound())->m_new(sample);
}

int vx_audio_PlaySound(c_Sound* sound, int channel, int flags) {
  if (sound->sample) vx_audio_device->PlaySample(sound->sample, channel, flags);
  return 0;
}

int vx_audio_StopChannel(int channel) { return vx_audio_device->StopChannel(channel); }

int vx_audio_SetChannelVolume(int channel, float volume) { return vx_audio_device->SetVolume(channel, volume); }

int vx_audio_SetChannelPan(int channel, float pan) { return vx_audio_device->SetPan(channel, pan); }

int vx_audio_SetChannelRate(int channel, float rate) { return vx_audio_device->SetRate(channel, rate); }
