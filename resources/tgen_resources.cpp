// tgen's resources are the files of resources/tgen/, compiled in by Qt's
// resource system; this file only gives the library a source of its own.
namespace kolibra {
const char* tgen_resource_root() { return ":/kolibra/tgen"; }
}  // namespace kolibra
