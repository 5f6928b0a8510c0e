#include "model/choices.h"

namespace kolibra {

const ChoiceList<2> kFontChoices = {"small", "large"};
const ChoiceList<2> kStartTargetChoices = {"form 1", "menu 1"};
const ChoiceList<13> kDateStampChoices = {
    "nil",         "+yyyy/mm/dd", "+mm/dd/yyyy", "+dd/mm/yyyy", "+yyyymmdd",
    "+mmddyyyy",   "+ddmmyyyy",   "yyyy/mm/dd+", "mm/dd/yyyy+", "dd/mm/yyyy+",
    "yyyymmdd+",   "mmddyyyy+",   "ddmmyyyy+"};
const ChoiceList<9> kTimeStampChoices = {"nil",       "+hh:mm:ss", "+hh:mm",
                                         "+hhmmss",   "+hhmm",     "hh:mm:ss+",
                                         "hh:mm+",    "hhmmss+",   "hhmm+"};
const ChoiceList<6> kRecordActionChoices = {"save",      "update lookup", "save & update",
                                            "pass down", "output record", "output screen"};
const ChoiceList<4> kLookupFileChoices = {"nil", "1st lookup file", "2nd lookup file",
                                          "3rd lookup file"};
const ChoiceList<12> kDataTypeChoices = {"nil",        "text",   "integer",   "real",
                                         "letter",     "fixed data", "prompt", "lookup",
                                         "extension",  "boolean", "counter",  "pass down"};
const ChoiceList<3> kInputSourceChoices = {"reader", "keypad", "both"};
const ChoiceList<4> kAlignmentChoices = {
    "Left aligned (padded with space)", "Right aligned (filled with space)",
    "Left aligned (padded with 0)", "Right aligned (filled with 0)"};
const ChoiceList<3> kAutoEnterChoices = {"No", "Scan+ENTER", "ENTER+Scan"};
const ChoiceList<6> kComPortChoices = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"};
const ChoiceList<5> kComBaudChoices = {"115200", "57600", "38400", "19200", "9600"};
const ChoiceList<32> kKeyboardTypeChoices = {
    "PCAT (USA)",          "PCAT (French)",         "PCAT (German)",
    "PCAT (Italian)",      "PCAT (Swedish)",        "PCAT (Norwegian)",
    "PCAT (UK)",           "PCAT (Belgium)",        "PCAT (Spanish)",
    "PCAT (Portuguese)",   "PS55 A01-1",            "PS55 A01-2",
    "PS55 A01-3",          "PS55 001-1",            "PS55 001-81",
    "PS55 001-2",          "PS55 001-82",           "PS55 001-3",
    "PS55 001-8A",         "PS55 002-1, 003-1",     "PS55 002-81, 003-81",
    "PS55 002-2, 003-2",   "PS55 002-82, 003-82",   "PS55 002-3, 003-3",
    "PS55 002-8A, 003-8A", "IBM 3477 TYPE 4",       "PS2-30",
    "Memorex Telex 122 Keys", "PCXT",               "IBM 5550",
    "Macintosh (ADB)",     "PCAT (Swiss)"};
const ChoiceList<4> kUploadPortChoices = {"RS-232 / Cradle", "IR Transceiver", "Standard IrDA",
                                          "Keyboard Wedge"};
const ChoiceList<3> kDownloadPortChoices = {"RS-232 / Cradle", "IR Transceiver",
                                            "Standard IrDA"};
const ChoiceList<5> kBaudRateChoices = {"115200 bps", "57600 bps", "38400 bps", "19200 bps",
                                        "9600 bps"};
const ChoiceList<2> kBacklightChoices = {"Turn off", "Turn on"};
const ChoiceList<2> kDataDeletionChoices = {"Manually", "Automatically"};
const ChoiceList<2> kRecordPromptingChoices = {"Yes", "No"};
const ChoiceList<12> kProtectChoices = {
    "System Settings",   "Edit Data",          "Delete Data",  "Set Date & Time",
    "Download Program",  "Download Lookup",    "Set Upload Port", "Set Download Port",
    "Transmission Speed", "LCD Backlight",     "Data Deletion", "Record Prompting"};
const ChoiceList<4> kNoMatchChoices = {"Continue", "Show warning message",
                                       "Insert to lookup file",
                                       "Show warning message & Insert"};

const ChoiceList<2> kTelepenModeChoices = {"AIM Telepen  (Full ASCII)",
                                           "Original Telepen  (Numeric)"};
const ChoiceList<3> kShiftLockChoices = {"Normal", "Capital-lock keyboard", "Shift-lock keyboard"};
const ChoiceList<3> kDigitsLayoutChoices = {"Normal", "Lower position", "Upper position"};
const ChoiceList<3> kStartStopChoices = {"Industrial 25", "Interleave 25", "Matrix 25"};
const ChoiceList<4> kCodabarStartStopChoices = {"abcd / abcd", "abcd / tn*e", "ABCD / ABCD",
                                                "ABCD / TN*E"};
const ChoiceList<3> kMsiVerifyChoices = {"Single Modulo 10", "Double Modulo 10", "Modulo 11 & 10"};
const ChoiceList<3> kMsiTransmitChoices = {"Last digit not transmitted", "Transmitted",
                                           "Last 2 digits not transmitted"};
const ChoiceList<4> kReadRedundancyChoices = {"None", "One time", "Two times", "Three times"};
const ChoiceList<2> kLengthModeChoices = {"Fixed Length", "Max / Min Length"};
const ChoiceList<9> kScanModeChoices = {"Auto Off", "Continuous", "Auto Power Off",
                                        "Alternate", "Momentary", "Repeat",
                                        "Laser", "Test", "Aiming"};
const ChoiceList<9> kFieldCountChoices = {" 0", " 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8"};
const ChoiceList<3> kDelimiterCountChoices = {"nil", " 1 ", " 2 "};
const ChoiceList<3> kDataFileModeChoices = {"Overwrite", "Append", "New name"};

std::string target_name(unsigned target) {
    if (target == 0) return "Main";
    if (target <= 10) return "form  " + std::to_string(target);
    if (target <= 20) return "menu  " + std::to_string(target - 10);
    return "";
}

std::string lookup_link_name(unsigned link) {
    if (link == 0) return "nil";
    if (link <= 8) return "field " + std::to_string(link);
    if (link <= 16) return "-field " + std::to_string(link - 8);
    if (link <= 24) return "+field " + std::to_string(link - 16);
    return "";
}

long com_baud_rate(unsigned index) {
    static constexpr long kRates[5] = {115200, 57600, 38400, 19200, 9600};
    return index < 5 ? kRates[index] : 0;
}

}  // namespace kolibra
