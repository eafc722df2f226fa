#pragma once
// The game object: every field of the running game, its screens and its
// stored data, and the methods that the game's source files define, one
// file per concern (state, assets, drawing, board, play, screens, menus,
// game over, badges, storage, credits).
#include "audio/audio.h"
#include "framework/app.h"
#include "game/board_cursor.h"
#include "game/globals.h"
#include "game/names.h"
#include "graphics/image.h"
#include "music/kz_player.h"

struct CreditLayout;
struct PauseLayout;

class c_MyApp : public c_App {
 public:
  // Marks an omitted optional float argument and an up touch slot.
  static constexpr float kOmitted = -3717.0f;
  static const int kDrawListFloats = 37500;
  // A command is appended only while the list has room for a whole one.
  static const int kDrawListLimit = 37484;
  // Touch slots the game reads; the input module has more.
  static const int kTouchSlots = 10;

  c_MyApp();
  c_MyApp* m_new();

  // Lifecycle (state and start-up).
  int p_OnCreate() override;
  int p_OnSuspend() override;
  int p_OnResume() override;
  int p_OnUpdate() override;
  int p_OnRender() override;

  // Virtual operations, in slot order.
  virtual int p_LoadImg(int id, String name, int frameWidth, int frameHeight, int frames, int flags);
  virtual int p_LoadFont(int id, String name, int advance, int lineHeight);
  virtual int p_Reload();
  virtual int p_Load();
  virtual int p_iCade(int mode);
  virtual int p_Save();
  virtual bool p_PlayKey(int code);
  virtual int p_ResetDraw();
  virtual int p_CLS2D(float r, float g, float b, float a);
  virtual int p_SetCol(float r, float g, float b, float a = kOmitted);
  virtual int p_Rect(float x, float y, float w, float h);
  virtual int p_SetRot(float degrees);
  virtual int p_SetSize(float x, float y = kOmitted);
  virtual int p_DrawImg(int id, float x, float y, float frame);
  virtual int p_DoBG();
  virtual int p_Button(int id, float x, float y, int frame);
  virtual int p_PlaySFX(int id, float rate, float volume, float pan);
  virtual String p_rstr(int value, int width, String pad);
  virtual int p_Text(float x, float y, String text, float align, float lines);
  virtual int p_Alpha(float alpha);
  virtual int p_Menu();
  virtual int p_GC_PostScore(int difficulty, int bestScore);
  virtual int p_GC_Badges();
  virtual int p_LoadMenu();
  virtual int p_Oval(float x, float y, float xRadius, float yRadius);
  virtual int p_WaitStart(int mode);
  virtual bool p_Static(int x, int y);
  virtual bool p_MouseIn_Centered(float x, float y, float w, float h);
  virtual int p_Scan(int a, int b);
  virtual int p_Rand(float lo, float hi);
  virtual int p_Fall(float x, float y, int n);
  virtual int p_Blast(float x, float y, int n);
  virtual int p_Game();
  virtual int p_PauseMenu();
  virtual int p_InGame();
  virtual int p_LoadGame();
  virtual String p_MyNth();
  virtual int p_GameOver();
  virtual int p_CreditBox();
  virtual String p_BadgeID(int id);
  virtual String p_BadgeName(int id);
  virtual String p_BadgeDetail(int id);
  virtual int p_BadgesBox();
  virtual int p_LoadSFX(int id);
  virtual int p_Loader();
  virtual bool p_Button0(int id, float x, float y, int frame);
  virtual int p_ShowBadges();

  void mark() override;

  // Screen, device and lifecycle.
  int m_Screen = 0;
  int m_DeviceWidth = 0;
  int m_DeviceHeight = 0;
  c_KzPlayer* m_Music = nullptr;
  // 1 from start-up until the music player has loaded its song (music builds only).
  int m_MusicLoading = 0;
  float m_ClsRed = 0, m_ClsGreen = 0, m_ClsBlue = 0, m_ClsAlpha = 0;
  int m_HdLevel = 0;
  float m_HdScale = 0;
  int m_NeedLoad = 0;
  int m_Difficulty = 0;
  int m_MenuSlide = 0;
  int m_Paused = 0;
  int m_PauseState = 0;
  int m_PauseSlide = 0;
  // Scratch: the touch slot a button tests; the place p_MyNth found (0: none).
  int m_I = 0;
  int m_GameOver = 0;
  int m_GameOverTimer = 0;

  // Assets.
  Array<c_Image*> m_Images;
  Array<int> m_ImageInfo;
  int m_CurrentFont = 0;
  Array<c_Sound*> m_Sounds;
  Array<int> m_Channels;
  int m_SfxSlot = 0;

  // Display, draw state and draw list.
  int m_ScaleMode = 0;
  float m_ScaleX = 0, m_ScaleY = 0;
  int m_Landscape = 0;
  int m_RenderLastMs = 0, m_RenderFps = 0, m_RenderFpsAvg = 0;
  int m_UpdateLastMs = 0, m_UpdateFps = 0, m_UpdateFpsAvg = 0;
  float m_DrawSizeX = 0, m_DrawSizeY = 0, m_DrawRot = 0;
  float m_DrawRed = 0, m_DrawGreen = 0, m_DrawBlue = 0, m_DrawAlpha = 0;
  int m_DrawBlend = 0;
  int m_DrawCount = 0;
  Array<float> m_DrawList;
  float m_BgTargetRed = 0, m_BgTargetGreen = 0, m_BgTargetBlue = 0;
  float m_BgRed = 0, m_BgGreen = 0, m_BgBlue = 0;
  float m_BgSpin = 0;
  int m_Frame = 0;

  // Input snapshot, taken at the start of every update.
  int m_MouseX = 0, m_MouseY = 0;
  int m_MouseXOld = 0, m_MouseYOld = 0;
  int m_MouseDownOld = 0;
  int m_MouseDown = 0;
  int m_MouseHit = 0;
  Array<int> m_TouchDown;
  Array<int> m_TouchX;
  Array<int> m_TouchY;
  int m_Clicked = 0;
  int m_BackLatch = 0;
  Array<int> m_Keys;
  // The last character read while arcade input was switched on.
  int m_LastChar = 0;

  // Persistent player data.
  Array<int> m_Settings;
  Array<bool> m_Badges;
  Array<int> m_HighScores;
  Array<int> m_BadgeQueueA;
  Array<int> m_BadgeQueueB;

  // Menu, credits and badge box state.
  int m_ShowCredits = 0;
  int m_ShowBadges = 0;
  int m_CreditsFade = 0;
  // The credits grid's last column and row.
  int m_CreditsA = 0, m_CreditsB = 0;
  int m_CreditsLine = 0;
  float m_CreditsScroll = 0;
  float m_BadgeScrollY = 0, m_BadgeScrollNow = 0;
  // The loading screen's shorter side and its spinner's angle.
  int m_MenuW = 0;
  int m_WaitScroll = 0;
  // The pause overlay's key focus: -1 quit, 0 resume, 1 sound.
  int m_PauseScratch = 0;

  // The running game.
  Array<float> m_Cells;
  Array<int> m_Labels;
  Array<int> m_LabelCount;
  int m_BlockCount = 0;
  int m_X = 0, m_Y = 0;
  float m_CellX = 0, m_CellY = 0;
  float m_BoardScale = 0;
  float m_BoardLeft = 0, m_BoardTop = 0;
  int m_Holding = 0;
  int m_HeldCol = 0, m_HeldRow = 0;
  int m_HeldIndex = 0;
  int m_HeldType = 0;
  float m_HeldX = 0, m_HeldY = 0;
  float m_HeldSpin = 0;
  float m_Fuse = 0;
  int m_LandCue = 0;
  int m_Danger = 0;
  int m_DangerFrames = 0;
  int m_SpawnTimer = 0;
  int m_SpawnCol = 0;
  int m_SpawnInterval = 0;
  int m_Colours = 0;
  Array<float> m_Particles;
  int m_ParticleIndex = 0;
  int m_Score = 0;
  int m_ScoreShown = 0;
  BoardCursor m_Cursor;

  // --- Helpers of the board and play loop (board.cpp, play.cpp) ---
  // Float index of cell (x, y)'s record in m_Cells.
  static int p_CellIndex(int x, int y);
  // Sets m_CellX, m_CellY to the drawn position of cell (x, y).
  void p_CellPos(int x, int y);
  // Copies a cell record and empties the source.
  void p_MoveCell(int from, int to);
  void p_LabelCell(int x, int y);
  void p_EaseOffsets(int x, int y);
  void p_Gravity(int x, int y);
  void p_TouchCell(int x, int y, int held0);
  void p_SlideHeld(int x, int y);
  void p_Dissolve(int x, int y);
  void p_DrawCell(int x, int y);
  void p_BoardPass(int held0);
  void p_CopyLabels();
  void p_MergeLabels();
  void p_CountLabels();
  void p_BlastGroup();
  void p_Flash(int type);
  void p_DropBlock();
  void p_SpawnParticles(float x, float y, int n, bool flying);
  void p_UpdateParticles();
  void p_BombFuse();
  void p_Explode(int index, float x, float y, int n);
  void p_DangerCountdown();
  void p_LandingSound();
  void p_DrawMarker();
  void p_DrawScore();
  // The board's scale and left edge for the window's virtual screen.
  void p_LayOutBoard();
  // --- The board cursor (board_cursor.cpp) ---
  // Fills the pointer snapshot from the cursor while keys rule the board.
  void p_CursorInput();
  // Moves the cursor by this update's direction keys.
  void p_CursorSteps();
  // The frame around the cursor's cell, over the board.
  void p_DrawCursor();
  // --- Helpers of the screens and drawing (screens.cpp, draw.cpp, assets.cpp) ---
  // The update's pointer and touch snapshot in virtual units, and the
  // press and back latches.
  void p_TakeInput();
  // Runs the current screen, or the loader while assets are due.
  void p_RunScreen();
  // Appends one command when the list has room for a whole one.
  void p_AddCommand(float kind, float x, float y, float w, float h, float frame);
  // Whether touch slot `slot` is held inside image `id` drawn at (x, y).
  bool p_TouchOnImage(int id, float x, float y, int slot);
  // Fits the design screen to the window; an empty window keeps the last fit.
  void p_FitVirtualScreen(int width, int height);
  // Draws the list built by the last update, scaled to the window.
  void p_ReplayDrawList();
  // --- Helpers of the menus, game over and storage (menus.cpp, game_over.cpp, storage.cpp) ---
  // The sound option's rules: effects play, music plays, the next option
  // of the switch, and the switch's icon frame.
  bool p_EffectsOn();
  bool p_MusicOn();
  void p_SwitchSound();
  int p_SoundIcon();
  // A press on a sound switch: the next option and a click.
  void p_PressSoundSwitch();
  // Steps of the title menu, in their order.
  float p_MenuPanelX();
  // Where the title's switches stand: place 0 the sound switch, 1 the badge button.
  void p_MenuSwitchPlace(float slide, int place, float* x, float* y);
  void p_MenuSoundSwitch(float slide);
  void p_MenuScores(bool boxOpen);
  void p_MenuDifficulties(float slide, bool boxOpen);
  void p_MenuKeys(bool boxOpen);
  void p_MenuStudioLogo(float slide, bool boxOpen);
  // Steps of the pause overlay, in their order.
  void p_PauseSlideStep();
  void p_PausePanel(const PauseLayout& at);
  void p_PauseButtons(const PauseLayout& at);
  void p_PauseKeys();
  // Moves the keys' focus with a click at the given rate.
  void p_PauseFocus(int focus, float rate);
  // Where difficulty d's best scores start in m_HighScores (its last scores
  // are kLastScores further on); -1 for a difficulty outside 1..3.
  static int p_BestScores(int difficulty);
  // The music mode mark beside a sound switch, when music is in the game.
  void p_SoundMark(float x, float y);
  // A score panel: heading, then one right-aligned score per line.
  String p_ScorePanel(const String& heading, const String& single, int rows, int first);
  // The loading spinner's ring of eleven fading dots.
  void p_SpinnerDots(float grey, int angle);
  // The pause overlay's two ways out.
  void p_PauseClose();
  void p_PauseQuit();
  // --- Helpers of the badges and credits (badges.cpp, credits.cpp) ---
  // The credit text, one string per line; the last line never scrolls into view.
  static Array<String> m_CreditText();
  // Steps of the credits box, in their order.
  void p_CreditTile(const CreditLayout& at, int x, int y);
  void p_CreditText(const CreditLayout& at, float middleY);
  void p_CreditDials(const CreditLayout& at);
  // A corner dial of the credits box: white ring, grey face; leaves the pen white.
  void p_CreditDial(float x, float y, float radius);

  // --- Badges a player earns, and their gallery (badge_rules.cpp, badges.cpp) ---
  static const int kBadgePopUpSlots = 13;
  static const int kBadgeWaitingRoom = 64;
  // Blasts in the current run of blasts in quick succession, and updates
  // since the last of them.
  int m_BadgeChain = 0;
  int m_BadgeChainClock = 0;
  // Earned badges whose pop-up waits for a free slot, oldest first.
  int m_BadgeWaiting[kBadgeWaitingRoom] = {};
  int m_BadgeWaitingCount = 0;
  // Gallery: the keyboard's cell, the badge whose detail shows (-1: none),
  // and a press inside the box that becomes a tap unless it drags.
  int m_BadgeCursor = 0;
  int m_BadgeDetailId = -1;
  int m_BadgePressX = 0, m_BadgePressY = 0;
  int m_BadgeTap = 0;
  // Earns a badge once: its flag, its pop-up (or a wait for a free slot) and a jingle.
  void p_AwardBadge(int id);
  void p_QueueBadge(int id);
  void p_QueueWaitingBadges();
  // The rules, each called where its event happens.
  void p_BadgeGameStart();
  void p_BadgeTick();
  void p_BadgeBlast(int size);
  void p_BadgeExplosion();
  void p_BadgeDangerOver(int frames);
  void p_BadgeGameRecorded();
  // The title menu's badge button, which opens the gallery.
  void p_BadgeButton();
  // Gallery steps: layout, grid, detail panel, pointer and keys.
  void p_BadgeGrid(float scroll);
  void p_BadgeDetailPanel();
  void p_BadgePointer(float scroll);
  void p_BadgeKeys();
  void p_OpenBadgeDetail(int id);
};
