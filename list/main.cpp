// d88ls: lists the disks and tracks of a D88 image, and what d88cut would cut
// from it, without writing anything.
#include <cstdio>
#include <cstdlib>

#include "d88/d88_image.h"
#include "extract/console.h"
#include "list/cut_verdicts.h"
#include "list/disk_listing.h"

int main(int argc, char** argv) {
  extract::UseBinaryConsole();
  if (argc != 2) {
    extract::PrintUsage(argc > 0 ? argv[0] : nullptr, "d88ls");
    return EXIT_FAILURE;
  }
  d88::D88Image image;
  if (!image.Open(argv[1])) {
    extract::PrintOpenError();
    return EXIT_FAILURE;
  }
  std::fputs(list::ListDisks(image).c_str(), stdout);
  std::fputs(list::JudgeCuts(image).c_str(), stdout);
  return EXIT_SUCCESS;
}
