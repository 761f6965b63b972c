// Any bytes through NormaliseName: the output is terminated and never longer than the input.
#include <cstdlib>
#include <cstring>
#include <string>

#include "library/name_normalisation.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  std::string source(reinterpret_cast<const char*>(data), size);
  const size_t length = strlen(source.c_str());  // the text ends at its first NUL
  // Exactly as large as the source: the bound the callers rely on.
  std::string destination(length + 1, '\x55');
  brek::zomelo::NormaliseName(source.c_str(), destination.data(), destination.size());
  if (memchr(destination.data(), '\0', destination.size()) == nullptr) abort();
  if (strlen(destination.c_str()) > length) abort();
  // Never cut either: a larger buffer gives the same text.
  std::string roomy(4 * length + 8, '\0');
  brek::zomelo::NormaliseName(source.c_str(), roomy.data(), roomy.size());
  if (strcmp(roomy.c_str(), destination.c_str()) != 0) abort();
  return 0;
}
