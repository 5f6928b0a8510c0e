// The system's half of the reception history: exclusive creation, flushing to
// stable storage and the local time (history_files_posix.cpp,
// history_files_win32.cpp).
#pragma once

#include <cstdio>
#include <string>

namespace kolibra {

// Creates the file only when no file of that name exists, for writing in
// binary; null when it exists or cannot be created (errno-style reason in
// `reason`, empty when it merely existed).
std::FILE* create_exclusive(const std::string& path, bool& existed, std::string& reason);

// Flushes the stream and the system's buffers of its file to the disk.
bool flush_to_disk(std::FILE* file, std::string& reason);

// The local date and time now as "YYYY-MM-DDTHH:MM:SS".
std::string local_time_now();

// The per-user data folder variable of this system: $XDG_DATA_HOME, else
// ~/.local/share; %LOCALAPPDATA% on Windows. Empty when none is known.
std::string user_data_folder();

}  // namespace kolibra
