// Showing a web page in the user's browser.
#pragma once

namespace brek {

// Hands `url` (ASCII) to the desktop's opener; every failure is silent.
void OpenURL(const char* url);

}  // namespace brek
