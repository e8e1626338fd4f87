#pragma once
// A program that runs for the length of one test: natively an entry in the stand-in's
// process table, under Wine a real program started suspended.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct RunningProgram {
  std::uint32_t id = 0;
  std::string imagePath;  // as the system names it
  std::shared_ptr<void> life;  // ends the program when the last copy goes
};

// A program whose image path has exactly `pathLength` characters (any when 0), if it starts.
std::optional<RunningProgram> StartProgram(std::size_t pathLength = 0);
