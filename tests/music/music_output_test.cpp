// The generated music as OpenAL puts it out: drums alone, tonal voices
// alone, then the player stopped.
#include <gtest/gtest.h>

#include "tests/music/music_recording.h"

namespace {

void Mute(c_KzPlayer* player, bool drums, bool tones) {
  for (int v = 0; v < 5; ++v) player->voiceMuted[v] = v < 2 ? drums : tones;
}

TEST(MusicOutput, DrumsAndTonalVoicesSoundAndStopEndsThem) {
  // The first pattern lasts 5.4 s, so no new section changes the muting.
  Capture capture = RecordMusic(3.4, [](c_KzPlayer* player, double t) {
    if (t < 1.5) {
      Mute(player, false, true);
    } else if (t < 3.0) {
      Mute(player, true, false);
    } else if (player->state != 0) {
      player->p_Kz_Stop(1);
    }
  });
  const int hz = capture.hertz;
  ASSERT_GT(capture.Frames(), hz * 3);
  // The file begins when the device opens, before the song has loaded: the
  // first row's kick marks the start of playing.
  int start = 0;
  while (start < capture.Frames() && capture.At(start, 0) == 0 && capture.At(start, 1) == 0) ++start;
  // Each stretch keeps clear of the switches: a sound of the other kind may
  // still ring, and the stop cuts every voice off.
  MusicFigures drums = Measure(capture, start + hz / 10, start + hz * 14 / 10);
  MusicFigures tones = Measure(capture, start + hz * 17 / 10, start + hz * 28 / 10);
  MusicFigures after = Measure(capture, capture.Frames() - hz / 4, capture.Frames());
  EXPECT_GT(drums.rms, 500);
  EXPECT_GT(tones.rms, 500);
  // Hats and snares are noise; the tonal voices' energy sits low.
  EXPECT_GT(drums.brightness, 2 * tones.brightness) << drums.brightness << " " << tones.brightness;
  EXPECT_EQ(drums.clipped + tones.clipped, 0);
  EXPECT_EQ(drums.clicks + tones.clicks, 0) << drums.worstStep << " " << tones.worstStep;
  EXPECT_LT(after.rms, 5);
  EXPECT_EQ(after.peak, 0);
}

}  // namespace
