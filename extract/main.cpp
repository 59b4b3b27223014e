// d88cut: cuts a music driver, its voice data and twelve songs out of the
// first disk of a D88 image into DRIVER, VOICE and MUS00 to MUS11.
#include <cstdlib>

#include "d88/d88_image.h"
#include "extract/console.h"
#include "extract/cut_table.h"
#include "extract/extraction.h"

namespace {

// The process's one reader; its destruction at exit closes the image file.
d88::D88Image image;

}  // namespace

int main(int argc, char** argv) {
  extract::UseBinaryConsole();
  if (argc != 2) {
    extract::PrintUsage(argc > 0 ? argv[0] : nullptr, "d88cut");
    return EXIT_FAILURE;
  }
  if (!image.Open(argv[1])) {
    extract::PrintOpenError();
    return EXIT_FAILURE;
  }
  // When this fails, every read finds nothing and no file is cut.
  image.SelectDisk(0);
  image.SetSectorRange(extract::kFirstSector, extract::kLastSector);
  return extract::ExtractAll(image, argv[1]) ? EXIT_SUCCESS : EXIT_FAILURE;
}
