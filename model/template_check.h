// Design mistakes a template carries to the terminal: targets that lead to an
// empty form or menu, forms and menus nothing leads to, lookup links the
// template cannot satisfy, texts the terminal cuts, length settings that
// contradict each other, pass-down lines with nothing to pass down, and
// lookup descriptions the terminal cannot take.
//
// The template is checked as the terminal will be given it: on a copy that
// normalize_forms and derive_counts have tidied, as a program download does;
// the length settings are read as the designer stored them.
#pragma once

#include "model/template.h"

#include <string>
#include <vector>

namespace kolibra {

enum class Severity { Warning, Error };

struct Finding {
    Severity severity = Severity::Error;
    // Where, as the editor names it: "start", "form 2", "form 2 line 3",
    // "menu 1 item 4", "lookup file 1 field 2"; for a lookup data file "line 7".
    std::string place;
    std::string message;
};

// The largest member length the terminal takes for a lookup file.
constexpr int kMaxMemberLength = 250;

std::vector<Finding> check_template(const Template& t);

// "FILE: PLACE: error: MESSAGE" (or "warning:"); without a place
// "FILE: error: MESSAGE".
std::string finding_line(const std::string& file, const Finding& finding);

bool has_error(const std::vector<Finding>& findings);

}  // namespace kolibra
