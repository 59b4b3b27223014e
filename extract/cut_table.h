// Where the music disk keeps its files: fixed runs of 256-byte sectors, cut
// in a fixed order. Nothing is looked up on the disk.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "d88/d88_format.h"

namespace extract {

// Every track side of the music disk numbers its sectors 1 to 16.
inline constexpr int kFirstSector = 1;
inline constexpr int kLastSector = 16;
// Size code N of every sector cut: 128 << 1 = 256 bytes.
inline constexpr int kSizeCode = 1;

// A run on the disk: track index (cylinder * 2 + head), first sector R, and
// its length in bytes.
struct TrackLocation {
  std::int32_t track;
  std::int32_t first_sector;
  std::int32_t length;
};

// The twelve songs, MUS00 to MUS11, ending at the first row with sector 0.
// Runs may overlap: MUS05 covers the sectors of MUS06 to MUS10.
inline constexpr std::array<TrackLocation, 13> MusicTable = {{
    {15, 5, 1792},
    {15, 12, 1280},
    {16, 1, 768},
    {16, 4, 1792},
    {16, 11, 512},
    {16, 13, 2048},
    {16, 14, 256},
    {16, 15, 256},
    {17, 1, 256},
    {17, 2, 256},
    {17, 4, 256},
    {17, 5, 4864},
    {0, 0, 0},
}};

// The driver and its voice data, cut before the songs.
inline constexpr TrackLocation kDriver = {17, 14, 3328};  // goes on onto track 18
inline constexpr TrackLocation kVoice = {15, 2, 768};

// One output file and the run it is cut from.
struct Cut {
  std::string name;
  int track;
  int cylinder;
  int head;
  int first_sector;
  int length;
};

// DRIVER, VOICE, then MUS00 onwards: every file in the order it is cut.
std::vector<Cut> CuttingOrder();

// A run writes each file under a temporary name first and then renames it:
// "<name>.d88cut-<process id>-<counter>".
std::string TemporaryName(const std::string& name, int process, int counter);
// The name in front of a temporary name ("DRIVER" for
// "DRIVER.d88cut-29528-0"); empty for a name of any other form.
std::string_view TemporaryOf(std::string_view name);

}  // namespace extract
