// The programs' resource scripts as text, compiled into toolkit-free libraries
// (kolibra_tgen_script, kolibra_editor_script, kolibra_irfetch_script,
// kolibra_lkpsend_script), for
// code that reads templates or strings without the window toolkit. Link the
// library of the function you call.
#pragma once

#include <string_view>

namespace kolibra {

std::string_view tgen_resource_script();
// The template editor's dialogs (resources/tgen/editor.rsc).
std::string_view editor_resource_script();
// The editor's Menu, Lookup and Startup pages and the screen-text dialogs
// (resources/tgen/editor_pages.rsc, in kolibra_editor_pages_script).
std::string_view editor_pages_resource_script();
std::string_view irfetch_resource_script();
std::string_view lkpsend_resource_script();
// The terminal picture's drawing script (resources/tgen/terminal.art, in
// kolibra_terminal_art_script).
std::string_view terminal_artwork_script();

}  // namespace kolibra
