// One JSON object per line on stdout; bytes that are not valid UTF-8 become U+FFFD.
#pragma once

#include <cstdio>
#include <nlohmann/json.hpp>

namespace harkwell_inspect {

inline void PrintJsonLine(const nlohmann::ordered_json& line) {
  const std::string text =
      line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
  fwrite(text.data(), 1, text.size(), stdout);
  fputc('\n', stdout);
}

}  // namespace harkwell_inspect
