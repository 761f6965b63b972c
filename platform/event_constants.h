// Event classes, kinds, parameter names and parameter types shared by both programs.
#pragma once

#include "platform/four_cc.h"

namespace platform {

// Classes and kinds.
constexpr uint32_t kEventClassApplication = FourCC("appl");
constexpr uint32_t kEventAppQuit = 3;
constexpr uint32_t kEventAppTerminated = 6;
constexpr uint32_t kEventClassAppleEvent = FourCC("eppc");
constexpr uint32_t kEventAppleEvent = 1;
constexpr uint32_t kEventClassCommand = FourCC("cmds");
constexpr uint32_t kEventCommandProcess = 1;
constexpr uint32_t kEventCommandUpdateStatus = 2;
constexpr uint32_t kEventClassWindow = FourCC("wind");
constexpr uint32_t kEventWindowClose = 72;

// Parameter names.
constexpr uint32_t kEventParamDirectObject = FourCC("----");
constexpr uint32_t kEventParamProcessID = FourCC("psn ");
constexpr uint32_t kEventParamAEEventClass = FourCC("evcl");
constexpr uint32_t kEventParamAEEventID = FourCC("evti");

// Parameter types.
constexpr uint32_t typeProcessSerialNumber = FourCC("psn ");
constexpr uint32_t typeType = FourCC("type");
constexpr uint32_t typeHICommand = FourCC("hcmd");
constexpr uint32_t typeWindowRef = FourCC("wind");

// Commands and messages with standard meanings.
constexpr uint32_t kHICommandQuit = FourCC("quit");
constexpr uint32_t kCoreEventClass = FourCC("aevt");
constexpr uint32_t kAEQuitApplication = FourCC("quit");

constexpr int32_t kEventPriorityStandard = 1;

}  // namespace platform
