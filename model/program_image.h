// The terminal program image: the template's blocks without CommSettings,
// with texts padded to the screen width, prefix and suffix code lists turned
// into bytes and several choice fields shifted to the terminal's codes.
#pragma once

#include "model/template.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace kolibra {

constexpr std::size_t kProgramImageSize = 10500;
using ProgramImage = std::array<uint8_t, kProgramImageSize>;

// Offsets of the blocks inside the image (file offset minus 10).
constexpr std::size_t kImageStartCode = 0;
constexpr std::size_t kImageBarcode = 1;
constexpr std::size_t kImageMenus = 25;
constexpr std::size_t kImageForms = 2525;
constexpr std::size_t kImageLookups = 8535;
constexpr std::size_t kImageFieldDelimiter = 8592;
constexpr std::size_t kImagePages = 8594;
constexpr std::size_t kImageSystem = 10456;
constexpr std::size_t kImagePassword = 10476;
constexpr std::size_t kImageExtended = 10486;

// The ten forms with their prefix and suffix code lists converted to bytes.
using ConvertedForms = std::array<FormRecord, kFormCount>;

// Builds the image. Changes `t` in place: normalize_forms and the form step of
// derive_counts run on it (neither sets the document's `modified`).
ProgramImage build_program_image(Template& t);

// Copies of the ten forms in which every prefix and suffix that is switched on
// and consists only of digits and spaces is turned into its character codes
// followed by a zero byte. `t` is not changed.
ConvertedForms convert_code_lists(const Template& t);

// Converts one code list slot `text` (10 bytes) into `out` (10 bytes), which
// must hold a copy of it. Returns false and leaves `out` unchanged when the
// text is literal (anything besides digits and spaces). A number above 255
// ends the list: the codes before it are kept and a zero byte follows them.
bool convert_code_list(const uint8_t* text, uint8_t* out);

}  // namespace kolibra
