// d88ls: lists the disks and tracks of a D88 image, and what d88cut would cut
// from it, without writing anything.
#include <cstdio>
#include <cstdlib>

#include "d88/d88_image.h"
#include "extract/arguments.h"
#include "extract/console.h"
#include "list/cut_verdicts.h"
#include "list/disk_listing.h"

int main(int argc, char** argv) {
  extract::UseBinaryConsole();
  const auto args = extract::Utf8Arguments(argc, argv);
  if (args.size() != 2) {
    extract::PrintUsage(args.empty() ? nullptr : args[0].c_str(), "d88ls");
    return EXIT_FAILURE;
  }
  d88::D88Image image;
  if (!image.Open(args[1].c_str())) {
    extract::PrintOpenError();
    return EXIT_FAILURE;
  }
  std::fputs(list::ListDisks(image).c_str(), stdout);
  std::fputs(list::JudgeCuts(image).c_str(), stdout);
  return EXIT_SUCCESS;
}
