// libFuzzer target: arbitrary bytes as a D88 image, through every reader
// operation. The last bytes of the input choose the operations' arguments;
// the whole input is the image.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "d88/d88_image.h"
#include "fuzz/scratch_image.h"

namespace {

// Reads every track's IDs, and each listed sector with the given limit.
void ReadEveryTrack(d88::D88Image& image, int limit) {
  std::vector<std::uint8_t> ids(1024), dest(65536);
  for (int track = -1; track <= d88::kTrackCount; ++track) {
    const int listed = image.ReadTrackIds(track, ids.data(), static_cast<int>(ids.size()));
    const auto count = static_cast<std::size_t>(std::clamp(listed, 0, 64));
    for (std::size_t i = 0; i + 4 <= count; i += 4) {
      const int got =
          image.ReadSector(track, ids[i], ids[i + 1], ids[i + 2], ids[i + 3], dest.data(), limit);
      if (got < 0 || got > limit) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider choose(data, size);
  d88::D88Image image;
  if (!image.Open(WriteScratchImage(data, size))) std::abort();

  image.SelectDisk(choose.ConsumeIntegralInRange(-1, d88::kMaxDisks + 1));
  ReadEveryTrack(image, choose.ConsumeIntegralInRange(0, 65536));
  image.SelectDisk(0);
  ReadEveryTrack(image, 256);

  image.SetSectorRange(choose.ConsumeIntegralInRange(-1, 20),
                       choose.ConsumeIntegralInRange(-1, 20));
  std::vector<std::uint8_t> dest(16384);
  for (int run = 0; run < 4; ++run) {
    const int track = choose.ConsumeIntegralInRange(-1, d88::kTrackCount);
    const int total = choose.ConsumeIntegralInRange(-1, static_cast<int>(dest.size()));
    const int r = choose.ConsumeIntegralInRange(-1, 20), n = choose.ConsumeIntegralInRange(-1, 25);
    const int got = image.ReadSectorRun(track, d88::CylinderOf(track), d88::HeadOf(track), r, n,
                                        dest.data(), total);
    if (got < 0 || got > std::max(total, 0)) std::abort();
  }
  image.Open(nullptr);
  return 0;
}
