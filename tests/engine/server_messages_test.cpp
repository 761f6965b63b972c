#include "engine/server_messages.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "engine/trigger.h"

namespace brek::zomelo {
namespace {

// A loopback peer that takes one connection, reads everything the engine sends (until it
// stops sending for a moment or closes), and then acts.
class FakeServer {
 public:
  using Act = std::function<void(int conn, const std::vector<uint8_t>& received)>;
  explicit FakeServer(Act act) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    address_.sin_family = AF_INET;
    address_.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&address_), sizeof address_);
    socklen_t length = sizeof address_;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address_), &length);
    listen(fd_, 1);
    thread_ = std::thread([this, act] {
      int conn = accept(fd_, nullptr, nullptr);
      timeval wait{0, 200000};
      setsockopt(conn, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
      uint8_t chunk[65536];
      for (;;) {
        ssize_t n = recv(conn, chunk, sizeof chunk, 0);
        if (n <= 0) break;
        received.insert(received.end(), chunk, chunk + n);
      }
      act(conn, received);
      close(conn);
    });
  }
  ~FakeServer() {
    if (thread_.joinable()) thread_.join();
    close(fd_);
  }
  const sockaddr_in& address() const { return address_; }
  void Join() { thread_.join(); }
  std::vector<uint8_t> received;

 private:
  int fd_ = -1;
  sockaddr_in address_{};
  std::thread thread_;
};

std::vector<uint8_t> Reply(int n, uint8_t type, const std::vector<int>& wanted) {
  std::vector<uint8_t> reply(QueryReplySize(n), 0);
  reply[0] = 0x51;
  reply[1] = 0x42;
  reply[2] = 1;
  reply[3] = type;
  for (int j : wanted) reply[4 + (j >> 3)] |= uint8_t(1 << (j & 7));
  return reply;
}

int Query(FakeServer& server, int n, uint8_t* reply) {
  uint8_t query[kQueryMessageSize];
  FillMessageHeader(query, kQueryMessage, 0);
  for (int j = 0; j < n; ++j) memset(query + 8 + 8 * j, j, 8);
  Trigger stop;
  int fd = -1;
  int result = QueryBatch(server.address(), query, n, stop, reply, &fd);
  if (fd >= 0) close(fd);
  return result;
}

TEST(QueryBatch, SizesOfQueriesAndReplies) {
  for (int n : {1, 9, 128}) {
    std::vector<int> wanted{0, n - 1};
    FakeServer server([&](int conn, const std::vector<uint8_t>&) {
      auto reply = Reply(n, 0x81, wanted);
      send(conn, reply.data(), reply.size(), MSG_NOSIGNAL);
    });
    uint8_t reply[kQueryReplySize] = {};
    ASSERT_EQ(Query(server, n, reply), 0) << n;
    server.Join();
    ASSERT_EQ(server.received.size(), size_t(8 + 8 * n)) << n;
    EXPECT_EQ(GetU32BE(server.received.data() + 4), uint32_t(8 * n));
    EXPECT_TRUE(Wants(reply, 0));
    EXPECT_TRUE(Wants(reply, n - 1));
    if (n > 2) {
      EXPECT_FALSE(Wants(reply, 1));
    }
  }
  // Track 8 of 9 is bit value 1 of byte 5.
  auto reply = Reply(9, 0x81, {8});
  EXPECT_EQ(reply.size(), 6u);
  EXPECT_EQ(reply[5], 1);
}

TEST(QueryBatch, AReplyInPiecesIsJoined) {
  FakeServer server([](int conn, const std::vector<uint8_t>&) {
    auto reply = Reply(128, 0x81, {127});
    for (uint8_t byte : reply) {
      send(conn, &byte, 1, MSG_NOSIGNAL);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  });
  uint8_t reply[kQueryReplySize] = {};
  EXPECT_EQ(Query(server, 128, reply), 0);
  EXPECT_TRUE(Wants(reply, 127));
}

TEST(QueryBatch, BadRepliesFail) {
  for (auto reply : {Reply(1, 0x01, {}), std::vector<uint8_t>{0x51, 0x42, 1}}) {
    FakeServer server([&](int conn, const std::vector<uint8_t>&) {
      send(conn, reply.data(), reply.size(), MSG_NOSIGNAL);
    });
    uint8_t got[kQueryReplySize] = {};
    EXPECT_EQ(Query(server, 1, got), -1);
  }
}

TEST(QueryBatch, ASilentServerMeetsTheTimeOut) {
  FakeServer server([](int, const std::vector<uint8_t>&) {
    std::this_thread::sleep_for(std::chrono::seconds(12));
  });
  uint8_t reply[kQueryReplySize];
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Query(server, 1, reply), -1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(12));
}

TEST(UploadRecord, TheWholeRecordGoesInOneMessage) {
  FakeServer server([](int, const std::vector<uint8_t>&) {});
  FILE* record = tmpfile();
  std::vector<uint8_t> bytes(kMaxRecordSize);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 7);
  fwrite(bytes.data(), 1, bytes.size(), record);
  Trigger stop;
  EXPECT_EQ(UploadRecord(server.address(), record, kMaxRecordSize, stop), 0);
  server.Join();
  ASSERT_EQ(server.received.size(), kMaxRecordSize + 8);
  EXPECT_EQ(server.received[3], kUploadMessage);
  EXPECT_EQ(GetU32BE(server.received.data() + 4), kMaxRecordSize);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), server.received.begin() + 8));
  // A record shorter than claimed is never reported as sent.
  EXPECT_EQ(UploadRecord(server.address(), record, kMaxRecordSize + 1, stop), EIO);
  fclose(record);
}

TEST(UploadRecord, AStopRequestIsSeenAfterConnecting) {
  FakeServer server([](int, const std::vector<uint8_t>&) {});
  FILE* record = tmpfile();
  fputs("r", record);
  Trigger stop;
  stop.Raise();
  EXPECT_EQ(UploadRecord(server.address(), record, 1, stop), -1);
  fclose(record);
}

}  // namespace
}  // namespace brek::zomelo
