#pragma once
// Byte streams for the program: the empty base and a TCP client.
#include "host/data_buffer.h"

// A byte stream; this base reads and writes nothing and reports 0.
class VxStream : public Object {
 public:
  virtual int Eof();
  virtual int Close();
  virtual int Length();
  virtual int Position();
  virtual int Seek(int position);
  virtual int Read(VxDataBuffer* buffer, int offset, int count);
  virtual int Write(VxDataBuffer* buffer, int offset, int count);
};

// A TCP client connection. States: 0 not connected, 1 connected, 2 closed
// or end of stream, -1 error.
class VxTcpStream : public VxStream {
 public:
  VxTcpStream();
  ~VxTcpStream() override;

  // Only from state 0; the name is resolved and its first address used.
  bool Connect(String host, int port);
  // Bytes that can be read without waiting.
  int ReadAvail();
  int WriteAvail();
  int Eof() override;
  int Close() override;
  // Blocks until some bytes arrive; a read or write that does not fit the
  // buffer does nothing.
  int Read(VxDataBuffer* buffer, int offset, int count) override;
  int Write(VxDataBuffer* buffer, int offset, int count) override;

  int m_socket = -1;
  int m_state = 0;
};
