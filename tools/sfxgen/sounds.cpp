// The game's sound effects. Levels are set as loudness targets that take
// the volume the game plays each effect at into account (the landing is
// played at 0.3, the menu click at 0.5, everything else at 1), so that in
// play a blast stands out, a tick stays in the background and nothing
// jumps out.
#include "sounds.h"

#include <cmath>

namespace sfx {

namespace {

// About -1 dBFS: headroom for the mixer and for resampling at other rates.
const double kPeakLimit = 0.89;

double Time(size_t i) { return static_cast<double>(i) / kRate; }

// The last steps of every effect: no DC, no silent tail, click-free ends,
// then the level.
Signal Finish(Signal s, double loudness_db, double fade_in, double fade_out) {
  HighPass(&s, 30);
  TrimTail(&s, 0.02, fade_out);
  FadeEdges(&s, fade_in, fade_out);
  Normalize(&s, loudness_db, kPeakLimit);
  return s;
}

void AddReverb(Signal* s, double size, double decay, double wet, double tail) {
  Signal room = Reverb(*s, size, decay, 0.45, tail);
  MixInto(s, room, 0, wet);
}

// A glassy bell: harmonic FM whose brightness fades faster than the note,
// with two faint inharmonic partials for the metallic glint.
Signal Bell(double hz, double decay, double brightness) {
  Signal s(Samples(decay * 6 + 0.01));
  Oscillator body, glint, shimmer;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    double index = brightness * Exp(-t / (decay * 0.3));
    s[i] = static_cast<float>(body.Fm(hz, 2.0, index) * Percussive(t, 0.002, decay) +
                              0.22 * glint.Sine(hz * 2.76) * Percussive(t, 0.001, decay * 0.25) +
                              0.10 * shimmer.Sine(hz * 5.4) * Percussive(t, 0.001, decay * 0.12));
  }
  return s;
}

// A wooden mallet: fundamental, the bar's fourth partial that dies at once,
// and a breath of noise on the strike.
Signal Mallet(double hz, double decay, uint32_t seed) {
  Signal s(Samples(decay * 6 + 0.01));
  Oscillator body, overtone;
  Noise noise(seed);
  StateVariable strike;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    float click = strike.Run(noise.White(), hz * 3, 2.0).band;
    s[i] = static_cast<float>(body.Sine(hz) * Percussive(t, 0.001, decay) +
                              0.35 * overtone.Sine(hz * 3.93) * Percussive(t, 0.0005, decay * 0.15) +
                              0.4 * click * Percussive(t, 0.0003, 0.003));
  }
  return s;
}

// 001: a soft, round thump of a block settling: a falling low sine with a
// short wooden knock so it also reads on small speakers.
Signal Landing() {
  Signal s(Samples(0.22));
  Oscillator body, wood;
  Noise noise(1);
  StateVariable knock;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    double thump = body.Sine(Glide(t, 170, 72, 0.03)) * Percussive(t, 0.002, 0.05);
    double board = 0.45 * wood.Sine(Glide(t, 340, 250, 0.02)) * Percussive(t, 0.001, 0.02);
    double tap = 0.6 * knock.Run(noise.White(), 1100, 1.2).band * Percussive(t, 0.0005, 0.008);
    s[i] = static_cast<float>(thump + board + tap);
  }
  return Finish(s, -11, 0.001, 0.03);
}

// 002: a bright pop and a rising C-major sparkle, the reward of a group.
Signal GroupBlast() {
  Signal s(Samples(0.12));
  Oscillator thump;
  Noise noise(2);
  StateVariable puff;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    double pop = 0.5 * puff.Run(noise.White(), Glide(t, 7000, 500, 0.04), 0.8).low * Percussive(t, 0.001, 0.035);
    double low = 0.45 * thump.Sine(Glide(t, 240, 100, 0.025)) * Percussive(t, 0.001, 0.04);
    s[i] = static_cast<float>(pop + low);
  }
  const double notes[] = {84, 88, 91, 96};
  for (int k = 0; k < 4; ++k) MixInto(&s, Bell(NoteHz(notes[k]), 0.12 + 0.035 * k, 1.6), 0.012 + 0.045 * k, 0.3);
  AddReverb(&s, 1.0, 0.72, 0.22, 0.4);
  return Finish(s, -13, 0.0015, 0.2);
}

// 003: the tiny woody tick of a block stepping one cell; it repeats while
// dragging, so it stays short and quiet.
Signal SlideTick() {
  Signal s(Samples(0.06));
  Oscillator tone, upper;
  Noise noise(3);
  StateVariable grain;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    double pitch = 0.6 * tone.Sine(NoteHz(88)) * Percussive(t, 0.0006, 0.011) +
                   0.2 * upper.Sine(NoteHz(100)) * Percussive(t, 0.0004, 0.005);
    double tick = 0.5 * grain.Run(noise.White(), 3500, 3).band * Percussive(t, 0.0003, 0.004);
    s[i] = static_cast<float>(pitch + tick);
  }
  return Finish(s, -21, 0.001, 0.015);
}

// 004: a deep, rounded boom: a sub drop under a noise burst whose filter
// closes, a few crackles, and a short room.
Signal BombExplosion() {
  Signal s(Samples(1.3));
  Oscillator sub;
  Noise noise(4), sparks(44);
  StateVariable blast, rumble, crackle;
  OnePole soften;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    double low = 0.6 * sub.Sine(Glide(t, 120, 38, 0.1)) * Percussive(t, 0.002, 0.3);
    double burst = blast.Run(noise.White(), Glide(t, 5000, 140, 0.15), 0.7).low * Percussive(t, 0.002, 0.25);
    double roll = 0.6 * rumble.Run(noise.White(), 320, 0.8).low * Percussive(t, 0.02, 0.5);
    // Sparse embers, rounded off so that they crackle rather than click.
    double spark = sparks.Unit() < 0.006 * Exp(-t / 0.2) ? sparks.White() * 3.0 : 0.0;
    double cracks = 0.3 * soften.Low(crackle.Run(static_cast<float>(spark), 2200, 4).band, 4000);
    s[i] = static_cast<float>(low + burst + roll + cracks);
  }
  SoftClip(&s, 2.2);
  AddReverb(&s, 1.5, 0.75, 0.18, 0.5);
  return Finish(s, -11, 0.002, 0.25);
}

// 005: the bomb's fuse, a clock-like mallet tick on C6; the game raises its
// rate as the fuse burns down, so it climbs in pitch by itself.
Signal FuseTick() {
  Signal s = Mallet(NoteHz(84), 0.028, 5);
  Noise noise(55);
  StateVariable block;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    s[i] += static_cast<float>(0.5 * block.Run(noise.White(), 2200, 5).band * Percussive(t, 0.0003, 0.006));
  }
  return Finish(s, -16, 0.001, 0.03);
}

// A warm voice for melodies: triangle and sine with a little octave.
double Warm(Oscillator* a, Oscillator* b, Oscillator* c, double hz) {
  return 0.6 * a->Triangle(hz) + 0.4 * b->Sine(hz) + 0.12 * c->Sine(hz * 2);
}

// 006: a soft descending C-minor arpeggio that settles on a long low C with
// a gentle vibrato over a quiet fifth: the game is over, no harshness.
Signal GameOver() {
  Signal s(Samples(1.9));
  struct Note {
    double midi, at, length;
  };
  const Note melody[] = {{72, 0.0, 0.2}, {67, 0.2, 0.2}, {63, 0.4, 0.2}, {60, 0.6, 1.05}};
  for (const Note& note : melody) {
    Signal voice(Samples(note.length + 0.1));
    Oscillator a, b, c;
    OnePole tone;
    bool last = note.length > 0.5;
    for (size_t i = 0; i < voice.size(); ++i) {
      double t = Time(i);
      double vibrato = last ? 1 + 0.006 * std::min(1.0, t / 0.3) * SinCycles(5.2 * t) : 1;
      double env = Gate(t, 0.012, note.length - 0.06, 0.1) * Exp(-t / (last ? 0.9 : 0.5));
      voice[i] = tone.Low(static_cast<float>(Warm(&a, &b, &c, NoteHz(note.midi) * vibrato) * env), 2400);
    }
    MixInto(&s, voice, note.at, 0.5);
  }
  Signal pad(Samples(1.3));
  Oscillator root, fifth;
  for (size_t i = 0; i < pad.size(); ++i) {
    double t = Time(i);
    pad[i] = static_cast<float>((root.Sine(NoteHz(48)) + 0.5 * fifth.Sine(NoteHz(55))) * Gate(t, 0.15, 0.7, 0.45));
  }
  MixInto(&s, pad, 0.6, 0.22);
  AddReverb(&s, 1.3, 0.78, 0.28, 0.6);
  return Finish(s, -15, 0.002, 0.3);
}

// 007 (loaded, not played): a two-note combo chime, G6 up to C7.
Signal ComboChime() {
  Signal s;
  MixInto(&s, Bell(NoteHz(91), 0.13, 1.4), 0.002, 0.5);
  MixInto(&s, Bell(NoteHz(96), 0.2, 1.4), 0.085, 0.5);
  AddReverb(&s, 1.0, 0.7, 0.2, 0.3);
  return Finish(s, -15, 0.001, 0.2);
}

// 008: the danger warning: a rounded two-tone "dee-doo", A5 down to E5,
// clear enough to notice four times in a row without grating.
Signal DangerAlarm() {
  Signal s;
  struct Note {
    double midi, at, length;
  };
  const Note notes[] = {{81, 0.0, 0.15}, {76, 0.17, 0.22}};
  for (const Note& note : notes) {
    Signal voice(Samples(note.length));
    Oscillator square, sine, wobble;
    OnePole tone;
    for (size_t i = 0; i < voice.size(); ++i) {
      double t = Time(i);
      double hz = NoteHz(note.midi);
      double env = Gate(t, 0.006, note.length - 0.046, 0.04) * (0.85 + 0.15 * wobble.Sine(14));
      double x = 0.45 * square.SoftSquare(hz, 7) + 0.55 * sine.Sine(hz);
      voice[i] = tone.Low(static_cast<float>(x * env), 3200);
    }
    MixInto(&s, voice, note.at, 0.6);
  }
  AddReverb(&s, 0.8, 0.6, 0.12, 0.15);
  return Finish(s, -15, 0.002, 0.06);
}

// 009 (loaded, not played): the low wobbling "bloop" of a bomb arriving.
Signal BombArrives() {
  Signal s(Samples(0.36));
  Oscillator body, octave;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    double hz = Glide(t, 520, 170, 0.06) * (1 + 0.03 * SinCycles(16 * t));
    double env = Percussive(t, 0.004, 0.1);
    s[i] = static_cast<float>((body.Sine(hz) + 0.25 * octave.Sine(hz * 2)) * env);
  }
  return Finish(s, -15, 0.002, 0.06);
}

// 010 (loaded, not played): a short fuse sizzle, airy hiss with sparks.
Signal FuseSizzle() {
  Signal s(Samples(0.4));
  Noise noise(10), sparks(1010);
  StateVariable hiss, pops;
  OnePole flutter, soften;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    double spark = sparks.Unit() < 0.003 ? sparks.White() * 4.0 : 0.0;
    double level = 0.7 + 0.3 * flutter.Low(noise.White(), 30) * 8;
    double air = soften.Low(hiss.Run(noise.White(), 6000, 0.7).band, 9000) * Gate(t, 0.04, 0.2, 0.15) * level;
    s[i] = static_cast<float>(0.6 * air + 0.4 * pops.Run(static_cast<float>(spark), 3500, 3).band);
  }
  return Finish(s, -20, 0.02, 0.08);
}

// 095 (loaded, not played): a badge jingle, a quick G-major-to-C run of
// bells ending on a ringing C7 with a glitter of noise.
Signal BadgeJingle() {
  Signal s;
  const double notes[] = {79, 84, 88, 91, 96};
  for (int k = 0; k < 5; ++k) MixInto(&s, Bell(NoteHz(notes[k]), k == 4 ? 0.32 : 0.12, 1.5), 0.002 + 0.07 * k, 0.35);
  Signal glitter(Samples(0.6));
  Noise noise(95);
  StateVariable air;
  for (size_t i = 0; i < glitter.size(); ++i) {
    double t = Time(i);
    glitter[i] = static_cast<float>(air.Run(noise.White(), 8000, 1.5).band * Gate(t, 0.1, 0.1, 0.4));
  }
  MixInto(&s, glitter, 0.28, 0.08);
  AddReverb(&s, 1.2, 0.75, 0.25, 0.5);
  return Finish(s, -14, 0.001, 0.3);
}

// 098: the menu click, a soft rising bubble pop; the game plays it at half
// volume and at rates 0.5 to 1.2 for different actions.
Signal MenuClick() {
  Signal s(Samples(0.08));
  Oscillator pop, body;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    double hz = Glide(t, 480, 1000, 0.012);
    double env = Percussive(t, 0.0012, 0.016);
    s[i] = static_cast<float>((pop.Sine(hz) + 0.15 * body.Sine(hz * 2)) * env);
  }
  return Finish(s, -12, 0.001, 0.02);
}

// 099: the credits box opening or closing: an airy whoosh rising under two
// bell notes a fifth apart and a faint octave on top.
Signal CreditsWhoosh() {
  Signal s(Samples(0.55));
  Noise noise(99);
  StateVariable air;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    double cutoff = 450 * Exp2(2.807354922057604 * t / 0.5);  // × 7 every half second
    s[i] = static_cast<float>(0.55 * air.Run(noise.White(), cutoff, 1.4).band * Gate(t, 0.1, 0.06, 0.32));
  }
  MixInto(&s, Bell(NoteHz(88), 0.18, 1.2), 0.005, 0.3);
  MixInto(&s, Bell(NoteHz(95), 0.2, 1.2), 0.085, 0.26);
  MixInto(&s, Bell(NoteHz(100), 0.16, 0.8), 0.165, 0.12);
  AddReverb(&s, 1.1, 0.72, 0.25, 0.4);
  return Finish(s, -16, 0.004, 0.2);
}

}  // namespace

const std::vector<Effect>& Effects() {
  static const std::vector<Effect> effects = {
      {1, "landing thud", Landing},       {2, "group blast", GroupBlast},
      {3, "slide tick", SlideTick},       {4, "bomb explosion", BombExplosion},
      {5, "fuse tick", FuseTick},         {6, "game over", GameOver},
      {7, "combo chime", ComboChime},     {8, "danger alarm", DangerAlarm},
      {9, "bomb arrives", BombArrives},   {10, "fuse sizzle", FuseSizzle},
      {95, "badge jingle", BadgeJingle},  {98, "menu click", MenuClick},
      {99, "credits whoosh", CreditsWhoosh},
  };
  return effects;
}

}  // namespace sfx
