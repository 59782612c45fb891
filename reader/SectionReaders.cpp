// Materials, frame sections and area sections.
#include "reader/Readers.h"
#include "reader/TableCursor.h"
#include "staad/NumberText.h"

#include <array>

namespace corvane {

void ReadMaterials(ReadContext& c) {
    auto& m = c.tables.materials;
    m.Material.clear(); m.UnitWeight.clear(); m.E1.clear(); m.U12.clear();
    auto cursorOrNone = BeginTable(c.input, c.history, "Reading Material data ..........", "MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES");
    if (!cursorOrNone) return;
    TableCursor& cursor = *cursorOrNone;
    TokenStore t;
    long count = 0;
    for (;;) {
        t.Reset();  // every material record starts with an empty store
        if (!cursor.NextRecord(t)) break;
        ++count;
        m.Material.push_back(JoinedOr(t, FieldPosition(t, "Material"), "NULL"));
        m.UnitWeight.push_back(ValueOr(t, FieldPosition(t, "UnitWeight"), "0.0"));
        m.E1.push_back(ValueOr(t, FieldPosition(t, "E1"), "0.0"));
        m.U12.push_back(ValueOr(t, FieldPosition(t, "U12"), "0.0"));
    }
    NoteCut(c.report, cursor, "MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES");
    c.history.append(".......... Done (Total Material : " + std::to_string(count) + ")");
}

namespace {

// The value of the last token carrying `key` over a record's first line and
// its continuation lines, or nothing.
struct RecordFields {
    std::vector<TokenStore> lines;
    bool Find(std::string_view key, std::string* value) const {
        for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
            const int p = FieldPosition(*line, key);
            if (p != -1) {
                *value = AfterE((*line)[p]);
                return true;
            }
        }
        return false;
    }
};

// Dim1 of a section of any other shape, from its computed properties:
// "AX a IX j IY i22 IZ i33", with " AY" and " AZ" when the shear areas are
// given and not 0. False when one of the four main properties is missing.
bool GeneralProperties(const RecordFields& r, std::string* dim1) {
    std::string area, tors, i22, i33, as2, as3;
    if (!r.Find("Area", &area) || !r.Find("TorsConst", &tors) || !r.Find("I22", &i22) || !r.Find("I33", &i33))
        return false;
    *dim1 = "AX " + area + " IX " + tors + " IY " + i22 + " IZ " + i33;
    if (r.Find("AS2", &as2) && TextToNumber(as2) != 0) *dim1 += " AY " + as2;
    if (r.Find("AS3", &as3) && TextToNumber(as3) != 0) *dim1 += " AZ " + as3;
    return true;
}

}  // namespace

void ReadFrameSections(ReadContext& c) {
    auto& s = c.tables.frameSections;
    s.SectionName.clear(); s.Material.clear(); s.Dim1.clear(); s.Dim2.clear(); s.Shape.clear();
    c.tables.frameAssigns.Frame.clear();
    c.tables.frameAssigns.AnalSect.clear();
    auto cursorOrNone = BeginTable(c.input, c.history, "Reading Frame Section data ..........", "FRAME SECTION PROPERTIES 01 - GENERAL");
    if (!cursorOrNone) return;
    TableCursor& cursor = *cursorOrNone;
    TokenStore t;
    long count = 0;
    std::vector<std::string_view> continuation;
    while (cursor.NextRecord(t)) {
        continuation.clear();
        cursor.SkipContinuation(t, c.allSections ? &continuation : nullptr);
        const int ps = FieldPosition(t, "Shape");
        const std::string shape = ValueOr(t, ps, "NULL");
        std::string dim1, dim2 = "-";
        if (shape == "Rectangular") {
            dim1 = AfterE(t[ps + 1]);
            dim2 = AfterE(t[ps + 2]);
        } else if (shape == "Circle") {
            dim1 = AfterE(t[ps + 1]);
        } else if (shape == "I/Wide$") {
            static constexpr std::array<int, 7> offsets = {2, 5, 2, 3, 4, 6, 7};
            for (std::size_t k = 0; k < offsets.size(); ++k) {
                if (k) dim1 += ' ';
                dim1 += AfterE(t[ps + offsets[k]]);
            }
        } else {
            bool kept = false;
            if (c.allSections) {
                RecordFields fields;
                fields.lines.push_back(t);
                for (std::string_view line : continuation) {
                    fields.lines.emplace_back();
                    fields.lines.back().SplitTokens(line);
                }
                kept = GeneralProperties(fields, &dim1);
            }
            if (!kept) {
                if (c.report) {
                    const std::string name = JoinedOr(t, FieldPosition(t, "SectionName"), "NULL");
                    c.report->Add("unsupported-shape", "FRAME SECTION PROPERTIES 01 - GENERAL", name,
                                  "Frame section " + name + " of shape " + shape + " is left out: its shape is not converted.");
                }
                continue;
            }
        }
        ++count;
        s.SectionName.push_back(JoinedOr(t, FieldPosition(t, "SectionName"), "NULL"));
        s.Material.push_back(JoinedOr(t, FieldPosition(t, "Material"), "NULL"));
        s.Dim1.push_back(std::move(dim1));
        s.Dim2.push_back(std::move(dim2));
        s.Shape.push_back(shape);
    }
    NoteCut(c.report, cursor, "FRAME SECTION PROPERTIES 01 - GENERAL");
    c.history.append(".......... Done (Total Frame Section : " + std::to_string(count) + ")");
}

void ReadAreaSections(ReadContext& c) {
    auto& s = c.tables.areaSections;
    s.Section.clear(); s.Material.clear(); s.Thickness.clear();
    auto cursorOrNone = BeginTable(c.input, c.history, "Reading Shell Section data ..........", "AREA SECTION PROPERTIES");
    if (!cursorOrNone) return;
    TableCursor& cursor = *cursorOrNone;
    TokenStore t;
    long count = 0;
    while (cursor.NextRecord(t)) {
        cursor.SkipContinuation(t);
        ++count;
        s.Section.push_back(JoinedOr(t, FieldPosition(t, "Section"), "NULL"));
        s.Material.push_back(JoinedOr(t, FieldPosition(t, "Material"), "NULL"));
        s.Thickness.push_back(ValueOr(t, FieldPosition(t, "Thickness"), "0.0"));
    }
    NoteCut(c.report, cursor, "AREA SECTION PROPERTIES");
    c.history.append(".......... Done (Total Shell Sections : " + std::to_string(count) + ")");
}

}  // namespace corvane
