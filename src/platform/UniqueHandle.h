#pragma once
// A move-only owner of one system handle, closed once by the object that holds it.
// Each kind of handle is one line: a traits type naming the value type, the value that
// means "no handle" and the call that releases it (ClosedBy below writes that line for
// a handle closed by one function).
#include <utility>

namespace platform {

template <typename Traits>
class UniqueHandle {
 public:
  using Value = typename Traits::Value;

  UniqueHandle() = default;
  explicit UniqueHandle(Value value) : value_(value) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Value Get() const { return value_; }
  explicit operator bool() const { return value_ != Traits::kNone; }

  // Gives up ownership without closing.
  Value Release() { return std::exchange(value_, Traits::kNone); }

  // Closes what is held (if anything) and takes `value` instead.
  void Reset(Value value = Traits::kNone) {
    Value old = std::exchange(value_, value);
    if (old != Traits::kNone) Traits::Close(old);
  }

  // For calls that hand a new handle back through a pointer: closes what is held and
  // gives the slot to fill.
  Value* Receive() {
    Reset();
    return &value_;
  }

 private:
  Value value_ = Traits::kNone;
};

// The traits of a handle kind that one function closes, "no handle" being `None`:
//   using RegistryKey = UniqueHandle<ClosedBy<RegKey, &CloseOpenedKey>>;
template <typename Handle, auto CloseFunction, Handle None = Handle{}>
struct ClosedBy {
  using Value = Handle;
  static constexpr Value kNone = None;
  static void Close(Value value) { CloseFunction(value); }
};

}  // namespace platform
