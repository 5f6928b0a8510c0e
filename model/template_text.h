// A template as readable text: one `key = value` line per field, in file
// order, that reads back into the identical bytes.
//
//   forms.2.lines.3.prompt = "Qty"      a text, in double quotes
//   forms.2.record_action = save & update   an entry of the field's list
//   forms.2.lines.3.min_length = 0      a number, a 0/1 flag, on/off bits
//   forms.2.lines.3.max_length = raw 249   a byte outside its field's range
//
// Escapes inside quotes: \" \\ and \xHH for any byte outside printable ASCII.
// Bytes left in a slot after its text's zero are written as the text's
// `.leftover` key, a slot filled to the end with no zero byte as its
// `.unterminated = 1` key; bytes that hold a fixed value (reserved bytes) are
// written only when they hold another one. `#` starts a comment.
//
// Reading starts from the factory template, so a key left out keeps its
// factory value.
#pragma once

#include "model/template.h"

#include <string>
#include <string_view>
#include <vector>

namespace kolibra {

// The whole template as text.
std::string export_template_text(const Template& t);

struct TextProblem {
    int line = 0;     // 1-based
    std::string key;  // empty when the line has none
    std::string message;
};

// "line 12: forms.1.font: ..." or "line 3: ..." when there is no key.
std::string describe(const TextProblem& problem);

struct TextImportResult {
    std::vector<TextProblem> problems;  // empty on success
    bool ok() const { return problems.empty(); }
};

// Reads `text` into `out`, starting from the factory template. `out` is
// written only when the whole text is sound.
TextImportResult import_template_text(std::string_view text, Template& out);

struct FieldDifference {
    std::string key;
    std::string before;  // the values as the text form writes them
    std::string after;
};

// The keys whose values differ between `a` and `b`, in file order.
std::vector<FieldDifference> diff_templates(const Template& a, const Template& b);

}  // namespace kolibra
