#include "platform/CurrentError.h"

#include <utility>

namespace {
struct ErrorRecord {
  std::int32_t number = 0;
  std::string description;
};
thread_local ErrorRecord tlsError;
}  // namespace

void CurrentError::Raise(std::int32_t number, std::string description) {
  tlsError.number = number;
  tlsError.description = std::move(description);
}

void CurrentError::Clear() {
  tlsError.number = 0;
  tlsError.description.clear();
}

std::int32_t CurrentError::Number() { return tlsError.number; }

const std::string& CurrentError::Description() { return tlsError.description; }
