#include "extract/cut_reading.h"

namespace extract {

bool OpenForCutting(d88::D88Image& image, const char* path, std::error_code& error) {
  if (!image.Open(path, error)) return false;
  // When this fails, every read finds nothing and no file is cut.
  image.SelectDisk(0);
  image.SetSectorRange(kFirstSector, kLastSector);
  return true;
}

}  // namespace extract
