#include "gui/open_url.h"

#include "platform/launch.h"

namespace brek {

void OpenURL(const char* url) {
  if (url == nullptr || *url == '\0') return;
  for (const char* p = url; *p; ++p) {
    if (static_cast<unsigned char>(*p) > 0x7e || static_cast<unsigned char>(*p) < 0x20) return;
  }
  platform::OpenWithDesktop(url);
}

}  // namespace brek
