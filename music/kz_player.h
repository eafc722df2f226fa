#pragma once
// The music player object the game owns: its controls and its state.
#include "audio/audio.h"
#include "graphics/image.h"
#include "runtime/object.h"

// A five-voice pattern sequencer of sampled instruments. Voices 0 and 1 are
// drum kits, 2 lead, 3 accompaniment, 4 bass; voice v plays on channel
// baseChannel - 1 - v. It does nothing until its owner loads and starts it.
class c_KzPlayer : public Object {
 public:
  static const int kPatterns = 64;
  static const int kPatternSize = 4096;
  static const int kVoiceSlots = 8;
  static const int kFrameSize = 64;
  static const int kRows = 64;
  static const int kRowValues = 8;
  static const int kLoadSteps = 70;
  static const int kEffectEndPattern = 8;
  static const int kEffectAlternate = 27;
  enum { kIdle = 0, kPlaying = 2 };

  // Index of a row's first value in the note table.
  static int Entry(int pattern, int voice, int row) { return pattern * kPatternSize + voice * 512 + row * kRowValues; }

  c_KzPlayer();
  c_KzPlayer* m_new();

  virtual int p_Kz_Init(int channel, int kitA, int kitB, int lead, int accompaniment);
  virtual int p_Kz_LoadChunk();
  virtual int p_Kz_Alive_R();
  virtual int p_Kz_Stop(int full);
  // Pitch ratio of a note's letter, 0 for anything else.
  virtual float p_GetPitch_Alpha(int letter);
  // Pitch ratio of a note number 1..32, 0 for anything else.
  virtual float p_GetPitch(int note);
  virtual int p_Kz_PlayNote(int voice, int note, int volume, int effect, int param);
  // An integer from lo to hi inclusive, drawn from the shared seed.
  virtual int p_Rand(float lo, float hi);
  // The four key letters of chord pattern k.
  virtual String p_Kz_GetChord(int k);
  virtual int p_Kz_MusicPlay();
  virtual int p_Kz_Alive_U(int paused, int musicOn);

  void mark() override;

 private:
  void DecodeFrame(int frame);
  void NextPattern();
  void ArrangePattern();
  // Seeds the shared generator for this section and throws away `discarded` draws.
  void Reseed(int offset, int discarded);
  c_Sound* DrumSample(int voice, int note);
  // One row of a voice, step by step: the row's key and whether the voice
  // stays silent, a drum hit, the volume and its envelope, a tonal note,
  // a pitch slide.
  int TuneRow(int voice);
  void HitDrum(int voice, int note, int muted, int channel);
  void ShapeVolume(int voice, int volume, int muted, int channel);
  void StartTone(int voice, int note, int channel);
  void BendPitch(int voice, int channel, int effect, int param);
  c_Sound* LoadInstrument(String path);
  static String DrumSuffix(int slot);

 public:

  int baseChannel = 0;
  Array<int> instrumentSet;
  int loadStep = 0;
  Array<c_Sound*> kitA;
  Array<c_Sound*> kitB;
  Array<c_Sound*> tone;
  String songImagePath;
  c_Image* songImage = nullptr;
  Array<int> patternData;
  Array<int> lastPattern;
  int nextStepTime = 0;
  int state = kIdle;
  int voiceCount = 5;
  Array<int> voiceChannel;
  Array<int> voicePlaying;
  Array<int> voicePattern;
  int row = 0;
  int sectionLeft = 0;
  Array<int> voiceMuted;
  Array<int> voiceLeadIn;
  Array<int> voiceMutedNext;
  float key = 0;
  String chordString;
  Array<float> voiceRate;
  Array<float> voiceEnvelope;
  float masterVolume = 0.5f;
  Array<float> voiceVolume;
  int tempo = 95;
  int songNumber = 0;
  int section = 0;
};
