// The music player: its controls, the loading of samples and song sheet in
// small steps, the arrangement of sections and the playing of rows.
#include "music/kz_player.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

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

String c_KzPlayer::DrumSuffix(int slot) { return String("-") + String(slot) + String(".wav"); }

// A missing file, or no audio device, leaves the slot empty.
c_Sound* c_KzPlayer::LoadInstrument(String path) {
  return vx_audio_device ? vx_audio_LoadSound(path) : nullptr;
}

int c_KzPlayer::p_Kz_LoadChunk() {
  const int s = loadStep;
  if (s == 1) {
    gc_assign(songImage, vx_graphics_LoadImage2(songImagePath, kFrameSize, kFrameSize, kPatterns, c_Image::MidHandle));
  } else if (s >= 2 && s <= 9) {
    gc_assign(kitA[s - 1], LoadInstrument(String("inst/d") + String(instrumentSet[1]) + DrumSuffix(s - 1)));
  } else if (s >= 12 && s <= 19) {
    gc_assign(kitB[s - 11], LoadInstrument(String("inst/d") + String(instrumentSet[2]) + DrumSuffix(s - 11)));
  } else if (s == 21) {
    gc_assign(tone[2], LoadInstrument(String("inst/lead") + String(instrumentSet[3]) + String(".wav")));
  } else if (s == 22) {
    gc_assign(tone[3], LoadInstrument(String("inst/accompany") + String(instrumentSet[4]) + String(".wav")));
  } else if (s == 23) {
    gc_assign(tone[4], LoadInstrument(String("inst/bass") + String(instrumentSet[5]) + String(".wav")));
  }
  // The last frame is never decoded: the steps run out first.
  if (songImage && s >= 5 && s <= 67) DecodeFrame(s - 5);
  loadStep = s + 1;
  nextStepTime = vx_app_Millisecs() + 100;
  if (loadStep > kLoadSteps) loadStep = 0;
  return 0;
}

// The frame is drawn and read back, so the values come as the device holds
// the sheet: five bits of blue per value, over an opaque backdrop.
void c_KzPlayer::DecodeFrame(int frame) {
  Array<int> pixels(kFrameSize * kFrameSize);
  vx_graphics_Cls(1, 0, 0);
  vx_graphics_SetAlpha(1);
  vx_graphics_SetColor(1, 0, 0);
  vx_graphics_DrawRect(0, 0, kFrameSize, kFrameSize);
  vx_graphics_SetColor(255, 255, 255);
  vx_graphics_DrawImage(songImage, kFrameSize / 2, kFrameSize / 2, frame);
  vx_graphics_ReadPixels(pixels, 0, 0, kFrameSize, kFrameSize, 0, kFrameSize);
  for (int y = 0; y < kFrameSize; ++y) {
    for (int strip = 0; strip < kVoiceSlots; ++strip) {
      for (int column = 0; column < kRowValues; ++column) {
        int value = (pixels[y * kFrameSize + strip * kRowValues + column] & 0xFF) >> 3;
        patternData[Entry(frame, strip, y) + column] = value;
        if (value != 0) lastPattern[strip] = frame;
      }
    }
  }
}

int c_KzPlayer::p_Kz_MusicPlay() {
  const int now = vx_app_Millisecs();
  // A due time far ahead means the clock has jumped back; play at once.
  if (nextStepTime >= now && nextStepTime <= now + 123456) return 0;
  for (int v = 0; v < voiceCount && v < kVoiceSlots; ++v) {
    int p = voicePattern[v];
    int at = Entry(p, v, row);
    if (patternData[at + 2] == kEffectAlternate) {
      int param = patternData[at + 3];
      int to = p;
      if (param == 1 && sectionLeft % 2 == 1) to = p + 1;
      if (param == 2 && sectionLeft % 2 == 0) to = p - 1;
      // The table ends at both sides; a step beyond stays on the last one.
      if (to < 0) to = 0;
      if (to > kPatterns - 1) to = kPatterns - 1;
      if (to != p) {
        voicePattern[v] = to;
        at = Entry(to, v, row);
      }
    }
    p_Kz_PlayNote(v, patternData[at], patternData[at + 1], patternData[at + 2], patternData[at + 3]);
    if (patternData[at + 2] == kEffectEndPattern) row = kRows - 1;
  }
  // From the previous due time, not from now: a late player catches up.
  float next = static_cast<float>(nextStepTime) + 8000.0f / static_cast<float>(tempo);
  nextStepTime = static_cast<int>(static_cast<int64_t>(next));
  row = (row + 1) % kRows;
  if (row == 0) NextPattern();
  return 0;
}

// Every draw here comes from a seed made of the section number and the song
// number alone, so a song is arranged the same way on every run. The game's
// own sequence is put back afterwards: with music on, the game draws the
// same numbers as without.
void c_KzPlayer::NextPattern() {
  const int gameSeed = vx_random_Seed;
  ArrangePattern();
  vx_random_Seed = gameSeed;
}

void c_KzPlayer::ArrangePattern() {
  Reseed(0, 16);
  if (chordString.Length() == 1) chordString = String(" ") + p_Kz_GetChord(p_Rand(0, 4));
  if (chordString.Length() > 1) chordString = chordString.Slice(1);
  sectionLeft -= 1;
  if (sectionLeft > 0) return;
  Reseed(0, 11);
  sectionLeft = p_Rand(1, 2) * 2;
  section += 1;
  for (int v = 0; v < voiceCount && v < kVoiceSlots; ++v) {
    Reseed(v * 7, 11);
    voicePattern[v] = p_Rand(0, static_cast<float>(lastPattern[v]));
    if (state > 1) voiceMuted[v] = voiceMutedNext[v];
    voiceMutedNext[v] = p_Rand(0, 1);
    voiceLeadIn[v] = p_Rand(0, 1);
  }
  // The song never loses both drum kits at once.
  if (state > 1 && voiceMuted[0] == 1 && voiceMuted[1] == 1) voiceMuted[0] = 0;
}

void c_KzPlayer::Reseed(int offset, int discarded) {
  vx_random_Seed = section * 9 + songNumber + offset;
  for (int i = 0; i < discarded; ++i) p_Rand(1, 5);
}

c_Sound* c_KzPlayer::DrumSample(int voice, int note) {
  static const int kDrumNotes[] = {13, 15, 17, 18, 20, 22, 24, 25};
  Array<c_Sound*>& kit = voice == 0 ? kitA : kitB;
  for (int slot = 1; slot <= 8; ++slot) {
    if (kDrumNotes[slot - 1] == note) return kit[slot];
  }
  return nullptr;
}

int c_KzPlayer::p_Kz_PlayNote(int voice, int note, int volume, int effect, int param) {
  const int v = voice;
  const int muted = TuneRow(v);
  for (int i = 0; i < voiceCount && i < kVoiceSlots; ++i) voiceChannel[i] = baseChannel - 1 - i;
  const int ch = voiceChannel[v];

  if (v == 0 || v == 1) HitDrum(v, note, muted, ch);
  ShapeVolume(v, volume, muted, ch);
  if (muted || ch < 1) return 0;
  if (v >= 2 && v <= 4 && note >= 1) {
    StartTone(v, note, ch);
  } else {
    BendPitch(v, ch, effect, param);
  }
  return 0;
}

int c_KzPlayer::TuneRow(int v) {
  if (state < kPlaying) {
    key = 1.0f;
    return voiceMuted[v];
  }
  key = chordString.Length() ? p_GetPitch_Alpha(chordString[0]) : 1.0f;
  // A voice drawn to play next section may enter in the last eight rows.
  if (sectionLeft <= 1 && row > 55 && voiceLeadIn[v] == 1 && voiceMutedNext[v] == 0) return 0;
  return voiceMuted[v];
}

void c_KzPlayer::HitDrum(int v, int note, int muted, int ch) {
  if (note >= 1 && !muted && ch >= 1) {
    vx_audio_StopChannel(ch);
    if (c_Sound* sound = DrumSample(v, note)) {
      voicePlaying[v] = 1;
      vx_audio_PlaySound(sound, ch, 0);
      vx_audio_SetChannelPan(ch, v == 0 ? -0.35f : 0.35f);
    }
  }
  voiceRate[v] = 1.0f;
  voiceEnvelope[v] = 4.0f;
}

void c_KzPlayer::ShapeVolume(int v, int volume, int muted, int ch) {
  float f = static_cast<float>(volume - 1) / 29.0f;
  if (f > 1) {
    voiceEnvelope[v] = 0;
    f = 0;
  }
  if (f < 0) f = 0;
  if (volume >= 1 && ch >= 1 && !muted) {
    voiceEnvelope[v] = 1.5f;
    vx_audio_SetChannelVolume(ch, masterVolume * f);
    voiceVolume[v] = f;
  } else {
    f = voiceVolume[v];
  }

  float e = voiceEnvelope[v] - 0.1f;
  voiceEnvelope[v] = e;
  if (e < 1) {
    float factor = e * f;
    if (e < 0) {
      voiceEnvelope[v] = 0;
      factor = 0;
    }
    if (ch >= 1) {
      vx_audio_SetChannelVolume(ch, masterVolume * factor);
      voiceVolume[v] = factor;
    }
  }
}

void c_KzPlayer::StartTone(int v, int note, int ch) {
  vx_audio_StopChannel(ch);
  voiceRate[v] = p_GetPitch(note) * key;
  voiceEnvelope[v] = 1.5f;
  vx_audio_SetChannelRate(ch, voiceRate[v]);
  if (c_Sound* sound = tone[v]) {
    voicePlaying[v] = 1;
    vx_audio_PlaySound(sound, ch, 1);
  }
}

void c_KzPlayer::BendPitch(int v, int ch, int effect, int param) {
  float rate = voiceRate[v];
  switch (effect) {
    case 1: rate = std::min(rate + param / 180.0f, 4.0f); break;
    case 2: rate = std::max(rate - param / 180.0f, 0.25f); break;
    case 3: rate = std::min(rate + param / 15.0f, 4.0f); break;
    case 4: rate = std::max(rate - param / 15.0f, 0.25f); break;
    default: return;
  }
  voiceRate[v] = rate;
  vx_audio_SetChannelRate(ch, rate);
}

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

int c_KzPlayer::p_Rand(float lo, float hi) { return vx_random_Rand(lo, hi); }

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
