#include "platform/messages.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <map>

#include "platform/event_constants.h"
#include "platform/event_loop.h"
#include "platform/runtime_dir.h"

namespace platform {

namespace {

// Wire form, 16 bytes: "HWM1", event class, event ID, 4 reserved bytes; numbers big-endian.
constexpr size_t kMessageSize = 16;
constexpr size_t kMaxPendingConnections = 32;

int SocketAddress(uint32_t signature, sockaddr_un* address) {
  char runtime[1024];
  if (int err = RuntimeDirectory(runtime, sizeof runtime)) return err;
  std::memset(address, 0, sizeof *address);
  address->sun_family = AF_UNIX;
  int n = snprintf(address->sun_path, sizeof address->sun_path, "%s/%08" PRIx32 ".sock", runtime,
                   signature);
  if (n < 0 || size_t(n) >= sizeof address->sun_path) return ENAMETOOLONG;
  return 0;
}

void PutU32(unsigned char* p, uint32_t v) {
  p[0] = uint8_t(v >> 24);
  p[1] = uint8_t(v >> 16);
  p[2] = uint8_t(v >> 8);
  p[3] = uint8_t(v);
}

uint32_t GetU32(const unsigned char* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

struct Receiver {
  int listenFd = -1;
  sockaddr_un address{};
  dev_t device = 0;
  ino_t inode = 0;
  struct Connection {
    unsigned char bytes[kMessageSize];
    size_t received = 0;
  };
  std::map<int, Connection> connections;
};
Receiver gReceiver;

void CloseConnection(int fd) {
  RemoveLoopSource(fd);
  close(fd);
  gReceiver.connections.erase(fd);
}

void ConnectionReadable(int fd, void*) {
  auto it = gReceiver.connections.find(fd);
  if (it == gReceiver.connections.end()) return;
  auto& connection = it->second;
  ssize_t n = recv(fd, connection.bytes + connection.received, kMessageSize - connection.received,
                   MSG_DONTWAIT);
  if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
  if (n > 0) connection.received += size_t(n);
  if (n > 0 && connection.received < kMessageSize) return;
  if (connection.received == kMessageSize && std::memcmp(connection.bytes, "HWM1", 4) == 0) {
    uint32_t aeClass = GetU32(connection.bytes + 4);
    uint32_t aeID = GetU32(connection.bytes + 8);
    auto event = CreateEvent(kEventClassAppleEvent, kEventAppleEvent);
    event->SetParameter(kEventParamAEEventClass, typeType, 4, &aeClass);
    event->SetParameter(kEventParamAEEventID, typeType, 4, &aeID);
    PostEventToQueue(GetMainEventQueue(), std::move(event), kEventPriorityStandard);
  }
  CloseConnection(fd);
}

void ListenerReadable(int fd, void*) {
  for (;;) {
    int conn = accept4(fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (conn < 0) return;
    ucred peer{};
    socklen_t length = sizeof peer;
    bool sameUser = getsockopt(conn, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 &&
                    peer.uid == getuid();
    if (!sameUser || gReceiver.connections.size() >= kMaxPendingConnections) {
      close(conn);
      continue;
    }
    gReceiver.connections[conn] = Receiver::Connection{};
    AddLoopSource(conn, ConnectionReadable, nullptr);
  }
}

int BindListener(int fd, const sockaddr_un& address) {
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return 0;
  if (errno != EADDRINUSE) return errno;
  // Someone's socket is there: a live program answers, a dead one's socket refuses.
  int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (probe < 0) return errno;
  int connected = connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  int connectError = errno;
  close(probe);
  if (connected == 0) return EADDRINUSE;
  if (connectError != ECONNREFUSED) return connectError;
  unlink(address.sun_path);
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return errno;
  return 0;
}

}  // namespace

OSStatus SendMessage(uint32_t signature, uint32_t eventClass, uint32_t eventID) {
  sockaddr_un address;
  if (int err = SocketAddress(signature, &address)) return err;
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return errno;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    int err = errno;
    close(fd);
    return (err == ENOENT || err == ECONNREFUSED) ? procNotFound : err;
  }
  unsigned char message[kMessageSize] = {'H', 'W', 'M', '1'};
  PutU32(message + 4, eventClass);
  PutU32(message + 8, eventID);
  ssize_t sent = send(fd, message, sizeof message, MSG_NOSIGNAL);
  int err = errno;
  close(fd);
  if (sent == ssize_t(sizeof message)) return noErr;
  return sent < 0 ? err : EIO;
}

int StartReceivingMessages(uint32_t signature) {
  if (gReceiver.listenFd >= 0) return 0;
  sockaddr_un address;
  if (int err = SocketAddress(signature, &address)) return err;
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return errno;
  int err = BindListener(fd, address);
  if (err == 0 && listen(fd, 16) != 0) err = errno;
  struct stat info;
  if (err == 0 && stat(address.sun_path, &info) != 0) err = errno;
  if (err != 0) {
    close(fd);
    return err;
  }
  gReceiver.listenFd = fd;
  gReceiver.address = address;
  gReceiver.device = info.st_dev;
  gReceiver.inode = info.st_ino;
  AddLoopSource(fd, ListenerReadable, nullptr);
  return 0;
}

void StopReceivingMessages() {
  if (gReceiver.listenFd < 0) return;
  while (!gReceiver.connections.empty()) CloseConnection(gReceiver.connections.begin()->first);
  RemoveLoopSource(gReceiver.listenFd);
  close(gReceiver.listenFd);
  gReceiver.listenFd = -1;
  // Remove the socket only while it is still ours, not one a newer program put there.
  struct stat info;
  if (stat(gReceiver.address.sun_path, &info) == 0 && info.st_dev == gReceiver.device &&
      info.st_ino == gReceiver.inode) {
    unlink(gReceiver.address.sun_path);
  }
}

}  // namespace platform
