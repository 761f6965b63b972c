// An event: a class, a kind and typed parameters, each a named, typed block of bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/status.h"

namespace platform {

class Event {
 public:
  Event(uint32_t eventClass, uint32_t kind) : class_(eventClass), kind_(kind) {}

  uint32_t eventClass() const { return class_; }
  uint32_t kind() const { return kind_; }

  // Stores (or replaces) parameter `name` of `type` with `size` bytes from `data`.
  OSStatus SetParameter(uint32_t name, uint32_t type, size_t size, const void* data);

  // Copies parameter `name` into `out`. eventParameterNotFoundErr when it is missing or has
  // another type; paramErr when its size is not `size`.
  OSStatus GetParameter(uint32_t name, uint32_t type, size_t size, void* out) const;

 private:
  struct Parameter {
    uint32_t name;
    uint32_t type;
    std::vector<unsigned char> bytes;
  };
  uint32_t class_;
  uint32_t kind_;
  std::vector<Parameter> parameters_;
};

using EventRef = Event*;

// A new event, owned by the caller until it is posted.
std::unique_ptr<Event> CreateEvent(uint32_t eventClass, uint32_t kind);

}  // namespace platform
