// Open, Save and Save As of the template file, with their file dialogs and
// messages. Each returns true on success.
#pragma once

#include "common/file_picker.h"
#include "common/prompter.h"
#include "model/template.h"

#include <string>

namespace kolibra {

// Shows the open dialog and reads the chosen file; on success the document
// holds it, its file name is the path and `modified` is clear. Cancelled or
// refused: the document is unchanged.
bool open_template(TemplateDocument& doc, FilePicker& picker, Prompter& prompter);

// Reads the file at `path` as Open does after its dialog, with Open's
// messages. Open's dialog only offers files that exist; a path from the
// command line may name anything, so `tell_unopenable` also tells a file that
// cannot be opened at all.
bool open_template_at(TemplateDocument& doc, const std::string& path, Prompter& prompter,
                      bool tell_unopenable);

// Writes to the current file name, or asks for one as save_template_as does.
// Does not touch `modified`; the caller clears it on success. False when no
// file was chosen or the write failed (and was told).
bool save_template(TemplateDocument& doc, FilePicker& picker, Prompter& prompter);

// Asks for a file name (".ATX" is added unless the name ends in it, in any
// case) and writes the template there; the name becomes the current file
// name when the write succeeds.
bool save_template_as(TemplateDocument& doc, FilePicker& picker, Prompter& prompter);

// The dialog requests, with their filters and options.
FileDialogRequest open_template_request();
FileDialogRequest save_template_request();

}  // namespace kolibra
