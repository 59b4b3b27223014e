// libFuzzer target: arbitrary bytes as a D88 image, listed and judged as
// d88ls does, with the lines dropped.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "d88/d88_image.h"
#include "fuzz/scratch_image.h"
#include "list/cut_verdicts.h"
#include "list/disk_listing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  d88::D88Image image;
  if (!image.Open(WriteScratchImage(data, size))) std::abort();
  const list::LineSink drop = [](const std::string& line) {
    if (line.empty() || line.back() != '\n') std::abort();  // every line is whole
    return true;
  };
  list::ListDisks(image, drop);
  list::JudgeCuts(image, drop);
  return 0;
}
