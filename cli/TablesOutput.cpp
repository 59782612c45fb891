#include "cli/TablesOutput.h"

#include "text/Json.h"
#include "text/TsvText.h"

namespace corvane {

namespace {

// Writes through a large buffer and remembers the first failure.
class Output {
public:
    explicit Output(const ByteWriter& write) : write_(write) { buffer_.reserve(kFlushAt + 4096); }
    std::string& buffer() { return buffer_; }
    void MaybeFlush() {
        if (buffer_.size() >= kFlushAt) Flush();
    }
    void Flush() {
        if (ok_ && !buffer_.empty() && !write_(buffer_)) ok_ = false;
        buffer_.clear();
    }
    bool Finish() {
        Flush();
        return ok_;
    }

private:
    static constexpr std::size_t kFlushAt = std::size_t(1) << 22;
    const ByteWriter& write_;
    std::string buffer_;
    bool ok_ = true;
};

// A cell as a JSON string, its marker inside the quotes.
void AppendJsonCell(std::string& out, const Table& table, std::size_t row, int col) {
    const Cell c = table.cell(row, col);
    if (c.absent()) AppendJsonString(out, table.descriptor().columns[col].absentText);
    else if (c.quoted()) AppendJsonString(out, table.View(c), std::string_view("$", 1));
    else AppendJsonString(out, table.View(c));
}

}  // namespace

bool WriteTablesText(const Model& model, const ByteWriter& write) {
    Output out(write);
    std::string& b = out.buffer();
    b += "== Units\nforce\tlength\n";
    AppendTsvText(b, model.units.force);
    b += '\t';
    AppendTsvText(b, model.units.length);
    b += '\n';
    for (TableId id : kTableOrder) {
        const Table& table = model[id];
        const TableDescriptor& d = table.descriptor();
        if (d.full && !model.full) continue;
        b += "\n== ";
        b += d.name;
        b += " (" + std::to_string(table.rows()) + " rows)\n";
        for (std::size_t k = 0; k < table.columns(); ++k) {
            if (k) b += '\t';
            b += d.columns[k].name;
        }
        b += '\n';
        for (std::size_t r = 0; r < table.rows(); ++r) {
            for (std::size_t k = 0; k < table.columns(); ++k) {
                if (k) b += '\t';
                const std::size_t at = b.size();
                table.AppendText(b, r, static_cast<int>(k));
                EscapeTsvTail(b, at);
            }
            b += '\n';
            out.MaybeFlush();
        }
    }
    const Table& combos = model[TableId::Combinations];
    b += "\n== CombinationList (" + std::to_string(model.combinationStarts.size()) + " entries)\n";
    for (std::uint32_t row : model.combinationStarts) {
        const std::size_t at = b.size();
        combos.AppendText(b, row, CombinationCol::ComboName);
        EscapeTsvTail(b, at);
        b += '\n';
    }
    return out.Finish();
}

bool WriteTablesJson(const Model& model, const std::vector<std::string>& history, const ByteWriter& write) {
    Output out(write);
    std::string& b = out.buffer();
    b += "{\n  \"history\": [";
    for (std::size_t i = 0; i < history.size(); ++i) {
        if (i) b += ", ";
        AppendJsonString(b, history[i]);
    }
    b += "],\n  \"units\": {\"force\": ";
    AppendJsonString(b, model.units.force);
    b += ", \"length\": ";
    AppendJsonString(b, model.units.length);
    b += "}";
    // A table's columns are listed one after the other, but its rows are
    // read once: each column's text is gathered on the way, so the input
    // behind the cells is walked through once per table.
    std::vector<std::string> columns;
    for (TableId id : kTableOrder) {
        const Table& table = model[id];
        const TableDescriptor& d = table.descriptor();
        if (d.full && !model.full) continue;
        // The buffers of earlier tables are used again: their memory is
        // already there.
        if (columns.size() < table.columns()) columns.resize(table.columns());
        for (std::size_t k = 0; k < table.columns(); ++k) columns[k].clear();
        for (std::size_t r = 0; r < table.rows(); ++r)
            for (std::size_t k = 0; k < table.columns(); ++k) {
                if (r) columns[k].append(", ", 2);
                AppendJsonCell(columns[k], table, r, static_cast<int>(k));
            }
        b += ",\n  ";
        AppendJsonString(b, d.name);
        b += ": {";
        for (std::size_t k = 0; k < table.columns(); ++k) {
            if (k) b += ", ";
            AppendJsonString(b, d.columns[k].name);
            b += ": [";
            out.Flush();
            b.swap(columns[k]);
            out.Flush();
            b += "]";
        }
        b += "}";
        out.MaybeFlush();
    }
    b += ",\n  \"CombinationList\": [";
    const Table& combos = model[TableId::Combinations];
    for (std::size_t i = 0; i < model.combinationStarts.size(); ++i) {
        if (i) b += ", ";
        AppendJsonCell(b, combos, model.combinationStarts[i], CombinationCol::ComboName);
    }
    b += "]\n}\n";
    return out.Finish();
}

}  // namespace corvane
