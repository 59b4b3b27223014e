#include "d88/image_stream.h"

#include <algorithm>
#include <cerrno>

#include "d88/d88_format.h"

namespace d88 {

bool ImageStream::Open(const char* path, std::error_code& error) {
  Close();
  const auto opened = platform::OpenRegularFile(path, error);
  if (!opened) return false;
  file_.reset(opened->stream);
  size_ = opened->size;
  identity_ = opened->identity;
  // The window is the stream's only buffer.
  std::setbuf(file_.get(), nullptr);
  return true;
}

void ImageStream::Close() {
  file_.reset();
  size_ = 0;
  error_.reset();
  fetched_ = 0;
  position_ = 0;
  file_position_ = 0;
  window_start_ = 0;
  window_size_ = 0;
}

bool ImageStream::Seek(std::int64_t position) {
  if (!IsFilePosition(position)) return false;
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

// Reads the window anew from the current position, up to the size the file
// had when it was opened; false when nothing arrives. The window is kept when
// there is nothing to read.
bool ImageStream::FillWindow() {
  if (!file_ || position_ >= size_) return false;
  window_start_ = position_;
  window_size_ = 0;
  errno = 0;
  // position_ never passes kMaxFilePosition, so it fits a long everywhere.
  if (file_position_ != position_ &&
      std::fseek(file_.get(), static_cast<long>(position_), SEEK_SET) != 0) {
    Fail(platform::StreamError());
    return false;
  }
  const auto wanted =
      static_cast<std::size_t>(std::min(std::int64_t{kWindowSize}, size_ - position_));
  if (fetched_ + static_cast<std::int64_t>(wanted) > budget_) {
    Fail(ReadingBudgetSpent());
    return false;
  }
  fetched_ += static_cast<std::int64_t>(wanted);
  window_size_ = std::fread(window_.data(), 1, wanted, file_.get());
  file_position_ = position_ + static_cast<std::int64_t>(window_size_);
  if (window_size_ < wanted) {
    Fail(std::ferror(file_.get()) ? platform::StreamError() : FileShrank());
    // The next read seeks again.
    file_position_ = -1;
  }
  return window_size_ > 0;
}

void ImageStream::Fail(std::error_code error) {
  if (!error_) error_ = error;
}

}  // namespace d88
