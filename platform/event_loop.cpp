#include "platform/event_loop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <mutex>
#include <set>
#include <vector>

#include "platform/application.h"
#include "platform/event_constants.h"
#include "platform/hi_command.h"

namespace platform {

struct InstalledHandler {
  EventTargetRef target;
  EventHandlerUPP proc;
  std::vector<EventTypeSpec> types;
  void* userData;
  bool removed = false;

  bool Wants(const Event& event) const {
    return std::any_of(types.begin(), types.end(), [&](const EventTypeSpec& t) {
      return t.eventClass == event.eventClass() && t.eventKind == event.kind();
    });
  }
};

struct EventTarget {
  EventTargetRef parent;
  std::vector<std::shared_ptr<InstalledHandler>> handlers;  // in installation order
};

struct EventHandlerCall {};

struct EventQueue {
  std::mutex lock;
  std::deque<std::unique_ptr<Event>> events;
  int wakeFd = -1;
};

namespace {

struct LoopSource {
  int fd;
  LoopSourceProc ready;
  void* context;
};

struct LoopState {
  EventTarget applicationTarget{nullptr, {}};
  EventTargetRef focus = nullptr;
  EventQueue queue;
  std::vector<LoopSource> sources;
  std::set<EventHandlerRef> installed;  // a stale or doubled Remove is refused, never a crash
  bool quit = false;
  const LoopDriver* driver = nullptr;
  StandardHandlerProc standardHandler = nullptr;
};

LoopState& State() {
  static LoopState* state = [] {
    auto* s = new LoopState;  // lives for the whole process: posts may come until exit
    s->queue.wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    return s;
  }();
  return *state;
}

OSStatus StandardHandling(EventRef event) {
  const uint32_t cls = event->eventClass();
  const uint32_t kind = event->kind();
  if (cls == kEventClassApplication && kind == kEventAppQuit) {
    QuitApplicationEventLoop();
    return noErr;
  }
  if (cls == kEventClassCommand && kind == kEventCommandProcess) {
    HICommand command{};
    if (event->GetParameter(kEventParamDirectObject, typeHICommand, sizeof command, &command) ==
            noErr &&
        command.commandID == kHICommandQuit) {
      QuitApplicationEventLoop();
      return noErr;
    }
  }
  if (cls == kEventClassAppleEvent && kind == kEventAppleEvent) {
    uint32_t aeClass = 0, aeID = 0;
    if (event->GetParameter(kEventParamAEEventClass, typeType, 4, &aeClass) == noErr &&
        event->GetParameter(kEventParamAEEventID, typeType, 4, &aeID) == noErr &&
        aeClass == kCoreEventClass && aeID == kAEQuitApplication) {
      QuitApplicationEventLoop();
      return noErr;
    }
  }
  if (State().standardHandler != nullptr) return State().standardHandler(event);
  return eventNotHandledErr;
}

void DrainWakeFd() {
  uint64_t count = 0;
  while (read(State().queue.wakeFd, &count, sizeof count) == sizeof count) {
  }
}

void DispatchQueued() {
  LoopState& state = State();
  DrainWakeFd();
  for (;;) {
    std::unique_ptr<Event> event;
    {
      std::lock_guard<std::mutex> guard(state.queue.lock);
      if (state.queue.events.empty()) return;
      event = std::move(state.queue.events.front());
      state.queue.events.pop_front();
    }
    SendEventToEventTarget(event.get(), GetUserFocusTarget());
    if (state.quit) {
      // Leave the rest for a later run of the loop, and keep it woken for them.
      std::lock_guard<std::mutex> guard(state.queue.lock);
      const uint64_t one = 1;
      if (!state.queue.events.empty() && write(state.queue.wakeFd, &one, sizeof one) < 0) {
        // Nothing more to do: the next post wakes the loop anyway.
      }
      return;
    }
  }
}

}  // namespace

EventTargetRef GetApplicationEventTarget() { return &State().applicationTarget; }

EventTargetRef CreateEventTarget(EventTargetRef parent) {
  return new EventTarget{parent ? parent : GetApplicationEventTarget(), {}};
}

void DisposeEventTarget(EventTargetRef target) {
  if (target == nullptr || target == GetApplicationEventTarget()) return;
  if (State().focus == target) State().focus = nullptr;
  for (auto& handler : target->handlers) {
    handler->removed = true;
    State().installed.erase(handler.get());
  }
  delete target;
}

void SetUserFocusTarget(EventTargetRef target) { State().focus = target; }

EventTargetRef GetUserFocusTarget() {
  return State().focus ? State().focus : &State().applicationTarget;
}

OSStatus InstallEventHandler(EventTargetRef target, EventHandlerUPP handler, size_t typeCount,
                             const EventTypeSpec* types, void* userData, EventHandlerRef* outRef) {
  if (target == nullptr || handler == nullptr || (typeCount > 0 && types == nullptr)) {
    return paramErr;
  }
  auto installed = std::make_shared<InstalledHandler>(
      InstalledHandler{target, handler, std::vector<EventTypeSpec>(types, types + typeCount),
                       userData});
  target->handlers.push_back(installed);
  State().installed.insert(installed.get());
  if (outRef) *outRef = installed.get();
  return noErr;
}

OSStatus RemoveEventHandler(EventHandlerRef handler) {
  if (State().installed.erase(handler) == 0) return paramErr;
  auto& handlers = handler->target->handlers;
  auto it = std::find_if(handlers.begin(), handlers.end(),
                         [&](const auto& h) { return h.get() == handler; });
  if (it == handlers.end()) return paramErr;
  handler->removed = true;  // a dispatch under way holds its own reference
  handlers.erase(it);
  return noErr;
}

OSStatus SendEventToEventTarget(EventRef event, EventTargetRef target) {
  if (event == nullptr) return paramErr;
  EventHandlerCall call;
  for (EventTargetRef t = target; t != nullptr; t = t->parent) {
    // A copy, so that handlers may install or remove handlers while the event travels.
    std::vector<std::shared_ptr<InstalledHandler>> handlers(t->handlers.rbegin(),
                                                             t->handlers.rend());
    for (const auto& handler : handlers) {
      if (handler->removed || !handler->Wants(*event)) continue;
      OSStatus result = handler->proc(&call, event, handler->userData);
      if (result != eventNotHandledErr) return result;
    }
  }
  return StandardHandling(event);
}

EventQueueRef GetMainEventQueue() { return &State().queue; }

OSStatus PostEventToQueue(EventQueueRef queue, std::unique_ptr<Event> event, int16_t) {
  if (queue == nullptr || event == nullptr) return paramErr;
  {
    std::lock_guard<std::mutex> guard(queue->lock);
    queue->events.push_back(std::move(event));
  }
  const uint64_t one = 1;
  if (write(queue->wakeFd, &one, sizeof one) != sizeof one && errno != EAGAIN) return errno;
  return noErr;
}

void QuitApplicationEventLoop() {
  State().quit = true;
  if (State().driver != nullptr) State().driver->quit();
}
bool QuitRequested() { return State().quit; }
void ClearQuitRequest() { State().quit = false; }
int MainQueueDescriptor() { return State().queue.wakeFd; }

void AddLoopSource(int fd, LoopSourceProc ready, void* context) {
  RemoveLoopSource(fd);
  State().sources.push_back(LoopSource{fd, ready, context});
  if (State().driver != nullptr) State().driver->sourcesChanged();
}

void RemoveLoopSource(int fd) {
  auto& sources = State().sources;
  sources.erase(std::remove_if(sources.begin(), sources.end(),
                               [fd](const LoopSource& s) { return s.fd == fd; }),
                sources.end());
  if (State().driver != nullptr) State().driver->sourcesChanged();
}

std::vector<int> LoopSourceDescriptors() {
  std::vector<int> fds;
  for (const auto& source : State().sources) fds.push_back(source.fd);
  return fds;
}

void SetLoopDriver(const LoopDriver* driver) { State().driver = driver; }
void SetStandardHandler(StandardHandlerProc handler) { State().standardHandler = handler; }

void ProcessPendingEvents(int timeoutMs) {
  LoopState& state = State();
  std::vector<pollfd> fds;
  fds.push_back(pollfd{state.queue.wakeFd, POLLIN, 0});
  for (const auto& source : state.sources) fds.push_back(pollfd{source.fd, POLLIN, 0});
  int ready = poll(fds.data(), fds.size(), timeoutMs);
  if (ready <= 0) return;
  // Sources first: a message that arrives with a queued quit is still seen.
  std::vector<LoopSource> sources = state.sources;
  for (size_t i = 1; i < fds.size(); ++i) {
    if (fds[i].revents == 0) continue;
    const LoopSource& source = sources[i - 1];
    auto& current = state.sources;
    bool stillWatched = std::any_of(current.begin(), current.end(),
                                    [&](const LoopSource& s) { return s.fd == source.fd; });
    if (stillWatched) source.ready(source.fd, source.context);
  }
  DispatchQueued();
}

void RunApplicationEventLoop() {
  RegisterApplication();
  ClearQuitRequest();
  if (State().driver != nullptr) {
    State().driver->run();
  } else {
    while (!QuitRequested()) ProcessPendingEvents(-1);
  }
  UnregisterApplication();
}

}  // namespace platform
