// What the format's flags say, in words, for both tools: the disk's media
// type and write protection, and the density, deleted mark and controller
// status of a sector record.
#pragma once

#include <cstdint>
#include <string>

#include "d88/sector_record.h"

namespace d88 {

// A field of the format in hex, with at least `digits` digits: "0x55",
// "0xFFFFFFFF". A field is at most 32 bits: a signed one stored negative
// shows as stored (-1 as 0xFFFFFFFF).
std::string Hex(std::int64_t value, int digits = 2);

// "2D", "2DD", "2HD", "1D", "1DD", or the byte in hex ("0x55").
std::string MediaTypeName(int media_type);

// "write-protected" for the protected value, the byte in hex for any other
// non-zero value, empty for 0.
std::string WriteProtectName(int write_protect);

// Whether any of the record's flags is not the usual one (double density, no
// deleted mark, normal status).
bool HasUnusualFlags(const SectorRecordHeader& record);

// The record's flags that are not the usual ones (double density, no
// deleted mark, normal status), for a track line: "single density, data CRC
// error". Empty when all are usual.
std::string UnusualFlags(const SectorRecordHeader& record);

// Whether the record's status says the sector was read with an error: any
// status but normal and deleted data (a deleted mark is no error).
bool ReadWithError(const SectorRecordHeader& record);

// Whether a cut should tell of a sector it takes: its status or its deleted
// mark says something (ReadingNote is not empty).
bool HasReadingNote(const SectorRecordHeader& record);

// What a cut should tell of a sector it takes: "was read with a data CRC
// error", "carries a deleted mark and was read as deleted data". Empty when
// neither its status nor its deleted mark says anything.
std::string ReadingNote(const SectorRecordHeader& record);

}  // namespace d88
