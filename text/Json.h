// JSON text for machine-readable output.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// A JSON string literal of the bytes: what JSON needs is escaped, valid
// UTF-8 passes through, and every other byte becomes \u00XX of its Latin-1
// value, so that no byte of the input is lost.
std::string JsonString(std::string_view bytes);
void AppendJsonString(std::string& out, std::string_view bytes);
// The same with the bytes `suffix` added after `bytes` inside the quotes.
void AppendJsonString(std::string& out, std::string_view bytes, std::string_view suffix);

}  // namespace corvane
