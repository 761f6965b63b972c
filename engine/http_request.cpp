#include "engine/http_request.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace brek {

void TextBuffer::Append(const char* bytes, uint32_t count) {
  uint32_t room = capacity - length;
  uint32_t n = count < room ? count : room;
  memcpy(data + length, bytes, n);
  length += n;
}

}  // namespace brek

namespace brek::zomelo {

namespace {

const char* MethodWord(int method) { return method == kHttpPut ? "PUT" : "GET"; }

}  // namespace

int SendHttpRequest(const char* host, int port, int method, const char* path,
                    const char* extraHeader, int* socketFd, int timeoutSeconds, char* work,
                    size_t workSize) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (int err = getaddrinfo(host, nullptr, &hints, &found)) return err;
  sockaddr_in address = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  freeaddrinfo(found);
  address.sin_port = htons(uint16_t(port));

  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return errno;
  *socketFd = fd;
  if (timeoutSeconds > 0) {
    timeval timeout{timeoutSeconds, 0};
    if (setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout) != 0) return errno;
    if (setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout) != 0) return errno;
  }
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return errno;
  snprintf(work, workSize, "%s %s HTTP/1.1\r\nHost: %s:%d\r\nConnection: close\r\n%s\r\n",
           MethodWord(method), path, host, port, extraHeader ? extraHeader : "");
  const size_t length = strlen(work);
  errno = 0;
  if (send(fd, work, length, MSG_NOSIGNAL) != ssize_t(length)) return errno ? errno : EIO;
  return 0;
}

int ParseHttpResponseHead(char* response, int* status, size_t* bodyOffset) {
  char* save = nullptr;
  char* token = strtok_r(response, " ", &save);
  if (token == nullptr || (strncmp(token, "HTTP", 4) != 0 && strncmp(token, "ICY", 3) != 0)) {
    return -1;
  }
  token = strtok_r(nullptr, " ", &save);
  if (token == nullptr) return -1;
  int number = 0;
  if (sscanf(token, "%d", &number) != 1) return -1;
  if (status != nullptr) *status = number;
  if (strtok_r(nullptr, "\n", &save) == nullptr) return -1;  // the rest of the status line
  for (;;) {
    token = strtok_r(nullptr, "\n", &save);
    if (token == nullptr) return -1;
    if (strcmp(token, "\r") == 0) break;  // the empty line that ends the header
  }
  *bodyOffset = size_t(token - response) + 2;
  return 0;
}

int HttpRequest(const char* host, int port, int method, const char* path,
                const char* extraHeader, int* status, TextBuffer* body, int timeoutSeconds) {
  char work[kHttpWorkBufferSize];
  int fd = -1;
  struct Closer {
    int* fd;
    ~Closer() {
      if (*fd >= 0) close(*fd);
    }
  } closer{&fd};
  if (int err = SendHttpRequest(host, port, method, path, extraHeader, &fd, timeoutSeconds, work,
                                sizeof work)) {
    return err;
  }
  size_t received = 0;
  bool full = false;
  for (;;) {
    ssize_t n = recv(fd, work + received, kHttpWorkBufferSize - 1 - received, 0);
    if (n < 0) return errno;
    if (n == 0) break;
    received += size_t(n);
    if (received == kHttpWorkBufferSize - 1) {
      full = true;
      break;
    }
  }
  work[received] = '\0';
  int number = 0;
  size_t bodyOffset = 0;
  if (ParseHttpResponseHead(work, &number, &bodyOffset) != 0) return -1;
  if (status != nullptr) *status = number;
  if (bodyOffset < received) body->Append(work + bodyOffset, uint32_t(received - bodyOffset));
  if (full) {
    for (;;) {
      ssize_t n = recv(fd, work, kHttpWorkBufferSize, 0);
      if (n < 0) return errno;
      if (n == 0) break;
      body->Append(work, uint32_t(n));
    }
  }
  body->Terminate();
  return 0;
}

}  // namespace brek::zomelo
