// Any bytes as the head of an HTTP response: no crash, and a body offset within the text.
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/http_request.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  if (size > 4095) size = 4095;  // the client holds at most this much before parsing
  std::string response(reinterpret_cast<const char*>(data), size);
  const size_t length = strlen(response.c_str());
  int status = 0;
  size_t body = 0;
  if (brek::zomelo::ParseHttpResponseHead(response.data(), &status, &body) == 0 &&
      body > length + 1) {
    abort();
  }
  return 0;
}
