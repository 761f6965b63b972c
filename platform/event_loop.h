// The main event queue, event targets with their handlers, and the application event loop.
//
// One queue per program. Any thread may post to it; everything else here is for the main thread.
// A posted event is sent to the focus target (the application target unless a window took the
// focus). Sending an event calls the handlers of the target, newest first, then those of its
// parent; a handler that returns eventNotHandledErr passes the event on, and an event no handler
// took gets the standard handling: the quit event, the quit command and the quit message end the
// event loop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/event.h"
#include "platform/status.h"

namespace platform {

struct EventHandlerCall;
struct EventTarget;
struct InstalledHandler;
using EventHandlerCallRef = EventHandlerCall*;
using EventTargetRef = EventTarget*;
using EventHandlerRef = InstalledHandler*;
using EventHandlerProcPtr = OSStatus (*)(EventHandlerCallRef, EventRef, void* userData);
using EventHandlerUPP = EventHandlerProcPtr;

struct EventTypeSpec {
  uint32_t eventClass;
  uint32_t eventKind;
};

inline EventHandlerUPP NewEventHandlerUPP(EventHandlerProcPtr proc) { return proc; }
inline void DisposeEventHandlerUPP(EventHandlerUPP) {}

EventTargetRef GetApplicationEventTarget();
// A target whose unhandled events go on to `parent` (windows use the application target).
EventTargetRef CreateEventTarget(EventTargetRef parent);
// Removes the target's handlers; the target must not be used afterwards.
void DisposeEventTarget(EventTargetRef target);
void SetUserFocusTarget(EventTargetRef target);  // nullptr: the application target
EventTargetRef GetUserFocusTarget();            // where posted events and commands go

OSStatus InstallEventHandler(EventTargetRef target, EventHandlerUPP handler, size_t typeCount,
                             const EventTypeSpec* types, void* userData, EventHandlerRef* outRef);
OSStatus RemoveEventHandler(EventHandlerRef handler);

// Delivers `event` through `target`'s handler chain and the standard handling; returns the
// result of the handler that took it, or eventNotHandledErr.
OSStatus SendEventToEventTarget(EventRef event, EventTargetRef target);

// Posting. Thread-safe.
struct EventQueue;
using EventQueueRef = EventQueue*;
EventQueueRef GetMainEventQueue();
OSStatus PostEventToQueue(EventQueueRef queue, std::unique_ptr<Event> event, int16_t priority);

// Runs the loop on the main thread until it is told to quit. The first run registers the
// program (its signature, for processes and messages) from its bundle.
void RunApplicationEventLoop();
void QuitApplicationEventLoop();

// File descriptors the loop watches beside its queue; `ready` is called on the main thread when
// `fd` is readable. Used by the messages and processes modules.
using LoopSourceProc = void (*)(int fd, void* context);
void AddLoopSource(int fd, LoopSourceProc ready, void* context);
void RemoveLoopSource(int fd);

// For a loop driven by another toolkit (the GUI): the descriptor that becomes readable when
// events are queued, a call that handles every queued event and ready source, and whether a
// quit was requested. `timeoutMs` 0 never waits.
int MainQueueDescriptor();
void ProcessPendingEvents(int timeoutMs);
bool QuitRequested();
void ClearQuitRequest();
std::vector<int> LoopSourceDescriptors();

// Another toolkit's loop in place of the poll loop: `run` runs it (RunApplicationEventLoop
// calls it between registering and unregistering the program), `quit` ends it, and
// `sourcesChanged` is told when a loop source was added or removed. nullptr restores the poll
// loop.
struct LoopDriver {
  void (*run)();
  void (*quit)();
  void (*sourcesChanged)();
};
void SetLoopDriver(const LoopDriver* driver);

// Standard handling beyond the quit: called for an event no handler took and the built-in
// handling left; returns eventNotHandledErr for events it leaves too.
using StandardHandlerProc = OSStatus (*)(EventRef event);
void SetStandardHandler(StandardHandlerProc handler);

}  // namespace platform
