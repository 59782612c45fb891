// The list of new numbers that goes beside a renumbered STAAD.Pro file.
#include "staad/Blocks.h"
#include "staad/StaadText.h"
#include "text/NumberText.h"

namespace corvane {

// A name as one CSV field: quoted, inner quotes doubled, when it holds a
// comma, a double quote, a blank or a line break. A name a spreadsheet
// would take for a formula (its first character "=", "+", "-", "@", a tab
// or a CR) gets a "'" before it, as spreadsheet guidance asks, and quotes.
void AppendCsvField(std::string& out, std::string_view name) {
    constexpr std::string_view kFormulaStart = "=+-@\t\r";
    const bool formula = !name.empty() && kFormulaStart.find(name.front()) != std::string_view::npos;
    if (!formula && name.find_first_of(",\" \r\n") == std::string_view::npos) {
        out.append(name);
        return;
    }
    out += '"';
    if (formula) out += '\'';
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

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
}

}  // namespace corvane
