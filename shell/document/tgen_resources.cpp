#include "shell/document/tgen_resources.h"

#include "resources/embedded_scripts.h"

namespace kolibra {

const ResourceSet& tgen_resources() {
    static const ResourceSet set = load_resource_script("tgen.rsc", tgen_resource_script());
    return set;
}

}  // namespace kolibra
