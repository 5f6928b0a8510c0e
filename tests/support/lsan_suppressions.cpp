// Leaks of system libraries that the GUI tests cannot avoid: fontconfig keeps
// its caches until the process ends. Read by LeakSanitizer in sanitizer builds.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
