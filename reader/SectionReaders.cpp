// Materials, frame sections and area sections.
#include "reader/ReaderSupport.h"
#include "text/NumberText.h"

#include <array>

namespace corvane {

namespace {
enum MaterialKey { kMaterial, kUnitWeight, kE1, kU12 };
const KeySet kMaterialKeys{{"Material", kMaterial}, {"UnitWeight", kUnitWeight}, {"E1", kE1}, {"U12", kU12}};
}  // namespace

void ReadMaterials(ReadContext& c) {
    auto cursor = BeginTable(c, TableId::Materials, "Reading Material data ..........");
    if (!cursor) return;
    Table& m = c.model[TableId::Materials];
    TokenStore t;
    int pos[KeySet::kMaxSlots];
    for (;;) {
        t.Reset();  // every material record starts with an empty store
        if (!cursor->NextRecord(t, &kMaterialKeys, pos)) break;
        Cell* row = m.AppendRow();
        row[MaterialCol::Material] = JoinedCell(m, t, pos[kMaterial]);
        row[MaterialCol::UnitWeight] = ValueCell(m, t, pos[kUnitWeight]);
        row[MaterialCol::E1] = ValueCell(m, t, pos[kE1]);
        row[MaterialCol::U12] = ValueCell(m, t, pos[kU12]);
        FillFullColumns(m, row, t);
    }
    NoteCut(c, *cursor, TableId::Materials);
    c.history.Append(DoneLine("Total Material : ", m.rows()));
}

namespace {

enum SectionKey { kSectionName, kSectionMaterial, kShape };
const KeySet kFrameSectionKeys{{"SectionName", kSectionName}, {"Material", kSectionMaterial}, {"Shape", kShape}};

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
    auto cursor = BeginTable(c, TableId::FrameSections, "Reading Frame Section data ..........");
    if (!cursor) return;
    Table& s = c.model[TableId::FrameSections];
    TokenStore t;
    int pos[KeySet::kMaxSlots];
    std::vector<std::string_view> continuation;
    while (cursor->NextRecord(t, &kFrameSectionKeys, pos)) {
        continuation.clear();
        cursor->SkipContinuation(t, c.options.allSections ? &continuation : nullptr);
        const int ps = pos[kShape];
        Cell dim1 = Cell::Absent(), dim2 = Cell::Absent();
        if (ValueIs(t, ps, "Rectangular")) {
            dim1 = ValueCell(s, t, ps + 1);
            dim2 = ValueCell(s, t, ps + 2);
        } else if (ValueIs(t, ps, "Circle")) {
            dim1 = ValueCell(s, t, ps + 1);
        } else if (ValueIs(t, ps, "I/Wide$")) {
            // The seven values of a tapered I-section, from the tokens after
            // the shape's second word.
            static constexpr std::array<int, 7> offsets = {2, 5, 2, 3, 4, 6, 7};
            std::string values;
            for (std::size_t k = 0; k < offsets.size(); ++k) {
                if (k) values += ' ';
                values += ValueText(t, ps + offsets[k]);
            }
            dim1 = s.TextCell(values);
        } else {
            std::string properties;
            if (c.options.allSections) {
                RecordFields fields;
                fields.lines.push_back(t);
                for (std::string_view line : continuation) {
                    fields.lines.emplace_back();
                    fields.lines.back().Split(line);
                }
                if (GeneralProperties(fields, &properties)) dim1 = s.TextCell(properties);
            }
            if (dim1.absent()) {
                if (c.report)
                    c.report->Add(ReportKind::UnsupportedShape, "FRAME SECTION PROPERTIES 01 - GENERAL",
                                  JoinedText(t, pos[kSectionName]), ValueText(t, ps));
                continue;
            }
        }
        Cell* row = s.AppendRow();
        row[FrameSectionCol::SectionName] = JoinedCell(s, t, pos[kSectionName]);
        row[FrameSectionCol::Material] = JoinedCell(s, t, pos[kSectionMaterial]);
        row[FrameSectionCol::Dim1] = dim1;
        row[FrameSectionCol::Dim2] = dim2.absent() ? s.TextCell("-") : dim2;
        row[FrameSectionCol::Shape] = ValueCell(s, t, ps);
        FillFullColumns(s, row, t, &continuation);
    }
    NoteCut(c, *cursor, TableId::FrameSections);
    c.history.Append(DoneLine("Total Frame Section : ", s.rows()));
}

namespace {
enum AreaSectionKey { kSection, kAreaMaterial, kThickness };
const KeySet kAreaSectionKeys{{"Section", kSection}, {"Material", kAreaMaterial}, {"Thickness", kThickness}};
}  // namespace

void ReadAreaSections(ReadContext& c) {
    auto cursor = BeginTable(c, TableId::AreaSections, "Reading Shell Section data ..........");
    if (!cursor) return;
    Table& s = c.model[TableId::AreaSections];
    TokenStore t;
    int pos[KeySet::kMaxSlots];
    const bool full = s.columns() > s.descriptor().classicColumns;
    std::vector<std::string_view> continuation;
    while (cursor->NextRecord(t, &kAreaSectionKeys, pos)) {
        continuation.clear();
        cursor->SkipContinuation(t, full ? &continuation : nullptr);
        Cell* row = s.AppendRow();
        row[AreaSectionCol::Section] = JoinedCell(s, t, pos[kSection]);
        row[AreaSectionCol::Material] = JoinedCell(s, t, pos[kAreaMaterial]);
        row[AreaSectionCol::Thickness] = ValueCell(s, t, pos[kThickness]);
        FillFullColumns(s, row, t, &continuation);
    }
    NoteCut(c, *cursor, TableId::AreaSections);
    c.history.Append(DoneLine("Total Shell Sections : ", s.rows()));
}

}  // namespace corvane
