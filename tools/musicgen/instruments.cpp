// Instrument samples. The tonal ones are played looping and faded by the
// player, so they hold a steady tone: every partial is a whole number of
// hertz and the sample a whole number of seconds long, which makes the loop
// seamless. The drums are short hits that die away well within a beat.
#include "instruments.h"

namespace music {

namespace {

using sfx::Signal;

// Every sample peaks here: five voices at the player's half volume still
// leave room before the mix clips.
const double kPeak = 0.5;
const double kToneSeconds = 3;

double Time(size_t i) { return static_cast<double>(i) / sfx::kRate; }

Signal Finish(Signal s, double fade_out) {
  sfx::HighPass(&s, 25);
  sfx::FadeEdges(&s, 0.001, fade_out);
  sfx::Normalize(&s, 0, kPeak);
  return s;
}

// A bass drum: a sine that falls quickly in pitch, with a short knock.
Signal Kick(double from_hz, double to_hz, double decay) {
  Signal s(sfx::Samples(decay * 5));
  sfx::Oscillator body;
  sfx::Noise noise(11);
  sfx::OnePole knock;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    double hz = sfx::Glide(t, from_hz, to_hz, 0.03);
    s[i] = static_cast<float>(body.Sine(hz) * sfx::Percussive(t, 0.001, decay) +
                              0.3 * knock.Low(noise.White(), 3000) * sfx::Percussive(t, 0.0005, 0.004));
  }
  return Finish(s, 0.02);
}

// A snare: a tuned body and a band of noise for the wires.
Signal Snare(double hz, double decay, double wires, uint32_t seed) {
  Signal s(sfx::Samples(decay * 5));
  sfx::Oscillator body;
  sfx::Noise noise(seed);
  sfx::StateVariable band;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    float hiss = band.Run(noise.White(), 5000, 0.7).band;
    s[i] = static_cast<float>(body.Sine(sfx::Glide(t, hz * 1.4, hz, 0.01)) * sfx::Percussive(t, 0.001, decay * 0.6) +
                              wires * hiss * sfx::Percussive(t, 0.001, decay));
  }
  return Finish(s, 0.02);
}

// Hats, shakers and cymbals: filtered noise with a metallic ring of
// inharmonic squares.
Signal Metal(double cutoff, double decay, double ring, uint32_t seed) {
  Signal s(sfx::Samples(decay * 5 + 0.01));
  sfx::Noise noise(seed);
  sfx::StateVariable filter;
  sfx::Oscillator a, b, c;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    double metal = a.SoftSquare(587, 9) + b.SoftSquare(845, 7) + c.SoftSquare(1253, 5);
    float x = static_cast<float>(noise.White() + ring * metal / 3);
    s[i] = static_cast<float>(filter.Run(x, cutoff, 0.8).high * sfx::Percussive(t, 0.0015, decay));
  }
  return Finish(s, 0.01);
}

// Toms, congas and blocks: a pitched body that bends down a little.
Signal Drum(double hz, double decay, double bend, double overtone) {
  Signal s(sfx::Samples(decay * 5));
  sfx::Oscillator body, upper;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    double f = sfx::Glide(t, hz * bend, hz, 0.02);
    s[i] = static_cast<float>((body.Sine(f) + overtone * upper.Sine(f * 2.7) * sfx::Exp(-t / 0.02)) *
                              sfx::Percussive(t, 0.001, decay));
  }
  return Finish(s, 0.02);
}

// A clap: three quick bursts of band-passed noise and a short tail.
Signal Clap(uint32_t seed) {
  Signal s(sfx::Samples(0.25));
  sfx::Noise noise(seed);
  sfx::StateVariable band;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    double bursts = 0;
    for (int k = 0; k < 3; ++k) bursts += sfx::Percussive(t - 0.011 * k, 0.0005, 0.006);
    double level = bursts + 0.6 * sfx::Percussive(t - 0.03, 0.001, 0.05);
    s[i] = static_cast<float>(band.Run(noise.White(), 1400, 1.5).band * level);
  }
  return Finish(s, 0.02);
}

// A steady tone of whole-hertz partials: (multiple of the root, level).
struct Partial {
  double multiple, level;
};

// Two copies half a hertz apart beat slowly, which keeps a held note alive.
Signal Tone(int root_hz, const std::vector<Partial>& partials, double detune_mix) {
  Signal s(sfx::Samples(kToneSeconds));
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Time(i);
    double sum = 0;
    for (const Partial& p : partials) {
      double hz = root_hz * p.multiple;
      sum += p.level * (sfx::SinCycles(hz * t) + detune_mix * sfx::SinCycles((hz + 0.5) * t));
    }
    s[i] = static_cast<float>(sum);
  }
  // A bright wave starting at full slope ticks; the fade-in comes round
  // again only after the player's envelope has long silenced the note.
  const int fade = sfx::Samples(0.004);
  for (int i = 0; i < fade; ++i) s[i] = static_cast<float>(s[i] * (0.5 - 0.5 * sfx::CosCycles(0.5 * i / fade)));
  sfx::Normalize(&s, 0, kPeak);
  return s;
}

// A soft square: odd harmonics falling off faster than a real square's.
std::vector<Partial> Lead() {
  std::vector<Partial> p;
  for (int k = 1; k <= 9; k += 2) p.push_back({static_cast<double>(k), 1.0 / (k * k * 0.6 + 0.4)});
  p.push_back({2, 0.12});
  return p;
}

// An electric-piano like tone: strong fundamental, a bright octave and a
// little of the twelfth.
std::vector<Partial> Keys() { return {{1, 1}, {2, 0.45}, {3, 0.18}, {4, 0.08}, {6, 0.03}}; }

// A round bass with enough upper partials to be heard on small speakers.
std::vector<Partial> Bass() { return {{1, 1}, {2, 0.6}, {3, 0.3}, {4, 0.15}, {5, 0.08}, {6, 0.04}}; }

}  // namespace

std::vector<Instrument> Instruments() {
  return {
      // Kit 4 (the left kit): kick, snare and the toms that carry the groove.
      {"inst/d4-1.wav", Kick(150, 48, 0.09)},
      {"inst/d4-2.wav", Snare(190, 0.07, 1.2, 21)},
      {"inst/d4-3.wav", Snare(240, 0.04, 0.5, 22)},  // ghost snare
      {"inst/d4-4.wav", Clap(23)},
      {"inst/d4-5.wav", Drum(98, 0.1, 1.5, 0.3)},  // low tom
      {"inst/d4-6.wav", Drum(131, 0.09, 1.5, 0.3)},
      {"inst/d4-7.wav", Drum(175, 0.08, 1.5, 0.3)},
      {"inst/d4-8.wav", Kick(120, 42, 0.14)},  // long kick for downbeats
      // Kit 3 (the right kit): hats, shaker and hand percussion.
      {"inst/d3-1.wav", Metal(7000, 0.025, 0.4, 31)},  // closed hat
      {"inst/d3-2.wav", Metal(6500, 0.12, 0.5, 32)},   // open hat
      {"inst/d3-3.wav", Metal(9000, 0.018, 0.0, 33)},  // shaker
      {"inst/d3-4.wav", Metal(5000, 0.05, 0.9, 34)},   // tambourine
      {"inst/d3-5.wav", Metal(4000, 0.3, 1.0, 35)},    // ride
      {"inst/d3-6.wav", Drum(820, 0.03, 1.0, 0.4)},    // block
      {"inst/d3-7.wav", Drum(196, 0.07, 1.2, 0.5)},    // low conga
      {"inst/d3-8.wav", Drum(294, 0.06, 1.2, 0.5)},    // high conga
      // Tonal voices, rooted on A: lead A4, accompaniment A3, bass A1.
      {"inst/lead3.wav", Tone(440, Lead(), 0.5)},
      {"inst/accompany4.wav", Tone(220, Keys(), 0.35)},
      {"inst/bass0.wav", Tone(55, Bass(), 0.0)},
  };
}

}  // namespace music
