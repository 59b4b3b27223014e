#include "extract/extraction.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "extract/cut_reading.h"
#include "extract/messages.h"
#include "extract/output_file.h"
#include "words/catalogue.h"

namespace extract {

namespace {

// Every run is read into this buffer from its first byte.
constexpr std::size_t kExtractBufferSize = 0x50000;
std::array<std::uint8_t, kExtractBufferSize> ExtractBuffer{};

constexpr bool FitsTheBuffer(const TrackLocation& location) {
  return location.length >= 0 && location.length <= std::int32_t{kExtractBufferSize};
}
static_assert(FitsTheBuffer(kDriver) && FitsTheBuffer(kVoice) &&
              std::all_of(MusicTable.begin(), MusicTable.end(), FitsTheBuffer));

}  // namespace

CutResult ExtractFile(d88::D88Image& image, const Cut& cut, TerminalNotes& notes) {
  const std::span<std::uint8_t> bytes(ExtractBuffer.data(), static_cast<std::size_t>(cut.length));
  const CutOutcome outcome = ReadCut(image, cut, bytes);
  // No file is ever written from bytes the image did not give.
  if (outcome.kind == CutOutcome::Kind::kStopsHere) return CutResult::kUnreadable;
  if (!outcome.Written()) {
    notes.Absent(outcome);
    return CutResult::kNotOnDisk;
  }
  notes.TellHeld();
  PrintCutting(cut.name);
  notes.Cut(outcome);
  const auto failure = WriteOutputFile(cut.name.c_str(), bytes, image.Identity());
  if (!failure) return CutResult::kWritten;
  PrintMessage(words::Say(words::kCannotWriteFile, {cut.name, failure->reason}));
  if (!failure->stray.empty()) {
    PrintMessage(
        words::Say(words::kCannotRemove, {platform::Shown(failure->stray), failure->stray_reason}));
  }
  return CutResult::kNotWritten;
}

bool ExtractAll(d88::D88Image& image, const std::string& path, const std::string& program) {
  TerminalNotes notes(image, path, program);
  bool all_written = true;
  bool any_announced = false;
  bool stopped = false;
  for (const Cut& cut : CuttingOrder()) {
    const CutResult result = ExtractFile(image, cut, notes);
    if (result == CutResult::kUnreadable) {
      notes.TellHeld();
      PrintMessage(words::Say(words::kCannotReadImage, {platform::Words(image.ReadError())}));
      stopped = true;
      break;
    }
    all_written &= result != CutResult::kNotWritten;
    any_announced |= result != CutResult::kNotOnDisk;
  }
  if (any_announced) {
    notes.TellHeld();
  } else if (!stopped) {
    notes.NothingCut();
  }
  // The names the renames gave survive a power cut, however the run ends.
  std::error_code error;
  if (!platform::SyncRenames(error)) {
    PrintMessage(words::Say(words::kCannotSyncNames, {platform::Words(error)}));
    return false;
  }
  return !stopped && all_written;
}

}  // namespace extract
