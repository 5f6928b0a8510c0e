// Where a program's printed text goes. A windowed Windows program starts
// without a console; when it was started from one (cmd, PowerShell) its
// --help and other printed text should still appear there.
#pragma once

namespace kolibra {

// Makes stdout and stderr reach the console of the program that started this
// one when they lead nowhere; keeps them when they already lead somewhere (a
// console, a file, a pipe, or the terminal Wine was started from). Nothing to
// do on other systems.
void reach_parent_console();

}  // namespace kolibra
