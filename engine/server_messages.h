// The binary messages between the engine and the analysis server, one per TCP connection on
// port 5748: a query of up to 128 track IDs answered by a want bitmap, and a record upload.
// Numbers are big-endian.
#pragma once

#include <netinet/in.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace brek {
class Trigger;
}

namespace brek::zomelo {

constexpr uint16_t kMessageMagic = 0x5142;
constexpr uint8_t kProtocolVersion = 1;
constexpr uint8_t kQueryMessage = 1;
constexpr uint8_t kUploadMessage = 2;
constexpr uint8_t kQueryReplyMessage = 0x81;
constexpr uint16_t kServerPort = 5748;
constexpr int kBatchSize = 128;
constexpr size_t kMessageHeaderSize = 8;
constexpr size_t kQueryMessageSize = kMessageHeaderSize + 8 * kBatchSize;  // 1032
constexpr size_t kQueryReplySize = 4 + kBatchSize / 8;                     // 20
constexpr uint32_t kMaxRecordSize = 32768;

inline void PutU16BE(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v >> 8);
  p[1] = uint8_t(v);
}
inline void PutU32BE(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v >> 24);
  p[1] = uint8_t(v >> 16);
  p[2] = uint8_t(v >> 8);
  p[3] = uint8_t(v);
}
inline uint16_t GetU16BE(const uint8_t* p) { return uint16_t((p[0] << 8) | p[1]); }
inline uint32_t GetU32BE(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}
inline uint64_t GetU64BE(const uint8_t* p) {
  return (uint64_t(GetU32BE(p)) << 32) | GetU32BE(p + 4);
}

// Bytes of the reply to a query of n IDs, and whether it wants track j.
inline size_t QueryReplySize(int n) { return size_t(4 + (n + 7) / 8); }
inline bool Wants(const uint8_t* reply, int j) { return (reply[4 + (j >> 3)] >> (j & 7)) & 1; }

// Writes magic, version and type into an 8-byte header.
void FillMessageHeader(uint8_t* header, uint8_t type, uint32_t length);

// Sends the n IDs of `query` (header already filled but for its length) to `server`'s port
// 5748 and reads the reply into `reply`. 0 for a valid reply; an errno value when the socket,
// its time-outs or the connection fail; -1 for a short send, a failed or closed receive, a stop
// request seen after a receive, or a reply of the wrong kind. The socket is left in *socketFd
// on failure for the caller to close.
int QueryBatch(const sockaddr_in& server, uint8_t* query, int n, Trigger& stop, uint8_t* reply,
               int* socketFd);

// Sends `record` (`size` bytes from its start) as one upload message to `server`. 0 when the
// whole message was sent, -1 when a stop was requested after connecting or sending, otherwise
// an errno value (EIO for a short read-back or send that set none).
int UploadRecord(const sockaddr_in& server, FILE* record, uint32_t size, Trigger& stop);

}  // namespace brek::zomelo
