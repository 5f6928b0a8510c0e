#include "link/protocol/port_setup.h"

namespace kolibra {

// Provisional until the transceiver set-up of the port layer is in place.
bool setup_transceiver(LinkSession&, LineSettings&, uint8_t) { return false; }

}  // namespace kolibra
