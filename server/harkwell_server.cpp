// harkwell-server: a reference analysis server. It answers the engine's host lookup over HTTP,
// tells the engine which tracks it wants, and validates and stores every uploaded record.
//
//   harkwell-server [--lookup ADDR:PORT] [--listen ADDR] [--port N] [--advertise NAME]
//                   [--db FILE] [--policy new|all|none]
//   harkwell-server --list [--db FILE]
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "server/record_check.h"
#include "server/record_store.h"

namespace {

using Clock = std::chrono::steady_clock;
using harkwell_server::CheckedRecord;
using harkwell_server::RecordStore;

constexpr size_t kHeaderSize = 8;
constexpr size_t kMaxRecordSize = 32768;
constexpr size_t kMaxLookupRequest = 8192;
constexpr int kIdleSeconds = 30;  // a connection silent this long is dropped

enum class Policy { kNew, kAll, kNone };

struct Options {
  std::string lookup = "127.0.0.1:8080";
  std::string listen = "127.0.0.1";
  int port = 5748;
  std::string advertise;  // default: the listen address
  std::string db = "harkwell-server.db";
  Policy policy = Policy::kNew;
  bool list = false;
};

struct Counters {
  long lookups = 0, queries = 0, uploads = 0, rejected = 0;
};

struct Connection {
  bool lookup;  // the HTTP lookup, else the analysis protocol
  std::vector<uint8_t> in;
  std::vector<uint8_t> out;
  size_t sent = 0;
  bool closeAfterSend = false;
  Clock::time_point lastActivity = Clock::now();
};

volatile sig_atomic_t gStop = 0;

int Listen(const std::string& address, int port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  int one = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in in{};
  in.sin_family = AF_INET;
  in.sin_port = htons(uint16_t(port));
  if (inet_pton(AF_INET, address.c_str(), &in.sin_addr) != 1 ||
      bind(fd, reinterpret_cast<sockaddr*>(&in), sizeof in) != 0 || listen(fd, 128) != 0) {
    fprintf(stderr, "harkwell-server: cannot listen on %s:%d: %s\n", address.c_str(), port,
            strerror(errno));
    close(fd);
    return -1;
  }
  return fd;
}

class Server {
 public:
  Server(const Options& options, RecordStore& store) : options_(options), store_(store) {}

  void Reject(Connection& c, const char* what) {
    ++counters_.rejected;
    fprintf(stderr, "harkwell-server: rejected: %s\n", what);
    c.out.clear();
    c.closeAfterSend = true;
  }

  // Acts on what a connection has received so far.
  void Handle(Connection& c) {
    if (c.closeAfterSend) return;
    if (c.lookup) {
      std::string text(c.in.begin(), c.in.end());
      size_t end = text.find("\r\n\r\n");
      if (end == std::string::npos) {
        if (c.in.size() > kMaxLookupRequest) Reject(c, "lookup request too long");
        return;
      }
      ++counters_.lookups;
      const bool found = text.rfind("GET /zomelo/zomelo-host ", 0) == 0;
      const std::string body = found ? options_.advertise : "not found";
      std::string reply = std::string(found ? "HTTP/1.1 200 OK" : "HTTP/1.1 404 Not Found") +
                          "\r\nContent-Type: text/plain\r\nContent-Length: " +
                          std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
      c.out.assign(reply.begin(), reply.end());
      c.closeAfterSend = true;
      return;
    }
    if (c.in.size() < kHeaderSize) return;
    const uint8_t* h = c.in.data();
    const uint32_t length = (uint32_t(h[4]) << 24) | (uint32_t(h[5]) << 16) | (uint32_t(h[6]) << 8) | h[7];
    if (h[0] != 0x51 || h[1] != 0x42 || h[2] != 1) return Reject(c, "bad message header");
    if (h[3] == 1) {
      if (length == 0 || length % 8 != 0 || length > 8 * 128) return Reject(c, "bad query length");
    } else if (h[3] == 2) {
      if (length > kMaxRecordSize) return Reject(c, "record longer than 32768 bytes");
    } else {
      return Reject(c, "unknown message type");
    }
    if (c.in.size() < kHeaderSize + length) return;
    if (c.in.size() > kHeaderSize + length) return Reject(c, "bytes after the message");
    const uint8_t* body = c.in.data() + kHeaderSize;
    if (h[3] == 1) {
      const int n = int(length / 8);
      std::vector<uint8_t> reply(4 + size_t(n + 7) / 8, 0);
      reply[0] = 0x51;
      reply[1] = 0x42;
      reply[2] = 1;
      reply[3] = 0x81;
      for (int j = 0; j < n; ++j) {
        char hex[17];
        for (int i = 0; i < 8; ++i) snprintf(hex + 2 * i, 3, "%02x", body[8 * j + i]);
        bool wanted = options_.policy == Policy::kAll ||
                      (options_.policy == Policy::kNew && !store_.Has(hex));
        if (wanted) reply[4 + size_t(j >> 3)] |= uint8_t(1 << (j & 7));
      }
      ++counters_.queries;
      fprintf(stderr, "harkwell-server: query of %d IDs\n", n);
      c.out = std::move(reply);
      c.closeAfterSend = true;
      return;
    }
    CheckedRecord record;
    std::string error;
    if (harkwell_server::CheckRecord(body, length, &record, &error) != 0) {
      return Reject(c, ("malformed record: " + error).c_str());
    }
    if (!store_.Add(record, body, length)) return Reject(c, ("not stored: " + store_.error()).c_str());
    ++counters_.uploads;
    fprintf(stderr, "harkwell-server: stored %s (%s - %s), %zu events\n", record.trackId.c_str(),
            record.info["Artist"].c_str(), record.info["Title"].c_str(), record.events.size());
    c.closeAfterSend = true;
  }

  int Run(int lookupFd, int analysisFd) {
    std::map<int, Connection> connections;
    fprintf(stderr, "harkwell-server: ready (lookup %s, analysis %s:%d, advertising %s)\n",
            options_.lookup.c_str(), options_.listen.c_str(), options_.port,
            options_.advertise.c_str());
    while (!gStop) {
      std::vector<pollfd> fds{{lookupFd, POLLIN, 0}, {analysisFd, POLLIN, 0}};
      for (auto& [fd, c] : connections) {
        short events = c.closeAfterSend ? POLLOUT : POLLIN;
        fds.push_back(pollfd{fd, events, 0});
      }
      if (poll(fds.data(), fds.size(), 1000) < 0 && errno != EINTR) return 1;
      for (int listener : {0, 1}) {
        if (!(fds[size_t(listener)].revents & POLLIN)) continue;
        for (;;) {
          int fd = accept4(fds[size_t(listener)].fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
          if (fd < 0) break;
          connections[fd] = Connection{listener == 0, {}, {}, 0, false, Clock::now()};
        }
      }
      for (size_t i = 2; i < fds.size(); ++i) {
        auto it = connections.find(fds[i].fd);
        if (it == connections.end()) continue;
        Connection& c = it->second;
        bool done = false;
        if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) {
          uint8_t chunk[16384];
          ssize_t n = recv(fds[i].fd, chunk, sizeof chunk, 0);
          if (n > 0) {
            c.in.insert(c.in.end(), chunk, chunk + n);
            c.lastActivity = Clock::now();
            // Bounded: never more than one message's worth is kept.
            if (c.in.size() > kHeaderSize + kMaxRecordSize + kMaxLookupRequest) {
              Reject(c, "message too long");
            } else {
              Handle(c);
            }
          } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            if (!c.closeAfterSend && !c.in.empty()) Reject(c, "connection closed mid-message");
            done = true;
          }
        }
        if (!done && c.closeAfterSend && (fds[i].revents & POLLOUT)) {
          if (c.sent < c.out.size()) {
            ssize_t n = send(fds[i].fd, c.out.data() + c.sent, c.out.size() - c.sent, MSG_NOSIGNAL);
            if (n > 0) c.sent += size_t(n);
            else if (errno != EAGAIN) done = true;
          }
          if (c.sent >= c.out.size()) done = true;
        }
        if (Clock::now() - c.lastActivity > std::chrono::seconds(kIdleSeconds)) done = true;
        if (done) {
          close(fds[i].fd);
          connections.erase(it);
        }
      }
    }
    fprintf(stderr,
            "harkwell-server: %ld lookups, %ld queries, %ld records stored, %ld rejected\n",
            counters_.lookups, counters_.queries, counters_.uploads, counters_.rejected);
    return 0;
  }

 private:
  const Options& options_;
  RecordStore& store_;
  Counters counters_;
};

int Usage() {
  fputs(
      "usage: harkwell-server [--lookup ADDR:PORT] [--listen ADDR] [--port N]\n"
      "                       [--advertise NAME] [--db FILE] [--policy new|all|none]\n"
      "       harkwell-server --list [--db FILE]\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](std::string* into) {
      if (i + 1 >= argc) return false;
      *into = argv[++i];
      return true;
    };
    std::string text;
    if (arg == "--list") {
      options.list = true;
    } else if (arg == "--lookup" && value(&options.lookup)) {
    } else if (arg == "--listen" && value(&options.listen)) {
    } else if (arg == "--advertise" && value(&options.advertise)) {
    } else if (arg == "--db" && value(&options.db)) {
    } else if (arg == "--port" && value(&text)) {
      options.port = atoi(text.c_str());
    } else if (arg == "--policy" && value(&text)) {
      if (text == "new") options.policy = Policy::kNew;
      else if (text == "all") options.policy = Policy::kAll;
      else if (text == "none") options.policy = Policy::kNone;
      else return Usage();
    } else {
      return Usage();
    }
  }
  if (options.advertise.empty()) options.advertise = options.listen;
  RecordStore store(options.db);
  if (!store.ok()) {
    fprintf(stderr, "harkwell-server: %s: %s\n", options.db.c_str(), store.error().c_str());
    return 1;
  }
  if (options.list) {
    for (const std::string& line : store.List()) printf("%s\n", line.c_str());
    return 0;
  }
  size_t colon = options.lookup.rfind(':');
  if (colon == std::string::npos) return Usage();
  int lookupFd = Listen(options.lookup.substr(0, colon), atoi(options.lookup.c_str() + colon + 1));
  int analysisFd = Listen(options.listen, options.port);
  if (lookupFd < 0 || analysisFd < 0) return 1;
  struct sigaction action {};
  action.sa_handler = [](int) { gStop = 1; };
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
  Server server(options, store);
  return server.Run(lookupFd, analysisFd);
}
