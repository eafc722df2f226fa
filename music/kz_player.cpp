#include "music/kz_player.h"

#include <cmath>

#include "framework/app.h"
#include "framework/random.h"
#include "graphics/graphics.h"

namespace {

// Equal-tempered semitones around 1.0: the upper octave rounded to three
// places, the lower octave the upper one halved. Index 0 is unused.
const float kPitch[33] = {0,      0.5f,  0.5295f, 0.561f, 0.5945f, 0.63f,  0.6675f, 0.707f, 0.749f,
                          0.7935f, 0.841f, 0.891f, 0.944f, 1.0f,    1.059f, 1.122f,  1.189f, 1.26f,
                          1.335f,  1.414f, 1.498f, 1.587f, 1.682f,  1.782f, 1.888f,  2.0f,   2.118f,
                          2.244f,  2.378f, 2.52f,  2.67f,  2.828f,  2.996f};

// The letters that name the same 32 notes on the keyboard-like sheet.
const char kPitchLetters[] = "zsxdcvgbhnjmq2w3er5t6y7ui9o0p[=]";

const char* const kChords[] = {"qqqq", "qqjj", "qqbb", "qbqb", "qqqj", "qqzz"};

}  // namespace

c_KzPlayer::c_KzPlayer() {
  gc_assign(instrumentSet, Array<int>(kVoiceSlots));
  gc_assign(kitA, Array<c_Sound*>(9));
  gc_assign(kitB, Array<c_Sound*>(9));
  gc_assign(tone, Array<c_Sound*>(kVoiceSlots));
  gc_assign(patternData, Array<int>(kPatterns * kPatternSize + 1));
  gc_assign(lastPattern, Array<int>(kVoiceSlots));
  gc_assign(voiceChannel, Array<int>(kVoiceSlots));
  gc_assign(voicePlaying, Array<int>(kVoiceSlots));
  gc_assign(voicePattern, Array<int>(kVoiceSlots));
  gc_assign(voiceMuted, Array<int>(kVoiceSlots));
  gc_assign(voiceLeadIn, Array<int>(kVoiceSlots));
  gc_assign(voiceMutedNext, Array<int>(kVoiceSlots));
  gc_assign(voiceRate, Array<float>(kVoiceSlots));
  gc_assign(voiceEnvelope, Array<float>(kVoiceSlots));
  gc_assign(voiceVolume, Array<float>(kVoiceSlots));
}

c_KzPlayer* c_KzPlayer::m_new() { return this; }

int c_KzPlayer::p_Kz_Init(int channel, int kitA, int kitB, int lead, int accompaniment) {
  baseChannel = channel;
  instrumentSet[1] = kitA;
  instrumentSet[2] = kitB;
  instrumentSet[3] = lead;
  instrumentSet[4] = accompaniment;
  return 0;
}

// Loading and sequencing are not part of this game: its player is never
// started, so these steps have nothing to do yet.
int c_KzPlayer::p_Kz_LoadChunk() { return 0; }

int c_KzPlayer::p_Kz_MusicPlay() { return 0; }

int c_KzPlayer::p_Kz_PlayNote(int, int, int, int, int) { return 0; }

int c_KzPlayer::p_Kz_Alive_R() {
  for (int step = 0; step < 3 && loadStep > 0; ++step) p_Kz_LoadChunk();
  // Loading draws into the back buffer; the frame starts clean either way.
  if (vx_graphics_renderDevice) vx_graphics_renderDevice->Cls(0, 0, 0);
  return 0;
}

int c_KzPlayer::p_Kz_Stop(int full) {
  for (int v = 0; v < voiceCount && v < kVoiceSlots; ++v) {
    if (voiceChannel[v] >= 1 && voicePlaying[v] == 1) {
      if (vx_audio_device) vx_audio_device->StopChannel(voiceChannel[v]);
      voicePlaying[v] = 0;
    }
  }
  if (full == 1) state = kIdle;
  return 0;
}

int c_KzPlayer::p_Kz_Alive_U(int paused, int musicOn) {
  if (state == kIdle) p_Kz_Stop(0);
  if (state == kPlaying && loadStep == 0 && paused == 0 && musicOn == 1) {
    p_Kz_MusicPlay();
    return 0;
  }
  if (paused == 1) {
    // The song resumes at the same row, a little after the pause ends.
    nextStepTime = vx_app_Millisecs() + 150;
    if (state == kPlaying) p_Kz_Stop(0);
    return 0;
  }
  if (state == kPlaying && musicOn == 0) p_Kz_Stop(0);
  return 0;
}

float c_KzPlayer::p_GetPitch_Alpha(int letter) {
  for (int i = 0; kPitchLetters[i]; ++i) {
    if (kPitchLetters[i] == letter) return kPitch[i + 1];
  }
  return 0;
}

float c_KzPlayer::p_GetPitch(int note) { return note >= 1 && note <= 32 ? kPitch[note] : 0; }

int c_KzPlayer::p_Rand(float lo, float hi) {
  double r = vx_random_Next();
  return static_cast<int>(std::floor(lo + r * (hi + 0.99 - lo)));
}

String c_KzPlayer::p_Kz_GetChord(int k) { return String(k >= 0 && k <= 5 ? kChords[k] : kChords[1]); }

void c_KzPlayer::mark() {
  Object::mark();
  gc_mark_q(instrumentSet);
  gc_mark_q(kitA);
  gc_mark_q(kitB);
  gc_mark_q(tone);
  gc_mark_q(songImage);
  gc_mark_q(patternData);
  gc_mark_q(lastPattern);
  gc_mark_q(voiceChannel);
  gc_mark_q(voicePlaying);
  gc_mark_q(voicePattern);
  gc_mark_q(voiceMuted);
  gc_mark_q(voiceLeadIn);
  gc_mark_q(voiceMutedNext);
  gc_mark_q(voiceRate);
  gc_mark_q(voiceEnvelope);
  gc_mark_q(voiceVolume);
}
