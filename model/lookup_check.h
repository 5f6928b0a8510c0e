// The lines of a lookup data file checked against the template's description
// of that lookup file, before the file is sent to a terminal.
//
// Lines are cut as a lookup download cuts them: a CR ends a line, an LF is
// dropped wherever it stands, and text after the last CR is a last line. Each
// finding names its line as "line N" (N from 1).
#pragma once

#include "model/template.h"
#include "model/template_check.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kolibra {

// The key of one lookup line as the terminal finds it (the key field's
// characters, padding included), or false when the line is too short to hold
// the key field. `delimiter` 0 means fixed positions.
bool lookup_key_of(std::string_view line, const LookupRecord& l, char delimiter, std::string& key);

// `file` is the lookup file's index, 0 to 2. `max_line_bytes` is the longest
// line a lookup download sends (it refuses a file with a longer one). A file
// that the template does not describe (member length or number of fields 0)
// gives one error and no line checks.
std::vector<Finding> check_lookup_lines(const Template& t, int file, std::string_view bytes,
                                        std::size_t max_line_bytes);

}  // namespace kolibra
