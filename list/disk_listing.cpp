#include "list/disk_listing.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "d88/record_flags.h"
#include "list/compact_ids.h"

namespace list {

namespace {

// A track line names at most this many records with unusual flags, and
// lists a track up to this many records.
constexpr int kMaxFlaggedShown = 8;
constexpr int kMaxRecordsListed = 65536;

// A disk's size in words, from its stored disk_size and the bytes from its
// start to the end of the file: never a byte count the file does not hold.
std::string SizeWords(std::int32_t size, std::int64_t there) {
  if (size >= 0 && size <= there) return std::to_string(size) + " bytes";
  const std::string field = "size field " + d88::Hex(size, 8);
  if (size < 0) return field + ", which cannot be a size";
  return field + ", past the end of the file: " + std::to_string(there) + " bytes of it are there";
}

std::string DiskLine(int index, const d88::D88Image& image) {
  std::string line = "disk " + std::to_string(index) + ": \"" + EscapeName(image.DiskName()) +
                     "\", media type " + d88::MediaTypeName(image.MediaType());
  const std::string protection = d88::WriteProtectName(image.WriteProtect());
  if (!protection.empty()) line += ", " + protection;
  return line + ", " + SizeWords(image.DiskSize(), image.FileSize() - image.DiskOffset(index)) +
         "\n";
}

// The records of one track as the reader lists them, up to
// kMaxRecordsListed.
class TrackLine {
 public:
  // False when the track lists no record. A track that starts where the one
  // walked last did lists the same records: they are not read again.
  bool Walk(d88::D88Image& image, int track) {
    const std::int64_t start = image.TrackStart(track);
    if (start == walked_from_) return !ids_.empty();
    *this = TrackLine();
    walked_from_ = start;
    image.ListTrack(track, [this](const d88::SectorRecordHeader& record, int position) {
      if (position == kMaxRecordsListed) {
        more_ = true;
        return false;
      }
      ids_.insert(ids_.end(), record.id.begin(), record.id.end());
      Flag(record);
      return true;
    });
    return !ids_.empty();
  }

  std::string Text(int track) const {
    const std::size_t records = ids_.size() / d88::kSectorIdSize;
    std::string line = "  track " + std::to_string(track) + " (cylinder " +
                       std::to_string(d88::CylinderOf(track)) + ", head " +
                       std::to_string(d88::HeadOf(track)) + "): " + (more_ ? "more than " : "") +
                       std::to_string(records) + (records == 1 ? " record: " : " records: ") +
                       CompactIds(ids_);
    if (flagged_count_ > 0) {
      line += "; flagged: " + flagged_;
      const int hidden = flagged_count_ - kMaxFlaggedShown;
      if (hidden > 0) line += ", and " + std::to_string(hidden) + " more";
    }
    return line + "\n";
  }

 private:
  void Flag(const d88::SectorRecordHeader& record) {
    if (!d88::HasUnusualFlags(record) || ++flagged_count_ > kMaxFlaggedShown) return;
    if (!flagged_.empty()) flagged_ += ", ";
    flagged_ += CompactIds(record.id, 1) + " (" + d88::UnusualFlags(record) + ")";  // one ID
  }

  std::vector<std::uint8_t> ids_;
  std::string flagged_;
  int flagged_count_ = 0;
  bool more_ = false;
  std::optional<std::int64_t> walked_from_;  // where the track walked last starts
};

}  // namespace

std::string EscapeName(std::string_view name) {
  std::string text;
  for (const char byte : name) {
    const auto value = static_cast<unsigned char>(byte);
    if (value >= 0x20 && value < 0x7F && byte != '"' && byte != '\\') {
      text += byte;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", value);
      text += escaped;
    }
  }
  return text;
}

bool ListDisks(d88::D88Image& image, const ImageCuts& cuts, const LineSink& out) {
  if (cuts.NotAnImage()) return out(cuts.WhyNothingIsCut()->words + "\n");
  TrackLine track_line;
  std::int64_t end = 0;
  // A read that fails (a header the scan read, now gone) ends the listing:
  // what it did not read is not taken for absent.
  for (int index = 0; index < image.DiskCount(); ++index) {
    if (!image.SelectDisk(index) || !out(DiskLine(index, image))) return false;
    // Where a disk whose size cannot be one ends is not known.
    end = image.DiskSize() < 0 ? image.FileSize() : image.DiskOffset(index) + image.DiskSize();
    for (int track = 0; track < d88::kTrackCount; ++track) {
      const bool listed = track_line.Walk(image, track);
      if (image.ReadError() || (listed && !out(track_line.Text(track)))) return false;
    }
  }
  if (image.ReadError()) return false;
  if (end >= image.FileSize()) return true;
  return out(std::to_string(image.FileSize() - end) + " bytes after the last disk\n");
}

}  // namespace list
