// Loading of the game's images, font and sound effects, one asset per update
// so the loading screen keeps moving, and the playing of sound effects.
#include "audio/audio.h"
#include "game/my_app.h"
#include "graphics/graphics.h"

namespace {

// Sound effects rotate over this many channels; the rest belong to music.
const int kSfxChannels = 24;

// The file of an image at the current resolution level.
String ImageFile(const String& name, int hdLevel) {
  if (hdLevel == 2) return name + String("-hd.png");
  if (hdLevel == 4) return name + String("-hd2.png");
  return name + String(".png");
}

}  // namespace

int c_MyApp::p_LoadImg(int id, String name, int frameWidth, int frameHeight, int frames, int flags) {
  // An id with no slot loads nothing rather than writing past the tables.
  if (id < 0 || id >= kImageIds) return 0;
  String file = ImageFile(name, m_HdLevel);
  // The old image goes first, so a failed load leaves the id empty.
  m_Images[id] = nullptr;
  gc_assign(m_Images[id], vx_graphics_LoadImage2(file, frameWidth * m_HdLevel, frameHeight * m_HdLevel,
                                                  frames, flags));
  m_ImageInfo[3 * id] = frameWidth * m_HdLevel;
  m_ImageInfo[3 * id + 1] = frameHeight * m_HdLevel;
  m_ImageInfo[3 * id + 2] = frames;
  return 0;
}

int c_MyApp::p_LoadFont(int id, String name, int advance, int lineHeight) {
  if (id < 0 || id >= kImageIds) return 0;
  String file = ImageFile(name, m_HdLevel);
  // A strip of 128 glyph cells; glyph c - 32 draws character c.
  gc_assign(m_Images[id], vx_graphics_LoadImage2(file, 16 * m_HdLevel, 16 * m_HdLevel, 128, 1));
  // Text layout works in base units, whatever the level.
  m_ImageInfo[3 * id] = advance;
  m_ImageInfo[3 * id + 1] = lineHeight;
  m_ImageInfo[3 * id + 2] = 128;
  m_CurrentFont = id;
  return 0;
}

int c_MyApp::p_LoadSFX(int id) {
  if (id < 0 || id >= kSoundIds) return 0;
  String prefix = id < 10 ? String("sfx/00") : id < 100 ? String("sfx/0") : String("sfx/");
  gc_assign(m_Sounds[id], vx_audio_LoadSound(prefix + String(id) + String(".wav")));
  return 0;
}

int c_MyApp::p_Loader() {
  // Either side of the window counts here, so a tall window gets sharp images too.
  int width = vx_graphics_DeviceWidth();
  int height = vx_graphics_DeviceHeight();
  m_HdLevel = 1;
  m_HdScale = 1;
  if (width > 630 || height > 630) {
    m_HdLevel = 2;
    m_HdScale = 0.5f;
  }
  if (width >= 1231 || height >= 1231) {
    m_HdLevel = 4;
    m_HdScale = 0.25f;
  }

  int step = m_NeedLoad;
  switch (step) {
    case 1: p_LoadImg(kImgIcons, String("common/icons"), 32, 32, 16, 1); break;
    case 2: p_LoadImg(kImgButtons, String("common/Buttons"), 64, 64, 16, 1); break;
    case 3: p_LoadImg(kImgPad, String("common/dpad"), 32, 32, 16, 1); break;
    case 4: p_LoadImg(kImgIcade, String("common/icade"), 64, 64, 2, 1); break;
    case 5:
      p_LoadImg(kImgStudioLogo, String("common/ZUKOLogo"), 256, 256, 1, 1);
      p_LoadImg(kImgTestcard, String("common/Testcard_Circle"), 256, 256, 1, 1);
      break;
    case 6: p_LoadFont(kImgFont, String("fonts/quillset"), 7, 10); break;
    case 7: p_LoadSFX(kSfxLand); break;
    case 8: p_LoadSFX(95); break;
    case 9: p_LoadSFX(kSfxClick); break;
    case 10: p_LoadSFX(kSfxCredits); break;
    case 11: p_LoadImg(kImgBackground, String("menu"), 256, 256, 4, 1); break;
    case 12: p_LoadImg(kImgTitleLogo, String("logo"), 256, 128, 1, 1); break;
    case 13: p_LoadImg(kImgParticles, String("parts"), 8, 8, 16, 1); break;
    case 14: p_LoadImg(kImgBadges, String("BadgesA"), 64, 64, 64, 1); break;
    case 15: p_LoadImg(kImgBricks, String("bricks"), 64, 64, 40, 1); break;
    case 25: p_LoadImg(kImgRing, String("ring"), 128, 128, 1, 1); break;
    default:
      if (step >= 16 && step <= 24) {
        p_LoadSFX(step - 14);
      } else if (step >= 26) {
        m_NeedLoad = 0;
      }
      break;
  }
  if (m_NeedLoad > 0) m_NeedLoad += 1;
  p_WaitStart(1);
  return 0;
}

int c_MyApp::p_PlaySFX(int id, float rate, float volume, float pan) {
  if (!p_EffectsOn()) return 0;
  m_SfxSlot = (m_SfxSlot + 1) % kSfxChannels;
  if (m_SfxSlot < 0) m_SfxSlot = 0;
  int channel = m_Channels[m_SfxSlot];
  // The oldest effect on this channel is cut for the new one.
  vx_audio_StopChannel(channel);
  c_Sound* sound = id >= 0 && id < m_Sounds.Length() ? m_Sounds[id] : nullptr;
  if (sound && sound->sample) vx_audio_PlaySound(sound, channel, 0);
  vx_audio_SetChannelRate(channel, rate);
  vx_audio_SetChannelVolume(channel, volume);
  vx_audio_SetChannelPan(channel, pan);
  return 0;
}
