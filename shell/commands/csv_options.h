// The options that tell how a CSV item list becomes a lookup file, shared by
// `tgen lookup` and `tgen send-lookup`.
#pragma once

#include "model/lookup_convert.h"

#include <string>

namespace kolibra {

// Takes the option at argv[i] and its value (i moves past it). False when
// argv[i] is none of them; `error` is set when it is one with a bad value.
bool take_csv_option(int argc, char** argv, int& i, LookupConvertOptions& options,
                     std::string& error);

// A lookup file number "1" to "3" as its index 0 to 2, or -1.
int lookup_file_index(const std::string& text);

}  // namespace kolibra
