// Plays the game's own music into a wave file and measures it.
#include "tests/music/music_recording.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "framework/app.h"
#include "graphics/graphics.h"
#include "host/glfw_game.h"
#include "tests/graphics/graphics_test_support.h"

Capture RecordMusic(double seconds, const std::function<void(c_KzPlayer*, double)>& at, const std::string& keep) {
  auto play = [&](gxtkAudio*, const TempDir&) {
    StartGraphicsRuntime();
    vx_app__game = VxGame::_game;
    gxtkGraphics* device = new gxtkGraphics();
    vx_graphics_SetGraphicsDevice(device);
    c_KzPlayer* player = (new c_KzPlayer())->m_new();
    player->p_Kz_Init(32, 4, 3, 3, 4);
    player->songImagePath = String("music/song.png");
    player->loadStep = 1;
    while (player->loadStep > 0) {
      CHILD_CHECK(device->BeginRender() == 1);
      vx_graphics_BeginRender();
      player->p_Kz_Alive_R();
      vx_graphics_EndRender();
      device->Flush();
    }
    CHILD_CHECK(player->songImage != nullptr && player->tone[4] != nullptr && player->kitB[8] != nullptr);
    player->state = c_KzPlayer::kPlaying;
    auto start = std::chrono::steady_clock::now();
    for (;;) {
      double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (t >= seconds) break;
      at(player, t);
      player->p_Kz_Alive_U(0, 1);
      usleep(16667);
    }
    return 0;
  };
  return CaptureOutput(play, VX_GAME_DATA_DIR, keep);
}

MusicFigures Measure(const Capture& capture, int from, int to) {
  MusicFigures f;
  to = std::min(to, capture.Frames());
  if (to - from < 2) return f;
  double sum = 0, change = 0;
  for (int c = 0; c < 2; ++c) {
    for (int i = from; i < to; ++i) {
      int x = capture.At(i, c);
      sum += double(x) * x;
      f.peak = std::max(f.peak, std::abs(x));
      f.clipped += x >= 32767 || x <= -32768;
      if (i > from) change += std::pow(double(x - capture.At(i - 1, c)), 2);
    }
  }
  f.rms = std::sqrt(sum / (2.0 * (to - from)));
  f.brightness = f.rms > 0 ? std::sqrt(change / (2.0 * (to - from - 1))) / f.rms : 0;
  f.quietestSecond = -1;
  for (int s = from; s + capture.hertz <= to; s += capture.hertz) {
    double second = (capture.Rms(0, s, s + capture.hertz) + capture.Rms(1, s, s + capture.hertz)) / 2;
    f.quietestSecond = f.quietestSecond < 0 ? second : std::min(f.quietestSecond, second);
  }
  // A click is a jump between two samples far larger than the jumps around
  // it: blocks of 1 ms against the 20 ms that surround them.
  const int block = capture.hertz / 1000, around = capture.hertz / 100;
  for (int c = 0; c < 2; ++c) {
    std::vector<double> step(to - from, 0);
    for (int i = from + 1; i < to; ++i) step[i - from] = std::abs(capture.At(i, c) - capture.At(i - 1, c));
    std::vector<double> squares(step.size() + 1, 0);
    for (size_t i = 0; i < step.size(); ++i) squares[i + 1] = squares[i] + step[i] * step[i];
    for (int b = around; b + block + around <= static_cast<int>(step.size()); b += block) {
      double biggest = *std::max_element(step.begin() + b, step.begin() + b + block);
      if (biggest < 200) continue;  // too small to hear over the music
      double others = squares[b] - squares[b - around] + squares[b + block + around] - squares[b + block];
      double ratio = biggest / std::sqrt(others / (2 * around) + 1);
      f.worstStep = std::max(f.worstStep, ratio);
      f.clicks += ratio > kClickRatio;
    }
  }
  return f;
}
