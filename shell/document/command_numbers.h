// The numbers of tgen's commands: the pop-up menu's items and the
// accelerators carry them (resources/tgen/tgen.rsc), and every window face's
// main window carries them out.
#pragma once

namespace kolibra::command {
constexpr int kNew = 1010, kOpen = 1020, kSave = 1030, kSaveAs = 1040, kExit = 1090;
constexpr int kEdit = 2000, kComSettings = 2100;
constexpr int kDownloadProgram = 3020, kDownloadProgramIr = 3021;
constexpr int kReceive = 3030, kReceiveIr = 3031;
constexpr int kDownloadLookup = 3040, kDownloadLookupIr = 3041;
constexpr int kAbout = 9030;
constexpr int kCollectedRecords = 3050;  // the simulator's collected records window
constexpr int kReceptionHistory = 3060;  // the reception history window
constexpr int kScanBarcode = 3070;       // the simulator's simulated scan
// The terminal window's size: 100, 150 and 200 %.
constexpr int kZoom100 = 3081, kZoom150 = 3082, kZoom200 = 3083;
// The zoom step a command chooses, 0 for any other command.
constexpr int zoom_of_command(int id) {
    return id == kZoom100 ? 100 : id == kZoom150 ? 150 : id == kZoom200 ? 200 : 0;
}
}  // namespace kolibra::command
