#include "engine/server_messages.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "engine/trigger.h"

namespace brek::zomelo {

namespace {

constexpr int kExchangeTimeoutSeconds = 10;

int SetTimeout(int fd, int option) {
  timeval timeout{kExchangeTimeoutSeconds, 0};
  return setsockopt(fd, SOL_SOCKET, option, &timeout, sizeof timeout) == 0 ? 0 : errno;
}

// Closes the socket when the exchange ends, however it ends.
class Socket {
 public:
  Socket() : fd_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {}
  ~Socket() {
    if (fd_ >= 0) close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

void FillMessageHeader(uint8_t* header, uint8_t type, uint32_t length) {
  PutU16BE(header, kMessageMagic);
  header[2] = kProtocolVersion;
  header[3] = type;
  PutU32BE(header + 4, length);
}

int QueryBatch(const sockaddr_in& server, uint8_t* query, int n, Trigger& stop, uint8_t* reply,
               int* socketFd) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return errno;
  *socketFd = fd;
  if (int err = SetTimeout(fd, SO_RCVTIMEO)) return err;
  if (int err = SetTimeout(fd, SO_SNDTIMEO)) return err;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&server), sizeof server) != 0) return errno;
  PutU32BE(query + 4, uint32_t(8 * n));
  const size_t total = kMessageHeaderSize + 8 * size_t(n);
  if (send(fd, query, total, MSG_NOSIGNAL) != ssize_t(total)) return -1;
  const size_t expected = QueryReplySize(n);
  size_t received = 0;
  while (received < expected) {
    ssize_t got = recv(fd, reply + received, expected - received, 0);
    if (stop.IsRaised()) return -1;
    if (got <= 0) return -1;  // closed early, failed, or silent past the time-out
    received += size_t(got);
  }
  close(fd);
  *socketFd = -1;
  if (GetU16BE(reply) != kMessageMagic || reply[2] != kProtocolVersion ||
      reply[3] != kQueryReplyMessage) {
    return -1;
  }
  return 0;
}

int UploadRecord(const sockaddr_in& server, FILE* record, uint32_t size, Trigger& stop) {
  std::vector<uint8_t> message(kMessageHeaderSize + size);
  FillMessageHeader(message.data(), kUploadMessage, size);
  rewind(record);
  errno = 0;
  if (fread(message.data() + kMessageHeaderSize, 1, size, record) != size) {
    return errno ? errno : EIO;  // never report a record as sent that was not read whole
  }
  Socket socket;
  if (socket.fd() < 0) return errno;
  if (int err = SetTimeout(socket.fd(), SO_SNDTIMEO)) return err;
  int connected = connect(socket.fd(), reinterpret_cast<const sockaddr*>(&server), sizeof server);
  int connectError = errno;
  if (stop.IsRaised()) return -1;
  if (connected != 0) return connectError;
  errno = 0;
  ssize_t sent = send(socket.fd(), message.data(), message.size(), MSG_NOSIGNAL);
  int sendError = errno;
  if (stop.IsRaised()) return -1;
  if (sent != ssize_t(message.size())) return sendError ? sendError : EIO;
  return 0;
}

}  // namespace brek::zomelo
