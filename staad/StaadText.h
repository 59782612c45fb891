// What the classic and the full STAAD.Pro writers share: the units line,
// STAAD.Pro's 79 input columns and the list of new numbers.
#pragma once

#include "model/Model.h"
#include "text/LineSink.h"

#include <string>
#include <string_view>

namespace corvane {

// The STAAD.Pro units line for the model's units.
std::string UnitsLine(const UnitsInfo& units);

// STAAD.Pro reads 79 columns of input: a longer line goes on in pieces, each
// broken at a blank and ended by " -". LOAD lines stay whole.
class WrappedLines : public LineSink {
public:
    explicit WrappedLines(LineSink& out) : out_(out) {}
    void Line(std::string_view line) override;

private:
    LineSink& out_;
    std::string piece_;
};

// A name as one field of the number map: quoted, inner quotes doubled, when
// it holds a comma, a double quote or a blank.
void AppendCsvField(std::string& out, std::string_view name);

}  // namespace corvane
