#include "list/disk_listing.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "d88/record_flags.h"
#include "list/compact_ids.h"
#include "words/catalogue.h"

namespace list {

namespace {

using words::Say;

// A track line names at most this many records with unusual flags, and
// lists a track up to this many records.
constexpr int kMaxFlaggedShown = 8;
constexpr int kMaxRecordsListed = 65536;

// A disk's size in words, from its stored disk_size and the bytes from its
// start to the end of the file: never a byte count the file does not hold.
std::string SizeWords(std::int32_t size, std::int64_t there) {
  if (size >= 0 && size <= there) return Say(words::kDiskBytes, {size});
  const std::string field = d88::Hex(size, 8);
  if (size < 0) return Say(words::kDiskSizeNoSize, {field});
  return Say(words::kDiskSizePastEnd, {field, there});
}

std::string DiskLine(int index, const d88::D88Image& image) {
  const std::string name = EscapeName(image.DiskName());
  const std::string media = d88::MediaTypeName(image.MediaType());
  const std::string size = SizeWords(image.DiskSize(), image.FileSize() - image.DiskOffset(index));
  const std::string protection = d88::WriteProtectName(image.WriteProtect());
  if (protection.empty()) return Say(words::kDiskLine, {index, name, media, size}) + "\n";
  return Say(words::kDiskLineProtected, {index, name, media, size, protection}) + "\n";
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
    const auto records = static_cast<long long>(ids_.size() / d88::kSectorIdSize);
    std::string line =
        "  " +
        words::SayCount(more_ ? words::kTrackMoreRecords : words::kTrackRecords, records,
                        {track, d88::CylinderOf(track), d88::HeadOf(track), CompactIds(ids_)});
    if (flagged_count_ > 0) {
      const int hidden = flagged_count_ - kMaxFlaggedShown;
      line +=
          Say(words::kFlagged, {hidden > 0 ? Say(words::kAndMore, {flagged_, hidden}) : flagged_});
    }
    return line + "\n";
  }

 private:
  void Flag(const d88::SectorRecordHeader& record) {
    if (!d88::HasUnusualFlags(record) || ++flagged_count_ > kMaxFlaggedShown) return;
    // One ID, and its flags: "C0 H0 N1 R3 (data CRC error)".
    flagged_ = words::Listed(
        flagged_, Say(words::kFlaggedId, {CompactIds(record.id, 1), d88::UnusualFlags(record)}));
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
  return out(Say(words::kBytesAfterLastDisk, {image.FileSize() - end}) + "\n");
}

}  // namespace list
