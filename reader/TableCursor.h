// Walks the records of one table: from the item after its header to its
// first empty item or the next header, whichever comes first, or to the
// end of the file when the table is cut off.
#pragma once

#include "reader/InputText.h"
#include "reader/ItemReader.h"
#include "reader/Tokens.h"

#include <string_view>
#include <vector>

namespace corvane {

class TableCursor {
public:
    TableCursor(const InputText& input, std::size_t afterHeader)
        : reader_(input.bytes().substr(0, input.TableLimit(afterHeader)), afterHeader),
          current_("header"),
          start_(afterHeader),
          endsFile_(input.TableLimit(afterHeader) >= input.bytes().size()) {}

    // Reads items until one has at least one token and splits it (finding
    // the positions of the keys, when given); false when the table has
    // ended.
    bool NextRecord(TokenStore& tokens, const KeySet* keys = nullptr, int* positions = nullptr);

    // Continuation rule: when the last token is "_", the record's further
    // lines are read and thrown away; the last of them stays the current
    // item. When `lines` is given, the lines passed over are kept there.
    void SkipContinuation(const TokenStore& tokens, std::vector<std::string_view>* lines = nullptr);

    // Reads one item whatever it holds (for readers that treat every item).
    bool NextItem(std::string_view* item);

    std::size_t Start() const { return start_; }
    std::size_t Position() const { return reader_.Position(); }
    bool Cut() const { return cut_; }
    // Whether the table ended at an empty item (rather than at the next
    // header or the end of the file): NextItem gave that item too.
    bool EndedAtEmptyItem() const { return current_.empty(); }

private:
    ItemReader reader_;
    std::string_view current_;
    bool cut_ = false;
    std::size_t start_;
    bool endsFile_;  // no header follows: the table may run to the end of the file
};

}  // namespace corvane
