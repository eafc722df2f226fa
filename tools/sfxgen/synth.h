#pragma once
// Small synthesis kit for the game's sound effects: oscillators, seeded
// noise, envelopes, filters, a short room reverb and mixing helpers. Mono,
// floating point, one fixed sample rate; every result is a plain vector so
// that sounds are built by rendering layers and mixing them.
#include <cstdint>
#include <string>
#include <vector>

namespace sfx {

const int kRate = 44100;

using Signal = std::vector<float>;

// Elementary functions from plain arithmetic alone, so that the output does
// not depend on the maths library or on which CPU-specific variant of it
// runs: the same bytes on every build and machine.
double SinCycles(double cycles);  // sin(2π · cycles)
double CosCycles(double cycles);
double Exp(double x);
double Exp2(double x);
double Tanh(double x);

// Samples in `seconds`, rounded.
int Samples(double seconds);
double NoteHz(double midi_note);

// Seeded white noise in [-1, 1): the same seed gives the same stream on
// every build and machine, which keeps the generated files byte-identical.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
  float White();
  // Uniform in [0, 1).
  double Unit();

 private:
  uint32_t state_;
};

// A phase accumulator; the frequency may change every sample (glides,
// vibrato) without discontinuities.
class Oscillator {
 public:
  explicit Oscillator(double phase = 0) : phase_(phase) {}
  float Sine(double hz);
  float Triangle(double hz);
  // A band-limited square built from its odd harmonics up to `harmonics`,
  // rounder and softer than a raw square.
  float SoftSquare(double hz, int harmonics);
  // Two-operator FM: the modulator runs at ratio × hz with the given index.
  float Fm(double hz, double ratio, double index);

 private:
  double Advance(double hz);
  double phase_;      // in cycles, [0, 1)
  double mod_phase_ = 0;
};

// Envelopes as functions of time in seconds since the note began.
// A linear attack, then an exponential fall with time constant `decay`.
double Percussive(double t, double attack, double decay);
// Attack, hold at 1, then a raised-cosine release; 0 after the end.
double Gate(double t, double attack, double hold, double release);
// Exponential glide from `from` to `to` with time constant `tau`.
double Glide(double t, double from, double to, double tau);

// One-pole smoothing filters (6 dB per octave).
class OnePole {
 public:
  float Low(float x, double cutoff_hz);
  float High(float x, double cutoff_hz);

 private:
  float state_ = 0;
};

// State-variable filter (trapezoidal integration), stable under fast
// cutoff sweeps; resonance q is about 0.5 (soft) to 10 (ringing).
class StateVariable {
 public:
  struct Out {
    float low, band, high;
  };
  Out Run(float x, double cutoff_hz, double q);

 private:
  double ic1_ = 0, ic2_ = 0;
};

// A small damped room: parallel combs into series all-passes. `size` scales
// the delays, `decay` sets the comb feedback (0..0.95).
Signal Reverb(const Signal& dry, double size, double decay, double damping, double tail_seconds);

// Adds `source` × gain into `target` starting at `at` seconds, growing the
// target as needed.
void MixInto(Signal* target, const Signal& source, double at, double gain);
void Scale(Signal* signal, double gain);
// Gentle saturation that keeps small signals linear.
void SoftClip(Signal* signal, double drive);
// Removes DC and sub-audio rumble.
void HighPass(Signal* signal, double cutoff_hz);
// Raised-cosine fades at both ends, ending on exact zeros.
void FadeEdges(Signal* signal, double in_seconds, double out_seconds);
// Cuts a trailing stretch quieter than `floor` (relative to the peak),
// keeping `keep` seconds of it for the fade.
void TrimTail(Signal* signal, double floor, double keep);

double Peak(const Signal& signal);
// RMS of the loudest 50 ms window with the bass below about 120 Hz weighed
// down, a simple measure of how loud a short effect sounds.
double Loudness(const Signal& signal);
// Scales to the given loudness (dBFS) unless the peak would then pass
// `peak_limit`, in which case the peak decides.
void Normalize(Signal* signal, double loudness_db, double peak_limit);

// 16-bit PCM, rounded to nearest and clamped.
std::vector<int16_t> Quantize(const Signal& signal);
// A whole mono 16-bit WAV file at kRate.
std::string WavBytes(const std::vector<int16_t>& samples);
// Writes under a temporary name and renames, so that an interrupted build
// never leaves a truncated file behind under the real name.
bool WriteWhole(const std::string& path, const std::string& bytes);

}  // namespace sfx
