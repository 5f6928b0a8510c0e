// The entry lists of the template's choice fields, in the order their byte
// values count (they are also the editor's drop-down lists, unsorted).
//
// A byte from a damaged file may be beyond its list, so every list is read
// through choice_at, which returns a fallback instead of reading past the end.
#pragma once

#include "model/template.h"

#include <array>
#include <cstddef>
#include <string>

namespace kolibra {

template <std::size_t N>
using ChoiceList = std::array<const char*, N>;

template <std::size_t N>
const char* choice_at(const ChoiceList<N>& list, unsigned index, const char* fallback = "") {
    return index < N ? list[index] : fallback;
}

extern const ChoiceList<2> kFontChoices;
extern const ChoiceList<2> kStartTargetChoices;
extern const ChoiceList<13> kDateStampChoices;
extern const ChoiceList<9> kTimeStampChoices;
extern const ChoiceList<6> kRecordActionChoices;
extern const ChoiceList<4> kLookupFileChoices;
extern const ChoiceList<12> kDataTypeChoices;
extern const ChoiceList<3> kInputSourceChoices;
extern const ChoiceList<4> kAlignmentChoices;
extern const ChoiceList<3> kAutoEnterChoices;
extern const ChoiceList<6> kComPortChoices;
extern const ChoiceList<5> kComBaudChoices;
extern const ChoiceList<32> kKeyboardTypeChoices;
extern const ChoiceList<4> kUploadPortChoices;
extern const ChoiceList<3> kDownloadPortChoices;
extern const ChoiceList<5> kBaudRateChoices;
extern const ChoiceList<2> kBacklightChoices;
extern const ChoiceList<2> kDataDeletionChoices;
extern const ChoiceList<2> kRecordPromptingChoices;
extern const ChoiceList<12> kProtectChoices;
extern const ChoiceList<4> kNoMatchChoices;
// The Lookup page's "Number of fields :" (0 to 8) and the Startup page's
// number of record delimiters (0 to 2).
extern const ChoiceList<9> kFieldCountChoices;
extern const ChoiceList<3> kDelimiterCountChoices;
// irfetch's data file modes, in the order of its setting.
extern const ChoiceList<3> kDataFileModeChoices;

// The lists of the BarcodeSettings bit fields, each in the order of its bits' values.
extern const ChoiceList<2> kTelepenModeChoices;
extern const ChoiceList<3> kShiftLockChoices;
extern const ChoiceList<3> kDigitsLayoutChoices;
extern const ChoiceList<3> kStartStopChoices;
extern const ChoiceList<4> kCodabarStartStopChoices;
extern const ChoiceList<3> kMsiVerifyChoices;
extern const ChoiceList<3> kMsiTransmitChoices;
extern const ChoiceList<4> kReadRedundancyChoices;
extern const ChoiceList<2> kLengthModeChoices;
extern const ChoiceList<9> kScanModeChoices;

constexpr int kTargetCount = 21;
constexpr int kLookupLinkCount = 25;

// "Main", "form  1" ... "form  10", "menu  1" ... "menu  10"; "" beyond 20.
std::string target_name(unsigned target);
// "nil", "field 1" ... "field 8", "-field 1" ..., "+field 1" ...; "" beyond 24.
std::string lookup_link_name(unsigned link);

// Bit rate of a CommSettings `com_baud` index (115200 ... 9600); 0 when the
// index is beyond the list.
long com_baud_rate(unsigned index);

}  // namespace kolibra
