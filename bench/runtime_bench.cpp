// Throughput of the collector (allocation plus collection steps, the way the
// host interleaves them) and of common string operations.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "runtime/array.h"
#include "runtime/object.h"
#include "runtime/startup.h"

namespace {

class Node : public Object {
 public:
  Node* next = nullptr;
  Array<float> values;
  void mark() override {
    gc_mark_q(next);
    gc_mark_q(values);
  }
};

// Long-lived nodes that the "frames" keep replacing, like a game's state.
Array<Node*> live;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void BenchCollector() {
  gc_assign(live, Array<Node*>(4096));
  unsigned seed = 1;
  const int frames = 20000;
  const int perFrame = 200;
  long long objects = 0, bytes = 0;
  auto start = std::chrono::steady_clock::now();
  for (int frame = 0; frame < frames; ++frame) {
    for (int i = 0; i < perFrame; ++i) {
      seed = seed * 1664525u + 1013904223u;
      Node* node = new Node();
      objects += 1;
      bytes += node->gc_size();
      if (seed % 4 == 0) {  // a quarter carry a small float array
        gc_assign(node->values, Array<float>(4 + seed % 60));
        objects += 1;
        bytes += node->values.rep->gc_size();
      }
      if (seed % 8 == 0) {  // an eighth replace a long-lived node, linked to a neighbour
        int slot = static_cast<int>(seed >> 12) % live.Length();
        gc_assign(node->next, live[(slot + 1) % live.Length()]);
        gc_assign(live[slot], node);
      }
    }
    gc_collect();  // once per host call, as the main loop does
  }
  double t = Seconds(start);
  printf("collector: %lld objects, %.1f MB in %.3f s: %.2f M objects/s, %.1f MB/s (peak heap %.1f MB)\n",
         objects, bytes / 1e6, t, objects / t / 1e6, bytes / t / 1e6, gc_max_alloced_bytes / 1e6);
}

template <class F>
void BenchStrings(const char* what, long long bytesPerRun, int runs, F run) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < runs; ++i) run();
  double t = Seconds(start);
  printf("strings: %-28s %8.1f MB/s\n", what, bytesPerRun * runs / t / 1e6);
}

void BenchStrings() {
  // A state line like the game's: numbers separated by "|".
  String line;
  for (int i = 0; i < 98; ++i) line = line + String(i * 12345) + String("|");
  const long long lineBytes = line.Length() * 2;
  String separator("|");
  volatile int sink = 0;

  BenchStrings("concatenation", lineBytes, 20000, [&] {
    String s;
    for (int i = 0; i < 98; ++i) s = s + String("1234567") + separator;
    sink = sink + s.Length();
  });
  BenchStrings("slicing", lineBytes, 20000, [&] {
    for (int i = 0; i < line.Length(); i += 8) sink = sink + line.Slice(i, i + 8).Length();
  });
  BenchStrings("splitting", lineBytes, 20000, [&] { sink = sink + line.Split(separator).Length(); });
  BenchStrings("replace", lineBytes, 20000, [&] { sink = sink + line.Replace(separator, String(", ")).Length(); });

  std::vector<unsigned char> text;
  for (int i = 0; i < 100000; ++i) {
    const char* word = i % 7 ? "tumble " : "caf\xC3\xA9 \xE2\x82\xAC ";
    for (const char* p = word; *p; ++p) text.push_back(static_cast<unsigned char>(*p));
  }
  BenchStrings("UTF-8 load", static_cast<long long>(text.size()), 200, [&] {
    sink = sink + String::Load(text.data(), static_cast<int>(text.size())).Length();
  });
  String decoded = String::Load(text.data(), static_cast<int>(text.size()));
  BenchStrings("UTF-8 save", static_cast<long long>(text.size()), 200, [&] {
    int size = 0;
    unsigned char* bytes = decoded.ToUtf8(&size);
    sink = sink + size;
    free(bytes);
  });
}

}  // namespace

void vxInit() {}
int vxMain() { return 0; }
void gc_mark() { gc_mark_q(live); }

int main(int argc, const char** argv) {
  vx_std_main(argc, argv);
  BenchCollector();
  BenchStrings();
  return 0;
}
