// Factory values of a new template, and the two pieces of them that bring a
// template of the older file format up to date.
#pragma once

#include "model/template.h"

namespace kolibra {

// reset_template (declared in template.h) sets every block except
// CommSettings to its factory value; texts are written with their zero byte
// and the rest of each slot is left as it was.

// The 14 factory bytes: marker 64, Return/Line-Feed on, fixed-length lookup
// fields, every lookup file uploadable, no-match "Continue", one data file.
void reset_extended_settings(ExtendedSettings& e);

// The four factory lines of the Record prompt page.
void reset_record_prompt_page(Template& t);

// The factory text of line `line` (0-based) of page `id`, exactly as wide as
// the page; empty for a line the page does not have.
const char* factory_page_line(PageId id, int line);

}  // namespace kolibra
