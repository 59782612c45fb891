// The list of new numbers that goes beside a renumbered STAAD.Pro file.
#include "staad/Blocks.h"
#include "text/NumberText.h"

namespace corvane {

namespace {

// A name as one CSV field: quoted, inner quotes doubled, when it holds a
// comma, a double quote or a blank.
void AppendCsvField(std::string& out, std::string_view name) {
    if (name.find_first_of(",\" ") == std::string_view::npos) {
        out.append(name);
        return;
    }
    out += '"';
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

void WriteNumberMap(const Model& m, const Links& links, LineSink& out) {
    out.Line("kind,sap2000,staad");
    static constexpr struct {
        NameKind kind;
        TableId table;
        int col;
        const char* word;
    } kKinds[] = {{NameKind::Joint, TableId::Joints, JointCol::Joint, "joint"},
                  {NameKind::Member, TableId::Frames, FrameCol::Frame, "member"},
                  {NameKind::Area, TableId::Areas, AreaCol::Area, "area"}};
    std::string line;
    for (const auto& kind : kKinds) {
        const Table& t = m[kind.table];
        const auto& numbers = links.newNumbers[static_cast<int>(kind.kind)];
        // Areas numbered in the order of their table are listed by their
        // element numbers, each name once.
        const bool elements = kind.kind == NameKind::Area && links.elementsInAreaOrder;
        for (std::size_t r = 0; r < t.rows() && r < numbers.size(); ++r) {
            if (!numbers[r]) continue;
            if (elements) {
                const std::int64_t first = links.areas.Find(t, r, kind.col);
                if (first != NameIndex::kNone && static_cast<std::size_t>(first) != r) continue;
            }
            line.assign(elements ? "element" : kind.word);
            line += ',';
            AppendCsvField(line, t.Text(r, kind.col));
            line += ',';
            if (elements) links.AppendOwnElement(line, t, r);
            else line += std::to_string(numbers[r]);
            out.Line(line);
        }
    }
    // Solid elements always get new numbers, after the members and shells.
    if (!links.isFull) return;
    const Table& solids = m[TableId::Solids];
    for (std::size_t r = 0; r < solids.rows(); ++r) {
        line = "solid,";
        AppendCsvField(line, solids.Text(r, SolidCol::Solid));
        line += ',';
        line += links.full.SolidNumber(r);
        out.Line(line);
    }
}

}  // namespace corvane
