// Samples: an OpenAL buffer, deleted only once no source can still play it.
#include "audio/audio_device.h"

std::vector<ALuint> discarded;

gxtkSample::gxtkSample() : buffer(0) {}

gxtkSample::~gxtkSample() { gxtkSample::Discard(); }

int gxtkSample::Discard() {
  // A source may still be playing the buffer, so deletion waits for the
  // device's next flush.
  if (buffer) {
    discarded.push_back(buffer);
    buffer = 0;
  }
  return 0;
}
