// The small HTTP client of the host lookup.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brek {

// Bytes appended into caller-owned storage, silently dropping what does not fit.
struct TextBuffer {
  uint32_t length;
  char* data;
  uint32_t capacity;  // storage size - 1, room for the NUL

  void Init(char* storage, uint32_t size) {
    length = 0;
    data = storage;
    capacity = size - 1;
  }
  void Append(const char* bytes, uint32_t count);
  void Terminate() { data[length] = '\0'; }
};

}  // namespace brek

namespace brek::zomelo {

enum HttpMethod { kHttpGet0 = 0, kHttpGet = 1, kHttpPut = 2 };

constexpr size_t kHttpWorkBufferSize = 4096;

// Connects to host:port and sends "<METHOD> <path> HTTP/1.1" with Host and Connection headers
// and `extraHeader` (whole lines, or null). 0, an EAI_ value (negative) when the name does not
// resolve, or an errno value. The socket is stored in *socketFd for the caller to close.
int SendHttpRequest(const char* host, int port, int method, const char* path,
                    const char* extraHeader, int* socketFd, int timeoutSeconds, char* work,
                    size_t workSize);

// The request and its response: the status into *status (when given) and the body into `body`.
// 0; -1 for a response that is not HTTP or ICY, lacks a status number, or whose header does
// not end within its first 4095 bytes; a resolver or errno value otherwise. The socket is
// always closed before returning. `timeoutSeconds` 0 waits as long as the system lets it.
int HttpRequest(const char* host, int port, int method, const char* path,
                const char* extraHeader, int* status, TextBuffer* body, int timeoutSeconds);

// Parses the response head held NUL-terminated in `response` (changed in place): 0 with the
// status and the offset where the body starts, or -1.
int ParseHttpResponseHead(char* response, int* status, size_t* bodyOffset);

}  // namespace brek::zomelo
