// Result codes of the platform layer. 0 is success; the values are those the programs rely on.
#pragma once

#include <cstdint>

namespace platform {

using OSStatus = int32_t;

constexpr OSStatus noErr = 0;
constexpr OSStatus paramErr = -50;
constexpr OSStatus procNotFound = -600;
constexpr OSStatus errAENoSuchObject = -1728;
constexpr OSStatus errOSAInvalidID = -1751;
constexpr OSStatus errOSAScriptError = -2700;
constexpr OSStatus errOSASyntaxError = -2740;
constexpr OSStatus eventParameterNotFoundErr = -9870;
constexpr OSStatus eventNotHandledErr = -9874;
constexpr OSStatus eventLoopQuitErr = -9876;

}  // namespace platform
