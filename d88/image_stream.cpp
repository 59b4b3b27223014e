#include "d88/image_stream.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>

#include "d88/d88_format.h"
#include "d88/wide_path.h"

namespace d88 {

namespace {

std::FILE* OpenForReading(const char* path) {
#ifdef _WIN32
  return _wfopen(WidePath(path).c_str(), L"rb");
#else
  return std::fopen(path, "rb");
#endif
}

// The size of a regular file; none for anything else, which cannot be walked
// by seeking (a folder, a pipe, a device).
std::optional<std::int64_t> RegularFileSize(std::FILE* file) {
#ifdef _WIN32
  struct _stat64 status;
  if (_fstat64(_fileno(file), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) return {};
#else
  struct stat status;
  if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) return {};
#endif
  return status.st_size;
}

}  // namespace

bool ImageStream::Open(const char* path) {
  Close();
  file_.reset(OpenForReading(path));
  if (!file_) return false;
  const auto size = RegularFileSize(file_.get());
  if (!size) {
    Close();
    return false;
  }
  size_ = *size;
  // The window is the stream's only buffer.
  std::setvbuf(file_.get(), nullptr, _IONBF, 0);
  return true;
}

void ImageStream::Close() {
  file_.reset();
  size_ = 0;
  position_ = 0;
  file_position_ = 0;
  window_start_ = 0;
  window_size_ = 0;
}

bool ImageStream::Seek(std::int64_t position) {
  if (position < 0 || position > kMaxFilePosition) return false;
  position_ = position;
  return true;
}

std::size_t ImageStream::ReadAcrossWindows(std::uint8_t* dest, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    if (position_ < window_start_ || position_ >= WindowEnd()) {
      if (!FillWindow()) break;
    }
    const auto offset = static_cast<std::size_t>(position_ - window_start_);
    const std::size_t part = std::min(count - done, window_size_ - offset);
    std::memcpy(dest + done, window_.data() + offset, part);
    done += part;
    position_ += static_cast<std::int64_t>(part);
  }
  return done;
}

// Reads the window anew from the current position; false when nothing arrives.
bool ImageStream::FillWindow() {
  window_start_ = position_;
  window_size_ = 0;
  if (!file_) return false;
  // position_ never passes kMaxFilePosition, so it fits a long everywhere.
  if (file_position_ != position_ &&
      std::fseek(file_.get(), static_cast<long>(position_), SEEK_SET) != 0) {
    return false;
  }
  std::clearerr(file_.get());
  window_size_ = std::fread(window_.data(), 1, window_.size(), file_.get());
  // After a short read (the end, or an error) the next read seeks again.
  file_position_ = window_size_ == window_.size() ? position_ + std::int64_t{kWindowSize} : -1;
  return window_size_ > 0;
}

}  // namespace d88
