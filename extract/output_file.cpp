#include "extract/output_file.h"

#include <optional>

#include "extract/cut_table.h"
#include "platform/platform.h"
#include "words/catalogue.h"

namespace extract {

namespace {

// Names taken by other files are passed over, up to this many.
constexpr int kMaxNameTries = 100;

// A new file "<name>.d88cut-<process id>-<counter>": no other run at the same
// time uses the process id, and the counter moves past names already there.
std::optional<platform::NewFile> CreateTemporary(const std::string& name,
                                                 const platform::FileStatus* replaced,
                                                 std::error_code& error) {
  static const int process = platform::ProcessId();
  static int counter = 0;
  for (int tries = 0; tries < kMaxNameTries; ++tries) {
    auto file = platform::NewFile::Create(TemporaryName(name, process, counter++), replaced, error);
    if (file || error != std::errc::file_exists) return file;
  }
  return std::nullopt;
}

// Why the file `name` holds now must stay; none when it may be replaced.
std::optional<words::Id> MustStay(const platform::FileStatus& existing,
                                  const platform::FileIdentity& image) {
  if (existing.identity == image) return words::kItIsTheImage;
  if (existing.type == platform::FileStatus::Type::kFolder) return words::kFolderHasName;
  if (existing.write_protected) return words::kItIsWriteProtected;
  return std::nullopt;
}

}  // namespace

std::optional<NotWritten> WriteOutputFile(const char* name, std::span<const std::uint8_t> bytes,
                                          const platform::FileIdentity& image) {
  std::error_code error;
  const auto existing = platform::StatusOf(name, error);
  if (existing) {
    if (const auto stay = MustStay(*existing, image)) return NotWritten{words::Say(*stay)};
  }
  if (error) return NotWritten{platform::Words(error)};
  // Who may read the new file is taken only from an earlier file of data
  // that stood at this name itself: a link (whatever it leads to), a device
  // or a FIFO lends it nothing.
  const bool lends =
      existing && existing->type == platform::FileStatus::Type::kFile && !existing->link;
  const platform::FileStatus* replaced = lends ? &*existing : nullptr;
  auto temporary = CreateTemporary(name, replaced, error);
  if (!temporary) return NotWritten{platform::Words(error)};
  if ((!replaced || temporary->KeepAccess(*replaced, error)) && temporary->Write(bytes, error) &&
      temporary->RenameOver(name, error)) {
    return std::nullopt;
  }
  NotWritten failure{platform::Words(error)};
  std::error_code removal;
  if (!temporary->Discard(removal)) {
    failure.stray = temporary->Path();
    failure.stray_reason = platform::Words(removal);
  }
  return failure;
}

}  // namespace extract
