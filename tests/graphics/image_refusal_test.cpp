// Image files that declare more than a texture can hold, or PNG chunks that
// run past the end of the file, are refused before decoding, at once; well-formed
// images still decode exactly as the decoder gives them.
#include <GLFW/glfw3.h>
#include <stb/stb_image.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "host/glfw_game.h"
#include "tests/graphics/graphics_test_support.h"

namespace {

class ImageRefusal : public GraphicsTest {
 protected:
  unsigned char* Load(const std::string& path) {
    width = height = depth = -1;
    return VxGlfwGame::_glfwGame->LoadImageData(String(path.c_str()), &width, &height, &depth);
  }

  // An uncompressed 24-bit TGA of the given size, every pixel grey.
  std::string Tga(int w, int h) {
    std::string bytes(18, '\0');
    bytes[2] = 2;
    bytes[12] = static_cast<char>(w & 0xFF);
    bytes[13] = static_cast<char>(w >> 8);
    bytes[14] = static_cast<char>(h & 0xFF);
    bytes[15] = static_cast<char>(h >> 8);
    bytes[16] = 24;
    bytes.append(static_cast<size_t>(w) * h * 3, '\x80');
    std::string path = dir.Path("side-" + std::to_string(w) + "x" + std::to_string(h) + ".png");
    WriteFile(path, bytes);
    return path;
  }

  int Largest() {
    GLint driver = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &driver);
    return driver < 16384 ? driver : 16384;
  }

  int width, height, depth;
};

TEST_F(ImageRefusal, EveryInputThatOnceMisbehavedGivesNoImageAtOnce) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VX_BAD_IMAGES)) {
    SCOPED_TRACE(entry.path().filename().string());
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Load(entry.path().string()), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    ++count;
  }
  EXPECT_GE(count, 5);
}

TEST_F(ImageRefusal, SidesUpToTheLargestTextureLoadAndOneMoreDoesNot) {
  int largest = Largest();
  ASSERT_GT(largest, 0);
  unsigned char* wide = Load(Tga(largest, 1));
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(width, largest);
  EXPECT_EQ(height, 1);
  free(wide);
  unsigned char* tall = Load(Tga(1, largest));
  ASSERT_NE(tall, nullptr);
  free(tall);
  EXPECT_EQ(Load(Tga(largest + 1, 1)), nullptr);
  EXPECT_EQ(Load(Tga(1, largest + 1)), nullptr);
}

TEST_F(ImageRefusal, WithoutAContextTheFixedLimitHolds) {
  GLFWwindow* window = glfwGetCurrentContext();
  glfwMakeContextCurrent(nullptr);
  unsigned char* fits = Load(Tga(16384, 1));
  unsigned char* over = Load(Tga(16385, 1));
  glfwMakeContextCurrent(window);
  EXPECT_NE(fits, nullptr);
  EXPECT_EQ(over, nullptr);
  free(fits);
}

TEST_F(ImageRefusal, WellFormedPngDecodesAsTheDecoderGivesItAndACutOneDoesNot) {
  std::vector<uint8_t> pixels(5 * 3 * 2);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 37);
  std::string path = dir.Path("grey-alpha.png");
  WritePng(path, 5, 3, 2, pixels);
  unsigned char* data = Load(path);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(width, 5);
  EXPECT_EQ(height, 3);
  EXPECT_EQ(depth, 2);
  EXPECT_EQ(std::vector<uint8_t>(data, data + pixels.size()), pixels);
  free(data);

  // The same file without its last bytes: the end chunk is missing.
  std::string whole = ReadFile(path);
  for (size_t cut : {size_t(4), size_t(12), size_t(20)}) {
    WriteFile(dir.Path("cut.png"), whole.substr(0, whole.size() - cut));
    EXPECT_EQ(Load(dir.Path("cut.png")), nullptr) << cut;
  }
}

TEST_F(ImageRefusal, FilesNoDecoderKnowsGiveNoImage) {
  WriteFile(dir.Path("empty.png"), "");
  WriteFile(dir.Path("text.png"), "not an image at all");
  EXPECT_EQ(Load(dir.Path("empty.png")), nullptr);
  EXPECT_EQ(Load(dir.Path("text.png")), nullptr);
  EXPECT_EQ(Load(dir.Path("missing.png")), nullptr);
}

}  // namespace
