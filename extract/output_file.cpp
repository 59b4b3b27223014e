#include "extract/output_file.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace extract {

namespace {

// The few file calls that differ by name between the systems. Creation is
// exclusive: it fails on any name that exists, a link or a pipe included.
#ifdef _WIN32
int CreateNew(const char* path) {
  return _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int WriteSome(int file, std::span<const std::uint8_t> bytes) {
  constexpr std::size_t kMaxWrite = 1u << 30;
  return _write(file, bytes.data(), static_cast<unsigned>(std::min(bytes.size(), kMaxWrite)));
}
bool CloseFile(int file) {
  return _close(file) == 0;
}
int ProcessId() {
  return _getpid();
}
bool RenameOver(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != 0;
}
#else
int CreateNew(const char* path) {
  return open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);  // less the umask
}
ssize_t WriteSome(int file, std::span<const std::uint8_t> bytes) {
  return write(file, bytes.data(), bytes.size());
}
bool CloseFile(int file) {
  return close(file) == 0;
}
int ProcessId() {
  return getpid();
}
bool RenameOver(const char* from, const char* to) {
  return std::rename(from, to) == 0;
}
#endif

// Names taken by other files are passed over, up to this many.
constexpr int kMaxNameTries = 100;

struct Temporary {
  std::string path;
  int file;
};

// A new file "<name>.d88cut-<process id>-<counter>": no other run at the same
// time uses the process id, and the counter moves past names already there.
std::optional<Temporary> CreateTemporary(const std::string& name) {
  static const std::string process = std::to_string(ProcessId());
  static int counter = 0;
  const std::string prefix = name + ".d88cut-" + process + "-";
  for (int tries = 0; tries < kMaxNameTries; ++tries) {
    std::string path = prefix + std::to_string(counter++);
    const int file = CreateNew(path.c_str());
    if (file >= 0) return Temporary{std::move(path), file};
    if (errno != EEXIST) break;
  }
  return std::nullopt;
}

bool WriteAll(int file, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const auto written = WriteSome(file, bytes);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

bool WriteOutputFile(const char* name, std::span<const std::uint8_t> bytes,
                     const FileIdentity& image) {
  const auto existing = StatusOf(name);
  if (existing && (existing->identity == image || existing->write_protected)) return false;
  const auto temporary = CreateTemporary(name);
  if (!temporary) return false;
  const bool written = WriteAll(temporary->file, bytes);
  // The rename replaces an existing file (a link itself, not what it points
  // to) at once, on every system.
  if (CloseFile(temporary->file) && written && RenameOver(temporary->path.c_str(), name)) {
    return true;
  }
  std::remove(temporary->path.c_str());
  return false;
}

void FailWritesPastFileSizeLimit() {
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace extract
