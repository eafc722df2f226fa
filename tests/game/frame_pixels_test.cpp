// What the player sees must not change when the frame is drawn for less:
// frames of fixed moments and runs of consecutive frames, drawn the exact
// way and the light way from the same draw list, compared pixel by pixel.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

#include "tests/game/game_host.h"

namespace {

class FramePixels : public PlayTest {
 protected:
  void SetUp() override { GameTest::SetUp(); }

  float BoardX(int x) { return app->m_BoardLeft + 48 * app->m_BoardScale * x; }
  float BoardY(int y) { return app->m_BoardTop + 48 * app->m_BoardScale * y; }

  // Every playing cell below the top two rows holds a block, no two
  // neighbours alike, every particle is alive, and the background flashes.
  void MakeBusy() {
    for (int y = 2; y <= 11; ++y) {
      for (int x = kFirstPlayColumn; x <= kLastPlayColumn; ++x) {
        Cell(x, y, kCellType) = static_cast<float>(1 + (x + 3 * y) % 6);
      }
    }
    for (int i = 0; i < kParticleSlots; ++i) {
      float* p = &app->m_Particles[i * kParticleFloats];
      p[kParticleFrame] = static_cast<float>(1 + i % 16);
      p[kParticleX] = static_cast<float>(40 + (i * 37) % 560);
      p[kParticleY] = static_cast<float>(20 + (i * 53) % 400);
      p[kParticleLife] = 1;
    }
    app->m_BgRed = 200.7f;
    app->m_BgGreen = 90.3f;
  }

  // Walks through the moments, calling `frame` with a name after each
  // update that builds one to look at.
  void Moments(const std::function<void(const std::string&)>& frame) {
    ASSERT_TRUE(RunLoader());
    Update(40);
    frame("title");
    app->m_ShowCredits = 1;
    Update(40);
    frame("credits");
    app->m_ShowCredits = 0;
    Update(40);

    app->m_Difficulty = 2;
    app->m_Screen = kScreenNewGame;
    Update(2);
    LayBoard(WithFiller({"1......."}));
    Update();
    Press(BoardX(1), BoardY(9));
    Update(2);
    MoveTo(BoardX(1) + 20, BoardY(9) - 6);
    Update(3);
    frame("held block");
    Release();
    Update();

    MakeBusy();
    Update();
    frame("busy board");
    app->m_Paused = 1;
    app->m_PauseState = 1;
    Update(30);
    frame("pause");
    app->m_Paused = 0;
    Update();
    for (int i = 0; i < 20; ++i) {
      Update();
      frame("play " + std::to_string(i));
    }
    app->m_GameOver = 1;
    Update(60);
    frame("game over");
  }

  // The frame of the current draw list drawn the exact way and the light
  // way: the largest difference of any channel of any pixel.
  int LargestDifference() {
    graphics->capture = true;
    graphics->fillShortcuts = false;
    Render();
    std::vector<uint32_t> exact = graphics->frame;
    graphics->fillShortcuts = true;
    Render();
    int largest = 0;
    for (size_t i = 0; i < exact.size(); ++i) {
      for (int shift = 0; shift < 32; shift += 8) {
        int a = exact[i] >> shift & 0xFF, b = graphics->frame[i] >> shift & 0xFF;
        largest = std::max(largest, std::abs(a - b));
      }
    }
    return largest;
  }

  void ExpectMomentsUnchanged() {
    Moments([&](const std::string& name) { EXPECT_EQ(LargestDifference(), 0) << name; });
  }
};

TEST_F(FramePixels, MomentsLookTheSameDrawnForLess) { ExpectMomentsUnchanged(); }

// Images of the largest size, scaled by 2.
class WideFramePixels : public FramePixels {
 protected:
  int StartWidth() override { return 1280; }
  int StartHeight() override { return 720; }
};

TEST_F(WideFramePixels, MomentsLookTheSameDrawnForLess) { ExpectMomentsUnchanged(); }

}  // namespace
