#include "extract/file_status.h"

#ifdef _WIN32
#include <windows.h>

#include "d88/wide_path.h"
#else
#include <sys/stat.h>
#endif

namespace extract {

#ifdef _WIN32

std::optional<FileStatus> StatusOf(const char* path) {
  // Opened for its attributes only: no read, no write, whatever it is.
  const HANDLE file = CreateFileW(d88::WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  if (!known) return std::nullopt;
  const std::uint64_t index = std::uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow;
  return FileStatus{{info.dwVolumeSerialNumber, index},
                    (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0};
}

#else

std::optional<FileStatus> StatusOf(const char* path) {
  struct stat status;
  if (stat(path, &status) != 0) return std::nullopt;
  constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
  return FileStatus{{static_cast<std::uint64_t>(status.st_dev), status.st_ino},
                    (status.st_mode & kAnyWrite) == 0};
}

#endif

}  // namespace extract
