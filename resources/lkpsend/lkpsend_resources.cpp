// lkpsend's resources are the files of this folder, compiled in by Qt's
// resource system; this file only gives the library a source of its own.
namespace kolibra {
const char* lkpsend_resource_root() { return ":/kolibra/lkpsend"; }
}  // namespace kolibra
