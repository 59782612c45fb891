#include "driver/FileSink.h"

#include <cerrno>

namespace corvane {

namespace {
constexpr std::size_t kFlushAt = 1 << 20;
}

FileSink::~FileSink() {
    if (file_) std::fclose(file_);
}

bool FileSink::Open(const std::string& path) {
    errno = 0;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) {
        error_ = errno ? errno : EIO;
        return false;
    }
    buffer_.reserve(kFlushAt + 4096);
    return true;
}

void FileSink::Line(std::string_view line) {
    if (error_ || !file_) return;
    buffer_.append(line);
    buffer_.append("\r\n");
    if (buffer_.size() >= kFlushAt) Flush();
}

void FileSink::Flush() {
    if (error_ || !file_ || buffer_.empty()) return;
    errno = 0;
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) error_ = errno ? errno : EIO;
    buffer_.clear();
}

bool FileSink::Close() {
    if (!file_) return false;
    Flush();
    errno = 0;
    if (std::fflush(file_) != 0 && !error_) error_ = errno ? errno : EIO;
    if (std::fclose(file_) != 0 && !error_) error_ = errno ? errno : EIO;
    file_ = nullptr;
    return error_ == 0;
}

}  // namespace corvane
