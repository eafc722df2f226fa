// The TCP stream against a server on 127.0.0.1 that the test runs, and the
// thread wrapper.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "host/stream.h"
#include "host/thread.h"
#include "runtime/collector.h"

namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// A socket bound to the loopback address on a port the system picks; it
// listens when asked, else its port is one where nothing listens.
int Bind(int* port, bool listening) {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(0);
  socklen_t size = sizeof address;
  EXPECT_EQ(bind(s, reinterpret_cast<sockaddr*>(&address), size), 0);
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
  *port = ntohs(address.sin_port);
  if (listening) {
    EXPECT_EQ(listen(s, 4), 0);
  }
  return s;
}

struct LoopbackServer {
  LoopbackServer() : listener(Bind(&port, true)) {}
  ~LoopbackServer() {
    if (peer >= 0) close(peer);
    close(listener);
  }
  void Accept() { peer = accept(listener, nullptr, nullptr); }
  std::string Receive(size_t count) {
    std::string got(count, 0);
    return std::string(got, 0, std::max<ssize_t>(0, recv(peer, &got[0], count, MSG_WAITALL)));
  }
  void Send(const std::string& bytes) { EXPECT_EQ(send(peer, bytes.data(), bytes.size(), 0), ssize_t(bytes.size())); }

  int port = 0;
  int listener;
  int peer = -1;
};

class Streams : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool started = false;
    if (!started) gc_init1();
    started = true;
    buffer = new VxDataBuffer();
    buffer->_New(16);
  }
  VxDataBuffer* buffer = nullptr;
};

TEST_F(Streams, ConnectedStreamWritesAndReads) {
  LoopbackServer server;
  VxTcpStream* stream = new VxTcpStream();
  EXPECT_EQ(stream->m_socket, -1);
  EXPECT_EQ(stream->Read(buffer, 0, 4), 0);  // not connected yet
  ASSERT_TRUE(stream->Connect(String("127.0.0.1"), server.port));
  server.Accept();
  EXPECT_EQ(stream->m_state, 1);
  EXPECT_EQ(stream->Eof(), 0);
  EXPECT_EQ(stream->WriteAvail(), 0);

  memcpy(buffer->m_bytes, "..hello", 7);
  EXPECT_EQ(stream->Write(buffer, 2, 5), 5);
  EXPECT_EQ(server.Receive(5), "hello");

  server.Send("world");
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (stream->ReadAvail() < 5 && std::chrono::steady_clock::now() < until) std::this_thread::yield();
  EXPECT_EQ(stream->ReadAvail(), 5);
  EXPECT_EQ(stream->Read(buffer, 0, 0), 0);  // a count of 0 keeps the stream
  EXPECT_EQ(stream->m_state, 1);
  // Counts that do not fit the buffer move nothing and keep the stream.
  EXPECT_EQ(stream->Read(buffer, 14, 5), 0);
  EXPECT_EQ(stream->Write(buffer, -1, 2), 0);
  EXPECT_EQ(stream->Read(nullptr, 0, 1), 0);
  EXPECT_EQ(stream->m_state, 1);
  int got = 0;
  while (got < 5) got += stream->Read(buffer, 10 + got, 5 - got);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer->m_bytes) + 10, 5), "world");
  EXPECT_FALSE(stream->Connect(String("127.0.0.1"), server.port));  // already connected

  stream->Close();
  EXPECT_EQ(stream->m_state, 2);
  EXPECT_EQ(stream->m_socket, -1);
  EXPECT_EQ(stream->Eof(), 1);
  EXPECT_EQ(stream->Write(buffer, 0, 1), 0);
  EXPECT_FALSE(stream->Connect(String("127.0.0.1"), server.port));  // closed
}

TEST_F(Streams, ThePeerClosingEndsTheStream) {
  LoopbackServer server;
  VxTcpStream* stream = new VxTcpStream();
  ASSERT_TRUE(stream->Connect(String("localhost"), server.port));
  server.Accept();
  server.Send("ab");
  close(server.peer);
  server.peer = -1;
  int got = 0;
  while (got < 2) got += stream->Read(buffer, got, 2 - got);
  EXPECT_EQ(stream->Read(buffer, 0, 4), 0);
  EXPECT_EQ(stream->m_state, 2);
  EXPECT_EQ(stream->Eof(), 1);
  EXPECT_EQ(stream->ReadAvail(), 0);
}

TEST_F(Streams, WritingToAResetConnectionFails) {
  LoopbackServer server;
  VxTcpStream* stream = new VxTcpStream();
  ASSERT_TRUE(stream->Connect(String("127.0.0.1"), server.port));
  server.Accept();
  linger hard = {1, 0};  // closing sends a reset instead of an orderly end
  setsockopt(server.peer, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
  close(server.peer);
  server.peer = -1;
  // The reset arrives a moment later; then the write fails without a signal.
  for (int i = 0; i < 200 && stream->m_state == 1; ++i) {
    stream->Write(buffer, 0, 16);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(stream->m_state, -1);
  EXPECT_EQ(stream->Eof(), -1);
  EXPECT_EQ(stream->Write(buffer, 0, 1), 0);
  EXPECT_FALSE(stream->Connect(String("127.0.0.1"), server.port));  // failed
}

TEST_F(Streams, FailedConnectsLeaveTheStreamUnconnected) {
  VxTcpStream* stream = new VxTcpStream();
  int closedPort;
  close(Bind(&closedPort, false));
  EXPECT_FALSE(stream->Connect(String("127.0.0.1"), closedPort));
  EXPECT_EQ(stream->m_state, 0);
  EXPECT_EQ(stream->m_socket, -1);
  // An empty label makes the name unresolvable before any query is sent.
  EXPECT_FALSE(stream->Connect(String("no-such-host..invalid"), 80));
  EXPECT_EQ(stream->m_socket, -1);
  std::string longName(1024, 'a');
  EXPECT_FALSE(stream->Connect(String(longName.c_str()), 80));
  EXPECT_FALSE(stream->Connect(String("127.0.0.1"), 70000));
  // Still in state 0, so it may try again.
  LoopbackServer server;
  EXPECT_TRUE(stream->Connect(String("127.0.0.1"), server.port));
}

// Runs until the test lets it finish.
class GatedThread : public VxThread {
 public:
  std::atomic<bool> open{false};
  std::atomic<int> runs{0};
  void Run__UNSAFE__() override {
    runs += 1;
    while (!open) std::this_thread::yield();
  }
};

TEST(Thread, StartsOnceAtATimeAndAgainAfterFinishing) {
  static bool started = false;
  if (!started) gc_init1();
  started = true;
  GatedThread* thread = new GatedThread();
  EXPECT_FALSE(thread->IsRunning());
  thread->Wait();  // never started: returns at once
  thread->Start();
  EXPECT_TRUE(thread->IsRunning());
  thread->Start();  // running: nothing
  thread->open = true;
  while (thread->m_running != 2) std::this_thread::yield();
  EXPECT_FALSE(thread->IsRunning());
  EXPECT_EQ(thread->runs, 1);

  thread->open = false;
  thread->Start();  // the finished run is joined, a new one begins
  EXPECT_TRUE(thread->IsRunning());
  thread->open = true;
  thread->Wait();
  EXPECT_EQ(thread->m_running, 0);
  EXPECT_EQ(thread->runs, 2);
  VxThread* plain = new VxThread();  // the base does no work
  plain->Start();
  plain->Wait();
  EXPECT_EQ(plain->m_running, 0);
}

}  // namespace
