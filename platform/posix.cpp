// The platform seam on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <utility>

#include "platform/platform.h"

namespace platform {

namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return {argv, argv + argc};
}

void UseBinaryStandardStreams() {}

std::optional<FileStatus> StatusOf(const char* path) {
  struct stat status;
  if (stat(path, &status) != 0) return std::nullopt;
  constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
  return FileStatus{{static_cast<std::uint64_t>(status.st_dev), status.st_ino},
                    (status.st_mode & kAnyWrite) == 0};
}

std::optional<ReadableFile> OpenRegularFile(const char* path) {
  std::FILE* stream = std::fopen(path, "rb");
  if (stream == nullptr) return std::nullopt;
  struct stat status;
  if (fstat(fileno(stream), &status) != 0 || !S_ISREG(status.st_mode)) {
    std::fclose(stream);
    return std::nullopt;
  }
  return ReadableFile{stream, status.st_size};
}

std::optional<NewFile> NewFile::Create(const char* path, std::error_code& error) {
  const int descriptor =
      open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);  // less the umask
  if (descriptor < 0) {
    error = LastError();
    return std::nullopt;
  }
  return NewFile(descriptor);
}

NewFile::~NewFile() {
  if (descriptor_ >= 0) close(descriptor_);
}

bool NewFile::Write(std::span<const std::uint8_t> bytes, std::error_code& error) {
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      error = written < 0 ? LastError() : std::make_error_code(std::errc::io_error);
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

bool NewFile::Close(std::error_code& error) {
  const int result = close(std::exchange(descriptor_, -1));
  if (result != 0) error = LastError();
  return result == 0;
}

bool RenameOver(const char* from, const char* to, std::error_code& error) {
  if (std::rename(from, to) == 0) return true;
  error = LastError();
  return false;
}

void RemoveFile(const char* path) {
  unlink(path);
}

int ProcessId() {
  return getpid();
}

void FailWritesPastFileSizeLimit() {
  std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace platform
