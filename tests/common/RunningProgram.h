#pragma once
// A program that runs for the length of one test: natively an entry in the stand-in's
// process table, under Wine a real program started suspended.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class RunningProgram {
 public:
  virtual ~RunningProgram() = default;
  virtual std::uint32_t Id() const = 0;
  virtual std::string ImagePath() const = 0;  // as the system names it
};

// A program whose image path has exactly `pathLength` characters (any when 0); nothing
// when it cannot be started.
std::unique_ptr<RunningProgram> StartProgram(std::size_t pathLength = 0);
