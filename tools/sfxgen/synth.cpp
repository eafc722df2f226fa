// The synthesis kit shared by the sound and music generators.
#include "synth.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace sfx {

namespace {

const double kTwoPi = 6.283185307179586;

double Nyquist() { return kRate * 0.45; }

// Fractional part that stays in [0, 1) for negative input too.
double Wrap(double phase) { return phase - std::floor(phase); }

}  // namespace

double SinCycles(double cycles) {
  // Reduced to a quarter turn around zero, where the series converges fast.
  double r = cycles - std::floor(cycles + 0.5);
  if (r > 0.25) r = 0.5 - r;
  if (r < -0.25) r = -0.5 - r;
  double x = kTwoPi * r;
  double x2 = x * x;
  double term = x, sum = x;
  for (int n = 2; n <= 18; n += 2) {
    term *= -x2 / (n * (n + 1));
    sum += term;
  }
  return sum;
}

double CosCycles(double cycles) { return SinCycles(cycles + 0.25); }

double Exp(double x) {
  if (x < -700) return 0;
  if (x > 700) x = 700;
  // e^x = 2^k · e^r with |r| <= ln 2 / 2.
  const double kLn2 = 0.6931471805599453;
  double k = std::floor(x / kLn2 + 0.5);
  double r = x - k * kLn2;
  double term = 1, sum = 1;
  for (int n = 1; n <= 16; ++n) {
    term *= r / n;
    sum += term;
  }
  return std::ldexp(sum, static_cast<int>(k));
}

double Exp2(double x) { return Exp(x * 0.6931471805599453); }

double Tanh(double x) {
  if (x > 20) return 1;
  if (x < -20) return -1;
  double e = Exp(2 * x);
  return (e - 1) / (e + 1);
}

int Samples(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

double NoteHz(double midi_note) { return 440.0 * Exp2((midi_note - 69.0) / 12.0); }

float Noise::White() {
  // xorshift32: cheap, full period, and defined bit for bit.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<float>(static_cast<int32_t>(state_) / 2147483648.0);
}

double Noise::Unit() { return (White() + 1.0) * 0.5; }

double Oscillator::Advance(double hz) {
  double now = phase_;
  phase_ = Wrap(phase_ + hz / kRate);
  return now;
}

float Oscillator::Sine(double hz) { return static_cast<float>(SinCycles(Advance(hz))); }

float Oscillator::Triangle(double hz) {
  double p = Advance(hz);
  return static_cast<float>(4.0 * std::fabs(p - 0.5) - 1.0);
}

float Oscillator::SoftSquare(double hz, int harmonics) {
  double p = Advance(hz);
  double sum = 0;
  for (int k = 1; k <= harmonics && k * hz < Nyquist(); k += 2) sum += SinCycles(k * p) / k;
  return static_cast<float>(sum * 4.0 / M_PI);
}

float Oscillator::Fm(double hz, double ratio, double index) {
  double modulator = SinCycles(mod_phase_);
  mod_phase_ = Wrap(mod_phase_ + ratio * hz / kRate);
  return static_cast<float>(SinCycles(Advance(hz) + index * modulator / kTwoPi));
}

double Percussive(double t, double attack, double decay) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return Exp(-(t - attack) / decay);
}

double Gate(double t, double attack, double hold, double release) {
  if (t < 0) return 0;
  if (t < attack) return 0.5 - 0.5 * CosCycles(0.5 * t / attack);
  t -= attack;
  if (t < hold) return 1;
  t -= hold;
  if (t < release) return 0.5 + 0.5 * CosCycles(0.5 * t / release);
  return 0;
}

double Glide(double t, double from, double to, double tau) { return to + (from - to) * Exp(-t / tau); }

float OnePole::Low(float x, double cutoff_hz) {
  double a = 1.0 - Exp(-kTwoPi * std::min(cutoff_hz, Nyquist()) / kRate);
  state_ += static_cast<float>(a * (x - state_));
  return state_;
}

float OnePole::High(float x, double cutoff_hz) { return x - Low(x, cutoff_hz); }

StateVariable::Out StateVariable::Run(float x, double cutoff_hz, double q) {
  double turn = 0.5 * std::clamp(cutoff_hz, 10.0, Nyquist()) / kRate;
  double g = SinCycles(turn) / CosCycles(turn);  // tan(π · cutoff / rate)
  double k = 1.0 / std::max(q, 0.1);
  double a1 = 1.0 / (1.0 + g * (g + k));
  double a2 = g * a1;
  double a3 = g * a2;
  double v3 = x - ic2_;
  double v1 = a1 * ic1_ + a2 * v3;
  double v2 = ic2_ + a2 * ic1_ + a3 * v3;
  ic1_ = 2 * v1 - ic1_;
  ic2_ = 2 * v2 - ic2_;
  return Out{static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(x - k * v1 - v2)};
}

Signal Reverb(const Signal& dry, double size, double decay, double damping, double tail_seconds) {
  // Mutually prime delays keep the echoes from piling up on one pitch.
  static const double kCombMs[] = {31.3, 35.9, 40.7, 44.9};
  static const double kAllPassMs[] = {5.1, 1.7};
  struct Line {
    std::vector<float> buffer;
    size_t at = 0;
    float filtered = 0;
  };
  std::vector<Line> combs, passes;
  for (double ms : kCombMs) combs.push_back(Line{std::vector<float>(std::max(1, Samples(ms * size / 1000)))});
  for (double ms : kAllPassMs) passes.push_back(Line{std::vector<float>(std::max(1, Samples(ms * size / 1000)))});

  Signal wet(dry.size() + Samples(tail_seconds));
  for (size_t i = 0; i < wet.size(); ++i) {
    float x = i < dry.size() ? dry[i] : 0.0f;
    float sum = 0;
    for (Line& comb : combs) {
      float out = comb.buffer[comb.at];
      comb.filtered = static_cast<float>(out * (1 - damping) + comb.filtered * damping);
      comb.buffer[comb.at] = static_cast<float>(x + comb.filtered * decay);
      comb.at = (comb.at + 1) % comb.buffer.size();
      sum += out;
    }
    sum *= 0.25f;
    for (Line& pass : passes) {
      float stored = pass.buffer[pass.at];
      float out = stored - sum;
      pass.buffer[pass.at] = sum + stored * 0.5f;
      pass.at = (pass.at + 1) % pass.buffer.size();
      sum = out;
    }
    wet[i] = sum;
  }
  return wet;
}

void MixInto(Signal* target, const Signal& source, double at, double gain) {
  size_t start = static_cast<size_t>(std::max(0, Samples(at)));
  if (target->size() < start + source.size()) target->resize(start + source.size(), 0.0f);
  for (size_t i = 0; i < source.size(); ++i) (*target)[start + i] += static_cast<float>(source[i] * gain);
}

void Scale(Signal* signal, double gain) {
  for (float& x : *signal) x = static_cast<float>(x * gain);
}

void SoftClip(Signal* signal, double drive) {
  for (float& x : *signal) x = static_cast<float>(Tanh(x * drive) / drive);
}

void HighPass(Signal* signal, double cutoff_hz) {
  // Two poles, so that a slowly drifting offset is gone too.
  OnePole first, second;
  for (float& x : *signal) x = second.High(first.High(x, cutoff_hz), cutoff_hz);
}

void FadeEdges(Signal* signal, double in_seconds, double out_seconds) {
  int n = static_cast<int>(signal->size());
  int in = std::min(n / 2, std::max(1, Samples(in_seconds)));
  int out = std::min(n / 2, std::max(1, Samples(out_seconds)));
  for (int i = 0; i < in; ++i) (*signal)[i] = static_cast<float>((*signal)[i] * (0.5 - 0.5 * CosCycles(0.5 * i / in)));
  for (int i = 0; i < out; ++i) {
    double weight = 0.5 - 0.5 * CosCycles(0.5 * i / out);
    (*signal)[n - 1 - i] = static_cast<float>((*signal)[n - 1 - i] * weight);
  }
}

void TrimTail(Signal* signal, double floor, double keep) {
  double threshold = Peak(*signal) * floor;
  size_t last = signal->size();
  while (last > 0 && std::fabs((*signal)[last - 1]) < threshold) --last;
  size_t end = std::min(signal->size(), last + static_cast<size_t>(Samples(keep)));
  signal->resize(end);
}

double Peak(const Signal& signal) {
  double peak = 0;
  for (float x : signal) peak = std::max(peak, static_cast<double>(std::fabs(x)));
  return peak;
}

double Loudness(const Signal& signal) {
  // The ear (and a small speaker) hardly hears the lowest octaves: weigh
  // them down, or a boom would be measured louder than it sounds.
  Signal heard(signal.size());
  OnePole first, second;
  for (size_t i = 0; i < signal.size(); ++i) heard[i] = second.High(first.High(signal[i], 120), 120);
  size_t window = static_cast<size_t>(Samples(0.05));
  size_t step = window / 5;
  double loudest = 0;
  for (size_t from = 0; from < heard.size(); from += step) {
    size_t to = std::min(heard.size(), from + window);
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += double(heard[i]) * heard[i];
    // A sound shorter than the window is measured over the window all the same.
    loudest = std::max(loudest, std::sqrt(sum / window));
    if (to == heard.size()) break;
  }
  return loudest;
}

void Normalize(Signal* signal, double loudness_db, double peak_limit) {
  double loudness = Loudness(*signal);
  double peak = Peak(*signal);
  if (loudness <= 0 || peak <= 0) return;
  double gain = Exp(loudness_db / 20.0 * 2.302585092994046) / loudness;
  gain = std::min(gain, peak_limit / peak);
  Scale(signal, gain);
}

std::vector<int16_t> Quantize(const Signal& signal) {
  std::vector<int16_t> out(signal.size());
  for (size_t i = 0; i < signal.size(); ++i) {
    double x = std::clamp(static_cast<double>(signal[i]), -1.0, 1.0);
    out[i] = static_cast<int16_t>(std::lround(x * 32767.0));
  }
  return out;
}

namespace {

void PutLe(std::string* out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

}  // namespace

std::string WavBytes(const std::vector<int16_t>& samples) {
  const uint32_t data_size = static_cast<uint32_t>(samples.size() * 2);
  std::string out = "RIFF";
  PutLe(&out, 36 + data_size, 4);
  out += "WAVEfmt ";
  PutLe(&out, 16, 4);
  PutLe(&out, 1, 2);  // integer PCM
  PutLe(&out, 1, 2);  // mono
  PutLe(&out, kRate, 4);
  PutLe(&out, kRate * 2, 4);
  PutLe(&out, 2, 2);
  PutLe(&out, 16, 2);
  out += "data";
  PutLe(&out, data_size, 4);
  for (int16_t sample : samples) PutLe(&out, static_cast<uint16_t>(sample), 2);
  return out;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  std::string temporary = path + ".part";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << bytes;
    if (!file.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  return !error;
}

}  // namespace sfx
