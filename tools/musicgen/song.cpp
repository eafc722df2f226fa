// The song. Every pattern of every voice follows the same four bars, so the
// player may combine them freely. A voice's notes cut each other off, and
// the player stops a sound abruptly when the next one starts, so every note
// is silenced (volume 31, which the mixer fades) on the row before the
// next, and every pattern ends on such a row.
#include <stdexcept>
#include <string>

#include "song.h"

namespace music {

namespace {

enum Voice { kKitA, kKitB, kLead, kChords, kBass };
const int kSilence = 31;
const int kBar = 16;

// The player's note for a pitch name such as "C#4", on an instrument whose
// ratio 1.0 (note 13) sounds `root_midi`.
int NoteOf(const std::string& name, int root_midi) {
  static const int kLetter[] = {9, 11, 0, 2, 4, 5, 7};  // A..G
  int pc = kLetter[name.at(0) - 'A'];
  size_t at = 1;
  if (name.at(at) == '#') pc += 1, at += 1;
  if (name.at(at) == 'b') pc -= 1, at += 1;
  int midi = 12 * (std::stoi(name.substr(at)) + 1) + pc;
  int note = 13 + midi - root_midi;
  // Values hold five bits, so note 32 cannot be written.
  if (note < 1 || note > 31) throw std::out_of_range("note outside the player's range: " + name);
  return note;
}

const int kLeadRoot = 69;    // A4
const int kChordsRoot = 57;  // A3
const int kBassRoot = 33;    // A1

class Composer {
 public:
  explicit Composer(SongSheet* sheet) : sheet_(*sheet) {}

  // A tonal note sounding len - 1 rows, silenced on its last row.
  void Tone(int pattern, Voice voice, int row, int note, int volume, int len) {
    if (len < 2 || row + len > kRows) throw std::out_of_range("note length");
    sheet_.Set(pattern, voice, row, 0, note);
    sheet_.Set(pattern, voice, row, 1, volume);
    sheet_.Set(pattern, voice, row + len - 1, 1, kSilence);
  }

  // Drum bars written as text, one character a row: `kit` maps characters
  // to the kit's notes and volumes, '.' is a rest.
  struct Hit {
    char symbol;
    int note, volume;
  };
  void Drums(int pattern, Voice voice, const std::vector<std::string>& bars, const std::vector<Hit>& kit) {
    int row = 0;
    for (const std::string& bar : bars) {
      if (bar.size() != kBar) throw std::invalid_argument("drum bar of " + bar);
      for (char c : bar) {
        if (c != '.') {
          const Hit* hit = nullptr;
          for (const Hit& h : kit) hit = h.symbol == c ? &h : hit;
          if (!hit) throw std::invalid_argument(std::string("no drum for ") + c);
          sheet_.Set(pattern, voice, row, 0, hit->note);
          sheet_.Set(pattern, voice, row, 1, hit->volume);
        }
        ++row;
      }
    }
    // Silence before every hit and at the end.
    for (int r = 1; r < kRows; ++r) {
      bool next_is_hit = r == kRows - 1 || sheet_.Get(pattern, voice, r + 1, 0) != 0;
      if (sheet_.Get(pattern, voice, r, 0) == 0 && next_is_hit) sheet_.Set(pattern, voice, r, 1, kSilence);
      if (sheet_.Get(pattern, voice, r, 0) != 0 && sheet_.Get(pattern, voice, r - 1, 0) != 0) {
        throw std::invalid_argument("drum hits on neighbouring rows");
      }
    }
    if (sheet_.Get(pattern, voice, kRows - 1, 0) != 0) throw std::invalid_argument("hit on the last row");
  }

  // A melody: per bar a list of (row in bar, pitch name, length in rows).
  struct Step {
    int row;
    const char* pitch;
    int len;
  };
  void Line(int pattern, Voice voice, int root_midi, int volume, const std::vector<std::vector<Step>>& bars) {
    for (size_t bar = 0; bar < bars.size(); ++bar) {
      for (const Step& s : bars[bar]) {
        Tone(pattern, voice, static_cast<int>(bar) * kBar + s.row, NoteOf(s.pitch, root_midi), volume, s.len);
      }
    }
  }

  void Effect(int pattern, Voice voice, int row, int effect, int param) {
    sheet_.Set(pattern, voice, row, 2, effect);
    sheet_.Set(pattern, voice, row, 3, param);
  }

 private:
  SongSheet& sheet_;
};

// The progression's chord tones per bar (Am, F, C, G), mostly rising.
const char* const kArp[4][6] = {
    {"A3", "C4", "E4", "A4", "C5", "A4"},
    {"F3", "A3", "C4", "F4", "A4", "C5"},
    {"G3", "C4", "E4", "G4", "C5", "G4"},
    {"G3", "B3", "D4", "G4", "B4", "D5"},
};
const char* const kRoot[4] = {"A1", "F1", "C2", "G1"};
const char* const kFifth[4] = {"E2", "C2", "G2", "D2"};
const char* const kOctave[4] = {"A2", "F2", "C3", "G2"};

void KitA(Composer& c) {
  const std::vector<Composer::Hit> kit = {{'k', 13, 27}, {'s', 15, 25}, {'g', 17, 12}, {'c', 18, 24},
                                          {'l', 20, 22}, {'m', 22, 21}, {'h', 24, 20}, {'K', 25, 28}};
  const std::vector<std::vector<std::string>> patterns = {
      {"K.......s.k.....", "k.......s.k...g.", "k.......s.k.....", "k.....k.s...l.m."},
      {"K.......s.....k.", "..k.....s.......", "k.......s.....k.", "..k.....s...s.s."},
      {"K...s...k.k.s...", "k...s...k...s.g.", "k...s...k.k.s...", "k...s.k...s.s.s."},
      {"K...............", "........s.......", "k...............", "........s...c.c."},
      {"K.......c.k.....", "k.....k.c.......", "k.......c.k.....", "k.k.....c...c.c."},
      {"K.....l...m.....", "k.....l.s...m...", "k.....l...m.....", "k...l...m...h.h."},
      {"K.....g.s.k...g.", "k.g.....s.k.....", "k.....g.s.k...g.", "k.......s.s.s.s."},
      {"K...c...k...c...", "k...c...k...c...", "k...c...k...c...", "k...c...k.c.c.c."},
  };
  for (size_t p = 0; p < patterns.size(); ++p) c.Drums(static_cast<int>(p), kKitA, patterns[p], kit);
}

void KitB(Composer& c) {
  const std::vector<Composer::Hit> kit = {{'x', 13, 16}, {'X', 13, 21}, {'o', 15, 17}, {'z', 17, 13},
                                          {'t', 18, 15}, {'r', 20, 14}, {'b', 22, 13}, {'u', 24, 19},
                                          {'i', 25, 18}};
  const std::vector<std::vector<std::string>> patterns = {
      {"X.x.X.x.X.x.X.o.", "X.x.X.x.X.x.X.o.", "X.x.X.x.X.x.X.o.", "X.x.X.x.X.x.o.o."},
      {"..o...o...o...o.", "..o...o...o...o.", "..o...o...o...o.", "..o...o...o.X.X."},
      {"z.z.t.z.z.z.t.z.", "z.z.t.z.z.z.t.z.", "z.z.t.z.z.z.t.z.", "z.z.t.z.t.z.t.t."},
      {"r...r.r.r...r.r.", "r...r.r.r...r.r.", "r...r.r.r...r.r.", "r...r.r.r.r.r.r."},
      {"u..i..u.i.u.i...", "u..i..u.i.u.i...", "u..i..u.i.u.i...", "u..i..u.i.u.i.i."},
      {"X.x.b.x.X.x.b.x.", "X.x.b.x.X.x.b.x.", "X.x.b.x.X.x.b.x.", "X.x.b.x.X.b.b.b."},
      {"X.......X.......", "X.......X.......", "X.......X.......", "X.......X...o.o."},
      {"X.x.x.o.X.x.x.o.", "X.x.x.o.X.x.x.o.", "X.x.x.o.X.x.x.o.", "X.x.x.o.X.o.X.o."},
  };
  for (size_t p = 0; p < patterns.size(); ++p) c.Drums(static_cast<int>(p), kKitB, patterns[p], kit);
}

// Four pairs of phrases: the first of a pair turns into the second on every
// other pattern of a section (effect 27), and back, as call and answer.
void Lead(Composer& c) {
  const int v = 22;
  const std::vector<std::vector<std::vector<Composer::Step>>> phrases = {
      {{{0, "E5", 4}, {4, "D5", 2}, {6, "C5", 2}, {8, "A4", 6}, {14, "C5", 2}},
       {{0, "C5", 6}, {6, "A4", 2}, {8, "F4", 4}, {12, "A4", 4}},
       {{0, "G4", 4}, {4, "C5", 4}, {8, "E5", 6}, {14, "D5", 2}},
       {{0, "D5", 6}, {6, "B4", 2}, {8, "G4", 8}}},
      {{{0, "A5", 6}, {6, "G5", 2}, {8, "E5", 4}, {12, "C5", 4}},
       {{0, "F5", 4}, {4, "E5", 2}, {6, "C5", 2}, {8, "A4", 8}},
       {{0, "E5", 2}, {2, "G5", 2}, {4, "C6", 6}, {10, "B5", 2}, {12, "G5", 4}},
       {{0, "B5", 4}, {4, "A5", 2}, {6, "G5", 2}, {8, "D5", 8}}},
      {{{0, "A4", 3}, {3, "C5", 3}, {6, "E5", 2}, {8, "A5", 4}, {12, "E5", 4}},
       {{0, "F4", 3}, {3, "A4", 3}, {6, "C5", 2}, {8, "F5", 4}, {12, "C5", 4}},
       {{0, "G4", 3}, {3, "C5", 3}, {6, "E5", 2}, {8, "G5", 4}, {12, "E5", 4}},
       {{0, "G4", 3}, {3, "B4", 3}, {6, "D5", 2}, {8, "G5", 8}}},
      {{{0, "E5", 3}, {3, "A5", 3}, {6, "C6", 2}, {8, "B5", 4}, {12, "A5", 4}},
       {{0, "C6", 3}, {3, "A5", 3}, {6, "F5", 2}, {8, "A5", 8}},
       {{0, "G5", 3}, {3, "E5", 3}, {6, "C5", 2}, {8, "E5", 4}, {12, "G5", 4}},
       {{0, "B5", 3}, {3, "D6", 3}, {6, "B5", 2}, {8, "G5", 8}}},
      {{{0, "E5", 8}, {8, "C5", 8}}, {{0, "A4", 12}, {12, "C5", 4}}, {{0, "E5", 8}, {8, "G5", 8}}, {{0, "D5", 16}}},
      {{{0, "A5", 8}, {8, "E5", 8}},
       {{0, "F5", 12}, {12, "E5", 4}},
       {{0, "G5", 8}, {8, "E5", 8}},
       {{0, "D5", 6}, {6, "B4", 2}, {8, "G4", 8}}},
      {{{0, "A4", 2}, {2, "C5", 2}, {4, "D5", 2}, {6, "E5", 2}, {8, "G5", 2}, {10, "A5", 6}},
       {{0, "C6", 4}, {4, "A5", 4}, {8, "F5", 8}},
       {{0, "E5", 2}, {2, "G5", 2}, {4, "C6", 4}, {8, "G5", 4}, {12, "E5", 4}},
       {{0, "D5", 2}, {2, "B4", 2}, {4, "G4", 4}, {8, "D5", 8}}},
      {{{0, "E5", 4}, {4, "A5", 4}, {8, "G5", 2}, {10, "E5", 6}},
       {{0, "F5", 4}, {4, "C5", 4}, {8, "A4", 8}},
       {{0, "G4", 4}, {4, "C5", 2}, {6, "E5", 2}, {8, "G5", 8}},
       {{0, "B5", 4}, {4, "A5", 2}, {6, "G5", 2}, {8, "D5", 8}}},
  };
  for (size_t p = 0; p < phrases.size(); ++p) {
    c.Line(static_cast<int>(p), kLead, kLeadRoot, v, phrases[p]);
    c.Effect(static_cast<int>(p), kLead, 0, 27, p % 2 == 0 ? 1 : 2);
  }
  // The long last note of the sixth phrase falls away.
  for (int row = 60; row <= 62; ++row) c.Effect(5, kLead, row, 2, 5);
}

// Broken chords: each pattern walks the chord tones in its own rhythm.
void Chords(Composer& c) {
  struct Figure {
    std::vector<int> rows, tones;  // rows in the bar, indices into kArp
    int len, volume;
  };
  const std::vector<Figure> figures = {
      {{0, 2, 4, 6, 8, 10, 12, 14}, {0, 1, 2, 3, 2, 1, 0, 1}, 2, 18},
      {{0, 4, 8, 12}, {0, 2, 3, 2}, 4, 17},
      {{2, 6, 10, 14}, {1, 2, 1, 2}, 2, 19},
      {{0, 3, 6, 10, 13}, {0, 2, 3, 2, 1}, 3, 18},
      {{0, 2, 4, 6, 8, 10, 12, 14}, {0, 1, 2, 3, 4, 5, 4, 2}, 2, 16},
      {{0, 8}, {0, 1}, 8, 17},
  };
  for (size_t p = 0; p < figures.size(); ++p) {
    const Figure& f = figures[p];
    for (int bar = 0; bar < 4; ++bar) {
      for (size_t i = 0; i < f.rows.size(); ++i) {
        c.Tone(static_cast<int>(p), kChords, bar * kBar + f.rows[i], NoteOf(kArp[bar][f.tones[i]], kChordsRoot),
               f.volume, f.len);
      }
    }
  }
}

// Bass lines on the chords' roots, fifths and octaves.
void Bass(Composer& c) {
  enum { R, F, O };
  struct Figure {
    std::vector<int> rows, tones, lens;
  };
  const std::vector<Figure> figures = {
      {{0, 6, 10, 12}, {R, R, O, R}, {6, 4, 2, 4}},
      {{0, 2, 4, 6, 8, 10, 12, 14}, {R, R, R, R, R, R, R, R}, {2, 2, 2, 2, 2, 2, 2, 2}},
      {{0, 10}, {R, F}, {10, 6}},
      {{0, 3, 6, 8, 11, 14}, {R, R, O, R, F, O}, {3, 3, 2, 3, 3, 2}},
      {{0, 2, 4, 6, 8, 10, 12, 14}, {R, O, R, O, R, O, R, O}, {2, 2, 2, 2, 2, 2, 2, 2}},
      {{0, 4, 8, 12}, {R, F, O, F}, {4, 4, 4, 4}},
  };
  for (size_t p = 0; p < figures.size(); ++p) {
    const Figure& f = figures[p];
    for (int bar = 0; bar < 4; ++bar) {
      for (size_t i = 0; i < f.rows.size(); ++i) {
        const char* pitch = f.tones[i] == R ? kRoot[bar] : f.tones[i] == F ? kFifth[bar] : kOctave[bar];
        c.Tone(static_cast<int>(p), kBass, bar * kBar + f.rows[i], NoteOf(pitch, kBassRoot), 26, f.lens[i]);
      }
    }
  }
}

}  // namespace

SongSheet ComposeSong() {
  SongSheet sheet;
  Composer c(&sheet);
  KitA(c);
  KitB(c);
  Lead(c);
  Chords(c);
  Bass(c);
  return sheet;
}

}  // namespace music
