// read_run: one ReadSectorRun of the DRIVER run (3,328 bytes from track 17,
// sector 14), for measuring the reader alone under callgrind and strace.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "d88/d88_image.h"

int main(int argc, char** argv) {
  if (argc != 2) return 1;
  d88::D88Image image;
  if (!image.Open(argv[1]) || !image.SelectDisk(0)) return 1;
  std::vector<std::uint8_t> dest(3328);
  const int got = image.ReadSectorRun(17, 8, 1, 14, 1, dest.data(), 3328);
  std::printf("%d\n", got);
  return got == 3328 ? 0 : 1;
}
