// Texts of the help screens that differ by system: example paths in the form
// the user types them, what stands behind a COM port name, and where an
// installed program's folder is not writable for a user.
#pragma once

namespace kolibra {

#ifdef _WIN32
inline constexpr char kExampleDataFile[] = "C:\\data\\shop1.txt";
inline constexpr char kExampleLookupFile[] = "C:\\data\\lookup\\items.txt";
inline constexpr char kPortDeviceHelp[] =
    "Port COMn is the device named by %KOLIBRA_COMn%, else \\\\.\\COMn.";
inline constexpr char kInstalledProgramFolder[] = "under Program Files";
#else
inline constexpr char kExampleDataFile[] = "/data/shop1.txt";
inline constexpr char kExampleLookupFile[] = "/data/lookup/items.txt";
inline constexpr char kPortDeviceHelp[] =
    "Port COMn is the device named by $KOLIBRA_COMn, else /dev/ttyS0../dev/ttyS5.";
inline constexpr char kInstalledProgramFolder[] = "in /usr/bin";
#endif

}  // namespace kolibra
