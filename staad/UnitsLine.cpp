// The units line of a STAAD.Pro file, from the model's unit texts.
#include "staad/Blocks.h"

namespace corvane {

std::string UnitsLine(const UnitsInfo& units) {
    // The first matching row gives the STAAD.Pro word; other texts are
    // written unchanged.
    static constexpr struct {
        std::string_view text, word;
    } kLengthWords[] = {{"m", "METER"}, {"M", "METER"}, {"mm", "MMS"}, {"MM", "MMS"},
                        {"FT", "FEET"}, {"ft", "FEET"}, {"IN", "INCHES"}, {"in", "INCHES"}},
      kForceWords[] = {{"ki", "KIP"}, {"Ki", "KIP"}, {"n", "NEWTONS"}, {"N", "NEWTONS"},
                       {"LB", "POUNDS"}, {"lb", "POUNDS"}, {"To", "MTON"}};
    std::string length = units.length, force = units.force;
    for (const auto& w : kLengthWords)
        if (length == w.text) { length = std::string(w.word); break; }
    for (const auto& w : kForceWords)
        if (force == w.text) { force = std::string(w.word); break; }
    return "UNIT " + length + " " + force;
}

}  // namespace corvane
