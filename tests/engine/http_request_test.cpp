#include "engine/http_request.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <thread>

namespace brek::zomelo {
namespace {

// A loopback server that answers one connection with `response` and closes.
class OneShotServer {
 public:
  explicit OneShotServer(std::string response) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    listen(fd_, 1);
    thread_ = std::thread([this, response] {
      int conn = accept(fd_, nullptr, nullptr);
      char request[4096];
      ssize_t n = recv(conn, request, sizeof request, 0);
      request_.assign(request, n > 0 ? size_t(n) : 0);
      for (size_t sent = 0; sent < response.size();) {
        ssize_t m = send(conn, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
        if (m <= 0) break;
        sent += size_t(m);
      }
      close(conn);
    });
  }
  ~OneShotServer() {
    thread_.join();
    close(fd_);
  }
  int port() const { return port_; }
  const std::string& request() {
    thread_.join();
    thread_ = std::thread([] {});
    return request_;
  }

 private:
  int fd_ = -1;
  int port_ = 0;
  std::thread thread_;
  std::string request_;
};

struct Answer {
  int result;
  int status;
  std::string body;
};

Answer Ask(const std::string& response, uint32_t storage = 64) {
  OneShotServer server(response);
  std::string text(storage, '\0');
  TextBuffer body;
  body.Init(text.data(), storage);
  int status = -1;
  int result = HttpRequest("127.0.0.1", server.port(), kHttpGet, "/zomelo/zomelo-host", nullptr,
                           &status, &body, 5);
  return Answer{result, status, result == 0 ? std::string(text.c_str()) : ""};
}

TEST(HttpRequest, TheRequestIsTheFixedGet) {
  OneShotServer server("HTTP/1.1 200 OK\r\n\r\nx");
  char text[64];
  TextBuffer body;
  body.Init(text, sizeof text);
  ASSERT_EQ(HttpRequest("127.0.0.1", server.port(), kHttpGet, "/zomelo/zomelo-host", nullptr,
                        nullptr, &body, 5),
            0);
  EXPECT_EQ(server.request(), "GET /zomelo/zomelo-host HTTP/1.1\r\nHost: 127.0.0.1:" +
                                  std::to_string(server.port()) +
                                  "\r\nConnection: close\r\n\r\n");
}

TEST(HttpRequest, Responses) {
  const std::string longHeader = "HTTP/1.1 200 OK\r\nX: " + std::string(5000, 'h') + "\r\n\r\nb";
  const std::string longBody = "HTTP/1.0 200 OK\r\n\r\n" + std::string(5000, 'b');
  struct Case {
    const char* name;
    std::string response;
    Answer expected;
    uint32_t storage = 64;
  } cases[] = {
      {"HTTP/1.0 with header lines", "HTTP/1.0 200 OK\r\nServer: x\r\nA: b\r\n\r\nanalysis.example",
       {0, 200, "analysis.example"}},
      {"ICY status line", "ICY 200 OK\r\n\r\nhost", {0, 200, "host"}},
      {"a line feed stays in the body", "HTTP/1.1 200 OK\r\n\r\nhost\n", {0, 200, "host\n"}},
      {"404 is not an error of the client", "HTTP/1.1 404 Not Found\r\n\r\nno", {0, 404, "no"}},
      {"64-byte body cut to 63", "HTTP/1.1 200 OK\r\n\r\n" + std::string(64, 'x'),
       {0, 200, std::string(63, 'x')}},
      {"empty body", "HTTP/1.1 200 OK\r\n\r\n", {0, 200, ""}},
      {"header past 4095 bytes", longHeader, {-1, -1, ""}},
      {"response longer than 4095 bytes", longBody, {0, 200, std::string(5000, 'b')}, 8192},
      {"garbage", "hello there\r\n\r\n", {-1, -1, ""}},
      {"no status number", "HTTP/1.1 OK\r\n\r\nx", {-1, -1, ""}},
      {"header never ends", "HTTP/1.1 200 OK\r\nA: b\r\n", {-1, 200, ""}},
      {"nothing at all", "", {-1, -1, ""}},
  };
  for (const auto& c : cases) {
    Answer got = Ask(c.response, c.storage);
    EXPECT_EQ(got.result, c.expected.result) << c.name;
    if (c.expected.result == 0) {
      EXPECT_EQ(got.status, c.expected.status) << c.name;
      EXPECT_EQ(got.body, c.expected.body) << c.name;
    }
  }
}

TEST(HttpRequest, AnUnreachableServerIsAnErrnoValue) {
  char text[64];
  TextBuffer body;
  body.Init(text, sizeof text);
  EXPECT_EQ(HttpRequest("127.0.0.1", 1, kHttpGet, "/", nullptr, nullptr, &body, 5), ECONNREFUSED);
}

TEST(TextBuffer, KeepsWhatFitsAndTerminates) {
  char storage[4];
  TextBuffer buffer;
  buffer.Init(storage, sizeof storage);
  buffer.Append("ab", 2);
  buffer.Append("cdef", 4);
  buffer.Terminate();
  EXPECT_STREQ(storage, "abc");
}

}  // namespace
}  // namespace brek::zomelo
