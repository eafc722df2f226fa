#include "tests/audio/audio_test_support.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "host/glfw_game.h"

int ProbeSample::destroyed;

namespace {

std::string Le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
  return out;
}

}  // namespace

std::string Chunk(const std::string& tag, const std::string& body) {
  return tag + Le(static_cast<uint32_t>(body.size()), 4) + body;
}

std::string WavFile::Bytes() const {
  int block = channels * bits / 8;
  std::string fmt = Le(format_code, 2) + Le(channels, 2) + Le(hertz, 4) + Le(hertz * block, 4) +
                    Le(block, 2) + Le(bits, 2);
  fmt.resize(fmt_size > 16 ? fmt_size : 16, '\0');
  std::string body = "WAVE" + std::string("fmt ") + Le(fmt_size, 4) + fmt + before_data + "data" +
                     Le(data_size_given ? data_size : static_cast<int>(data.size()), 4) + data;
  return Chunk("RIFF", body);
}

std::string Sine16(int frames, int channels, int hertz, double frequency, double amplitude) {
  std::string out;
  for (int i = 0; i < frames; ++i) {
    int value = static_cast<int>(std::lround(amplitude * std::sin(2 * M_PI * frequency * i / hertz)));
    for (int c = 0; c < channels; ++c) out += Le(static_cast<uint16_t>(value), 2);
  }
  return out;
}

SoundFiles::SoundFiles(const TempDir& dir)
    : blip(dir.Path("blip.wav")), tone(dir.Path("tone.wav")), stereo(dir.Path("stereo.wav")) {
  WavFile wav;
  wav.hertz = 44100;
  wav.data = Sine16(2205, 1, 44100, 440, 8000);
  WriteFile(blip, wav.Bytes());
  wav.data = Sine16(88200, 1, 44100, 440, 8000);
  WriteFile(tone, wav.Bytes());
  wav.channels = 2;
  wav.data = Sine16(4410, 2, 44100, 440, 8000);
  WriteFile(stereo, wav.Bytes());
}

void SleepSeconds(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

bool WaitFor(const std::function<bool()>& done, double seconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return done();
    SleepSeconds(0.005);
  }
  return true;
}

void StartAudioRuntime() {
  setenv("ALSOFT_DRIVERS", "null", 0);
  // The collector's lists are emptied once per process, as at start-up:
  // emptying them again would orphan the objects on them and leave their
  // bytes counted. What an earlier test left is collected instead, before
  // the counts below start again.
  static bool collector_started = false;
  if (!collector_started) {
    gc_init1();
    gc_mark();
    collector_started = true;
  } else {
    vx_audio_device = nullptr;
    ForceCollection(3);
  }
  discarded.clear();
  ProbeSample::destroyed = 0;
  if (!VxGlfwGame::_glfwGame) new VxGlfwGame();
  vx_audio_SetAudioDevice(new gxtkAudio());
}

void ForceCollection(int steps) {
  for (int i = 0; i < steps; ++i) {
    gc_force_sweep = true;
    gc_collect();
  }
}

ALint SourceInt(const gxtkAudio& device, int channel, ALenum parameter) {
  ALint value = -12345;
  alGetSourcei(device.channelTable[channel].source, parameter, &value);
  return value;
}

float SourceFloat(const gxtkAudio& device, int channel, ALenum parameter) {
  float value = -12345;
  alGetSourcef(device.channelTable[channel].source, parameter, &value);
  return value;
}

bool Discarded(ALuint name) {
  for (ALuint pending : discarded) {
    if (pending == name) return true;
  }
  return false;
}

double Capture::Rms(int channel, int from, int to) const {
  double sum = 0;
  for (int i = from; i < to; ++i) sum += double(At(i, channel)) * At(i, channel);
  return to > from ? std::sqrt(sum / (to - from)) : 0;
}

double Capture::PeakRms(int channel) const {
  int window = hertz / 20;
  double peak = 0;
  for (int from = 0; from + window <= Frames(); from += window / 2) peak = std::max(peak, Rms(channel, from, from + window));
  return peak;
}

namespace {

// Makes OpenAL, once it starts in this process, write its mix into `wave`.
void UseWaveFileOutput(const TempDir& dir, const std::string& wave) {
  std::string conf = dir.Path("alsoft.conf");
  WriteFile(conf, "[general]\ndrivers=wave\nchannels=stereo\nsample-type=int16\nfrequency=44100\ndither=false\n"
                  "[wave]\nfile=" + wave + "\n");
  setenv("ALSOFT_CONF", conf.c_str(), 1);
  setenv("ALSOFT_DRIVERS", "wave", 1);
}

uint32_t Le32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

Capture ReadCapture(const std::string& path) {
  std::string bytes = ReadFile(path);
  Capture capture;
  EXPECT_GE(bytes.size(), 12u);
  for (size_t at = 12; at + 8 <= bytes.size();) {
    std::string tag = bytes.substr(at, 4);
    size_t size = Le32(bytes, at + 4);
    size_t body = at + 8;
    if (tag == "fmt ") {
      capture.channels = static_cast<unsigned char>(bytes[body + 2]);
      capture.hertz = static_cast<int>(Le32(bytes, body + 4));
      EXPECT_EQ(static_cast<unsigned char>(bytes[body + 14]), 16) << "bits per sample";
    } else if (tag == "data") {
      size = std::min(size, bytes.size() - body);
      capture.samples.resize(size / 2);
      memcpy(capture.samples.data(), bytes.data() + body, capture.samples.size() * 2);
    }
    at = body + size + (size & 1);
  }
  EXPECT_EQ(capture.channels, 2);
  return capture;
}

// Closes the device as the program never does, so that the wave output
// finishes its file's header.
void CloseDevice(gxtkAudio* device) {
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(device->alcContext);
  alcCloseDevice(device->alcDevice);
}

}  // namespace

Capture CaptureOutput(const std::function<int(gxtkAudio*, const TempDir&)>& play, const std::string& data,
                      const std::string& keep) {
  TempDir dir;
  std::string wave = dir.Path("out.wav");
  std::string output;
  int code = RunInChild(
      [&] {
        UseWaveFileOutput(dir, wave);
        if (!data.empty()) EnterGameFolder(dir, data);
        StartAudioRuntime();
        CHILD_CHECK(vx_audio_device->alcContext != nullptr);
        int result = play(vx_audio_device, dir);
        CloseDevice(vx_audio_device);
        return result;
      },
      &output);
  EXPECT_EQ(code, 0) << output;
  if (!keep.empty()) WriteFile(keep, ReadFile(wave));
  return ReadCapture(wave);
}
