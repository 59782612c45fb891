// The bytes of one loaded input. Table cells point into them, so every
// table keeps the input it was read from alive.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace corvane {

class SourceText {
public:
    virtual ~SourceText() = default;
    SourceText(const SourceText&) = delete;
    SourceText& operator=(const SourceText&) = delete;

    std::string_view bytes() const { return bytes_; }

protected:
    SourceText() = default;
    std::string_view bytes_;
};

// An input held in a string of its own (texts given in memory, tests).
class OwnedSourceText : public SourceText {
public:
    explicit OwnedSourceText(std::string text) : text_(std::move(text)) { bytes_ = text_; }

private:
    std::string text_;
};

using SourcePtr = std::shared_ptr<const SourceText>;

}  // namespace corvane
