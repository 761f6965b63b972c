#include "engine/lookup_host.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifndef HARKWELL_DEFAULT_LOOKUP_HOST
#define HARKWELL_DEFAULT_LOOKUP_HOST "www.ashgrove.example"
#endif

namespace brek::zomelo {

int LookupHost(char* host, size_t size, int* port) {
  const char* value = getenv("HARKWELL_LOOKUP_HOST");
  if (value == nullptr || *value == '\0') value = HARKWELL_DEFAULT_LOOKUP_HOST;
  const char* colon = strrchr(value, ':');
  size_t length = colon ? size_t(colon - value) : strlen(value);
  *port = kLookupPort;
  if (colon != nullptr) {
    char* end = nullptr;
    long number = strtol(colon + 1, &end, 10);
    if (end == colon + 1 || *end != '\0' || number < 1 || number > 65535) return -1;
    *port = int(number);
  }
  if (length == 0 || length >= size) return -1;
  memcpy(host, value, length);
  host[length] = '\0';
  return 0;
}

}  // namespace brek::zomelo
