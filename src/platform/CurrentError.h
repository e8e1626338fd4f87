#pragma once
// The thread's current-error record: a number (0 for none) and a description.
// Failing steps raise into it and carry on; only callers that must know clear it
// before a step and test it after. Raising never unwinds the caller.
#include <cstdint>
#include <string>

class CurrentError {
 public:
  static void Raise(std::int32_t number, std::string description);
  static void Clear();
  static std::int32_t Number();
  static const std::string& Description();
  static bool IsSet() { return Number() != 0; }
};

// Error numbers of the program's own (not system) failures.
namespace ErrorNumber {
inline constexpr std::int32_t SubscriptOutOfRange = 9;
inline constexpr std::int32_t KeyNotFound = 35601;  // list lookup by a key that no row has
inline constexpr std::int32_t KeyNotUnique = 35602;  // adding a key that is already present
inline constexpr std::int32_t InvalidProperty = 380;  // a value the control refuses
inline constexpr std::int32_t NoCurrentObject = 91;  // acting on a row that is not there
}  // namespace ErrorNumber
