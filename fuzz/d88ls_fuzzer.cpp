// libFuzzer target: arbitrary bytes as a D88 image, listed, judged and
// checked as d88ls does, with the lines dropped; in English or in Japanese,
// as the image's size is even or odd.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "d88/d88_image.h"
#include "fuzz/scratch_image.h"
#include "list/cut_verdicts.h"
#include "list/disk_listing.h"
#include "list/image_check.h"
#include "words/catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  words::Choose(size % 2 == 0 ? words::Language::kEnglish : words::Language::kJapanese);
  d88::D88Image image;
  const std::string path = WriteScratchImage(data, size);
  const list::LineSink drop = [](const std::string& line) {
    if (line.empty() || line.back() != '\n') std::abort();  // every line is whole
    return true;
  };
  std::error_code error;
  const auto cuts = list::ReadCuts(image, path, error);
  if (!cuts || !image.Open(path.c_str())) std::abort();
  list::ListDisks(image, *cuts, drop);
  list::JudgeCuts(image, path, *cuts, drop, error);
  bool whole;
  if (list::CheckVerdict(*cuts, whole).empty()) std::abort();
  return 0;
}
