// The fuzzed bytes as an image file: one scratch file per fuzzing process,
// in memory where the system has it.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

inline const char* WriteScratchImage(const std::uint8_t* data, std::size_t size) {
  static const std::string path =
      (access("/dev/shm", W_OK) == 0 ? "/dev/shm/d88fuzz-" : "/tmp/d88fuzz-") +
      std::to_string(getpid());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path.c_str();
}
