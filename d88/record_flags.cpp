#include "d88/record_flags.h"

#include <cstdio>
#include <string_view>

#include "d88/d88_format.h"
#include "words/catalogue.h"

namespace d88 {

namespace {

struct Status {
  int code;
  words::Id name;  // on a track line: "data CRC error"
  words::Id read;  // in a cut's verdict: "was read with a data CRC error"
};
constexpr Status kStatuses[] = {
    {kStatusDeletedData, words::kFlagDeletedData, words::kReadAsDeletedData},
    {kStatusIdCrcError, words::kFlagIdCrcError, words::kReadWithIdCrcError},
    {kStatusDataCrcError, words::kFlagDataCrcError, words::kReadWithDataCrcError},
    {kStatusNoAddressMark, words::kFlagNoAddressMark, words::kReadWithNoAddressMark},
    {kStatusNoDataMark, words::kFlagNoDataMark, words::kReadWithNoDataMark},
};

const Status* KnownStatus(int code) {
  for (const Status& status : kStatuses) {
    if (status.code == code) return &status;
  }
  return nullptr;
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
  return write_protect == kWriteProtected
             ? words::Say(words::kWriteProtected)
             : words::Say(words::kWriteProtectByte, {Hex(write_protect)});
}

bool HasUnusualFlags(const SectorRecordHeader& record) {
  return record.density != kDoubleDensity || record.deleted_mark != 0 ||
         record.status != kStatusNormal;
}

std::string UnusualFlags(const SectorRecordHeader& record) {
  std::string text;
  if (record.density == kSingleDensity) {
    text = words::Say(words::kSingleDensity);
  } else if (record.density == kHighDensity) {
    text = words::Say(words::kHighDensity);
  } else if (record.density != kDoubleDensity) {
    text = words::Say(words::kDensityByte, {Hex(record.density)});
  }
  if (record.deleted_mark != 0) {
    text = words::Listed(text,
                         record.deleted_mark == kDeletedMark
                             ? words::Say(words::kFlagDeletedMark)
                             : words::Say(words::kFlagDeletedMarkByte, {Hex(record.deleted_mark)}));
  }
  if (record.status != kStatusNormal) {
    const Status* known = KnownStatus(record.status);
    text = words::Listed(text, known ? words::Say(known->name)
                                     : words::Say(words::kFlagStatusByte, {Hex(record.status)}));
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
  std::string mark;
  if (record.deleted_mark != 0) {
    mark = record.deleted_mark == kDeletedMark
               ? words::Say(words::kCarriesDeletedMark)
               : words::Say(words::kCarriesDeletedMarkByte, {Hex(record.deleted_mark)});
  }
  if (record.status == kStatusNormal) return mark;
  const Status* known = KnownStatus(record.status);
  const std::string read = known ? words::Say(known->read)
                                 : words::Say(words::kReadWithStatusByte, {Hex(record.status)});
  return mark.empty() ? read : words::Say(words::kMarkAndRead, {mark, read});
}

}  // namespace d88
