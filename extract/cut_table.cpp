#include "extract/cut_table.h"

#include <cstdio>

namespace extract {

namespace {

Cut MakeCut(std::string name, const TrackLocation& location) {
  return {std::move(name),    location.track,        location.track >> 1,
          location.track & 1, location.first_sector, location.length};
}

}  // namespace

std::vector<Cut> CuttingOrder() {
  std::vector<Cut> cuts = {MakeCut("DRIVER", kDriver), MakeCut("VOICE", kVoice)};
  for (int i = 0; MusicTable[i].first_sector != 0; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "MUS%02d", i);
    cuts.push_back(MakeCut(name, MusicTable[i]));
  }
  return cuts;
}

}  // namespace extract
