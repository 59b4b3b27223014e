#include "d88/record_flags.h"

#include <cstdio>
#include <string_view>

#include "d88/d88_format.h"

namespace d88 {

namespace {

struct Status {
  int code;
  std::string_view name;   // on a track line
  std::string_view since;  // in a cut's verdict, after "was read "
};
constexpr Status kStatuses[] = {
    {kStatusDeletedData, "deleted data", "as deleted data"},
    {kStatusIdCrcError, "ID CRC error", "with an ID CRC error"},
    {kStatusDataCrcError, "data CRC error", "with a data CRC error"},
    {kStatusNoAddressMark, "no address mark", "with no address mark"},
    {kStatusNoDataMark, "no data mark", "with no data mark"},
};

const Status* KnownStatus(int code) {
  for (const Status& status : kStatuses) {
    if (status.code == code) return &status;
  }
  return nullptr;
}

std::string DeletedMark(int mark) {
  return mark == kDeletedMark ? "deleted mark" : "deleted mark " + Hex(mark);
}

void Append(std::string& text, std::string_view separator, const std::string& part) {
  if (!text.empty()) text += separator;
  text += part;
}

}  // namespace

std::string Hex(std::int64_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
  return text;
}

std::string MediaTypeName(int media_type) {
  switch (media_type) {
    case kMedia2D:
      return "2D";
    case kMedia2DD:
      return "2DD";
    case kMedia2HD:
      return "2HD";
    case kMedia1D:
      return "1D";
    case kMedia1DD:
      return "1DD";
    default:
      return Hex(media_type);
  }
}

std::string WriteProtectName(int write_protect) {
  if (write_protect == 0) return "";
  return write_protect == kWriteProtected ? "write-protected"
                                          : "write-protect byte " + Hex(write_protect);
}

bool HasUnusualFlags(const SectorRecordHeader& record) {
  return record.density != kDoubleDensity || record.deleted_mark != 0 ||
         record.status != kStatusNormal;
}

std::string UnusualFlags(const SectorRecordHeader& record) {
  std::string text;
  if (record.density == kSingleDensity) {
    text = "single density";
  } else if (record.density == kHighDensity) {
    text = "high density";
  } else if (record.density != kDoubleDensity) {
    text = "density " + Hex(record.density);
  }
  if (record.deleted_mark != 0) Append(text, ", ", DeletedMark(record.deleted_mark));
  if (record.status != kStatusNormal) {
    const Status* known = KnownStatus(record.status);
    Append(text, ", ", known ? std::string(known->name) : "status " + Hex(record.status));
  }
  return text;
}

bool ReadWithError(const SectorRecordHeader& record) {
  return record.status != kStatusNormal && record.status != kStatusDeletedData;
}

bool HasReadingNote(const SectorRecordHeader& record) {
  return record.deleted_mark != 0 || record.status != kStatusNormal;
}

std::string ReadingNote(const SectorRecordHeader& record) {
  std::string text;
  if (record.deleted_mark != 0) text = "carries a " + DeletedMark(record.deleted_mark);
  if (record.status != kStatusNormal) {
    const Status* known = KnownStatus(record.status);
    Append(text, " and ",
           "was read " + (known ? std::string(known->since) : "with status " + Hex(record.status)));
  }
  return text;
}

}  // namespace d88
