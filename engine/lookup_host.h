// Where the engine asks for the name of its analysis server.
#pragma once

#include <cstddef>

namespace brek::zomelo {

inline constexpr const char* kLookupPath = "/zomelo/zomelo-host";
inline constexpr int kLookupPort = 80;

// The lookup host: $HARKWELL_LOOKUP_HOST ("host" or "host:port"), else the build's default.
// 0, or -1 when the value is malformed or does not fit `size`.
int LookupHost(char* host, size_t size, int* port);

}  // namespace brek::zomelo
