// libFuzzer target: arbitrary bytes as a D88 image, through every reader
// operation. The last bytes of the input choose the operations' arguments;
// the whole input is the image.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "d88/d88_image.h"

namespace {

constexpr int kMaxTotal = 16384;
constexpr int kIdsLimit = 1024;

// One scratch file for every input, in memory where the system has it.
const std::string& ImagePath() {
  static const std::string path = [] {
    std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    pattern += "/d88fuzz-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) std::abort();
    close(fd);
    return pattern;
  }();
  return path;
}

void WriteImage(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(ImagePath().c_str(), "wb");
  if (file == nullptr) std::abort();
  std::fwrite(data, 1, size, file);
  std::fclose(file);
}

// Reads every track's IDs, and each listed sector with the given limit.
void ReadEveryTrack(d88::D88Image& image, int limit) {
  std::vector<std::uint8_t> ids(kIdsLimit);
  std::vector<std::uint8_t> dest(65536);
  for (int track = -1; track <= d88::kTrackCount; ++track) {
    const int listed = image.ReadTrackIds(track, ids.data(), kIdsLimit);
    for (int i = 0; i + 4 <= listed && i < 64; i += 4) {
      const int got =
          image.ReadSector(track, ids[i], ids[i + 1], ids[i + 2], ids[i + 3], dest.data(), limit);
      if (got < 0 || got > limit) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WriteImage(data, size);
  FuzzedDataProvider choose(data, size);
  d88::D88Image image;
  if (!image.Open(ImagePath().c_str())) std::abort();
  if (image.DiskCount() < 0 || image.DiskCount() > d88::kMaxDisks) std::abort();

  image.SelectDisk(choose.ConsumeIntegralInRange(-1, d88::kMaxDisks + 1));
  ReadEveryTrack(image, choose.ConsumeIntegralInRange(0, 65536));
  image.SelectDisk(0);
  ReadEveryTrack(image, 256);

  image.SetSectorRange(choose.ConsumeIntegralInRange(-1, 20), choose.ConsumeIntegralInRange(-1, 20));
  std::vector<std::uint8_t> dest(kMaxTotal);
  for (int run = 0; run < 4; ++run) {
    const int track = choose.ConsumeIntegralInRange(-1, d88::kTrackCount);
    const int total = choose.ConsumeIntegralInRange(-1, kMaxTotal);
    const int got = image.ReadSectorRun(track, track >> 1, track & 1,
                                        choose.ConsumeIntegralInRange(-1, 20),
                                        choose.ConsumeIntegralInRange(-1, 25), dest.data(), total);
    if (got < 0 || got > std::max(total, 0)) std::abort();
  }
  image.Open(nullptr);
  return 0;
}
