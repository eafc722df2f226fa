// Byte streams: the do-nothing base and the TCP client on POSIX sockets.
#include "host/stream.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

int VxStream::Eof() { return 0; }
int VxStream::Close() { return 0; }
int VxStream::Length() { return 0; }
int VxStream::Position() { return 0; }
int VxStream::Seek(int) { return 0; }
int VxStream::Read(VxDataBuffer*, int, int) { return 0; }
int VxStream::Write(VxDataBuffer*, int, int) { return 0; }

namespace {

const int kMaxHostName = 1023;

}  // namespace

VxTcpStream::VxTcpStream() {}

VxTcpStream::~VxTcpStream() {
  if (m_socket >= 0) close(m_socket);
}

bool VxTcpStream::Connect(String host, int port) {
  if (m_state != 0 || host.Length() > kMaxHostName) return false;
  if (port < 0 || port > 65535) return false;
  std::string name;
  for (int i = 0; i < host.Length(); ++i) name.push_back(static_cast<char>(host[i] & 0xFF));

  addrinfo hints = {};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  if (name.find('\0') != std::string::npos || getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || !found) {
    return false;
  }
  sockaddr_in address = *reinterpret_cast<sockaddr_in*>(found->ai_addr);
  freeaddrinfo(found);
  address.sin_port = htons(static_cast<uint16_t>(port));

  m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (m_socket < 0) {
    m_socket = -1;
    return false;
  }
  int result;
  do {
    result = connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
  } while (result < 0 && errno == EINTR);
  if (result < 0) {
    close(m_socket);
    m_socket = -1;
    return false;
  }
  // Small messages go out at once instead of waiting to be joined.
  int on = 1;
  if (setsockopt(m_socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) < 0) {
    printf("setsockopt failed!\n");
    fflush(stdout);
  }
  m_state = 1;
  return true;
}

int VxTcpStream::ReadAvail() {
  if (m_state != 1) return 0;
  int waiting = 0;
  if (ioctl(m_socket, FIONREAD, &waiting) < 0) {
    m_state = -1;
    return 0;
  }
  return waiting;
}

int VxTcpStream::WriteAvail() { return 0; }

int VxTcpStream::Eof() {
  if (m_state == -1) return -1;
  return m_state == 2 ? 1 : 0;
}

int VxTcpStream::Close() {
  if (m_socket < 0) return 0;
  if (m_state == 1) m_state = 2;
  close(m_socket);
  m_socket = -1;
  return 0;
}

int VxTcpStream::Read(VxDataBuffer* buffer, int offset, int count) {
  if (m_state != 1 || !buffer || !buffer->Fits(offset, count) || count == 0) return 0;
  ssize_t received;
  do {
    received = recv(m_socket, buffer->m_bytes + offset, count, 0);
  } while (received < 0 && errno == EINTR);
  if (received == 0) {
    m_state = 2;
    return 0;
  }
  if (received < 0) {
    m_state = -1;
    return 0;
  }
  return static_cast<int>(received);
}

int VxTcpStream::Write(VxDataBuffer* buffer, int offset, int count) {
  if (m_state != 1 || !buffer || !buffer->Fits(offset, count) || count == 0) return 0;
  ssize_t sent;
  // A peer that has gone away reports an error here instead of a signal
  // that would end the process.
  do {
    sent = send(m_socket, buffer->m_bytes + offset, count, MSG_NOSIGNAL);
  } while (sent < 0 && errno == EINTR);
  if (sent < 0) {
    m_state = -1;
    return 0;
  }
  return static_cast<int>(sent);
}
