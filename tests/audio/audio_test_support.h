#pragma once
#include <AL/al.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "tests/support/test_support.h"

// A RIFF WAVE file built field by field, so that tests can break any field.
struct WavFile {
  int format_code = 1;
  int channels = 1;
  int hertz = 22050;
  int bits = 16;
  int fmt_size = 16;          // extra bytes beyond 16 are written as zeros
  std::string before_data;    // whole chunks placed between "fmt " and "data"
  std::string data;
  bool data_size_given = false;
  int data_size = 0;          // written instead of data.size() when given

  std::string Bytes() const;
};

// A RIFF chunk: tag, little-endian size, body (no padding).
std::string Chunk(const std::string& tag, const std::string& body);
// 16-bit samples of a sine wave, every channel alike.
std::string Sine16(int frames, int channels, int hertz, double frequency, double amplitude);

// A short mono tone, a longer one and a stereo one, written into `dir`.
struct SoundFiles {
  explicit SoundFiles(const TempDir& dir);
  std::string blip;  // 50 ms
  std::string tone;  // 2 s, for looping and long plays
  std::string stereo;
};

// Interleaved 16-bit stereo as the wave output writes it.
struct Capture {
  int channels = 0;
  int hertz = 0;
  std::vector<int16_t> samples;

  int Frames() const { return channels ? static_cast<int>(samples.size()) / channels : 0; }
  int16_t At(int frame, int channel) const { return samples[static_cast<size_t>(frame) * channels + channel]; }
  // RMS of one channel over frames [from, to).
  double Rms(int channel, int from, int to) const;
  // The loudest 50 ms window of one channel.
  double PeakRms(int channel) const;
};

// What OpenAL puts out while `play` runs, as 16-bit stereo at 44.1 kHz
// (checked). `play` runs in a child process of its own with the audio
// runtime started on OpenAL's wave-file output; it returns 0 or what a failed
// CHILD_CHECK returns, and gets a scratch folder for its files, which is the
// working directory with `data` linked in when a game data folder is named.
// The wave file is copied to `keep` when one is named.
Capture CaptureOutput(const std::function<int(gxtkAudio* device, const TempDir& scratch)>& play,
                      const std::string& data = "", const std::string& keep = "");

// Polls until `done` holds or `seconds` have passed; the final answer.
bool WaitFor(const std::function<bool()>& done, double seconds = 5.0);
void SleepSeconds(double seconds);

// Starts the runtime pieces the audio code needs: empty collector lists with
// the program's roots queued, a desktop host for files, and the device
// (OpenAL's null output unless the caller chose another).
void StartAudioRuntime();

// A sample that counts its destructions.
class ProbeSample : public gxtkSample {
 public:
  ~ProbeSample() override { destroyed += 1; }
  static int destroyed;
};

// Full collections that destroy all garbage at once. Two by default: the
// first ends the cycle in which write barriers may have queued objects, so
// that the second keeps only what the roots reach.
void ForceCollection(int steps = 2);

// What OpenAL reports of a channel's source.
ALint SourceInt(const gxtkAudio& device, int channel, ALenum parameter);
float SourceFloat(const gxtkAudio& device, int channel, ALenum parameter);
bool Discarded(ALuint name);
