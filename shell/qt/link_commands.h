// The six download and receive commands of the pop-up menu on Qt (the
// commands themselves are in shell/transfer/). While one runs, the windows
// keep painting but take no input; its questions and messages are modal
// boxes.
#pragma once

#include "link/pumping_clock.h"
#include "shell/transfer/transfer_commands.h"

namespace kolibra {

// Runs one command to its end; the protocols tell the user every outcome.
void run_link_command(const LinkServices& services, TemplateDocument& doc, LinkCommand command,
                      bool use_ir);

// A clock that lets the windows repaint while the link waits: it waits in
// short slices of the given clock and handles paint and timer events between
// them.
class PaintingClock : public PumpingClock {
public:
    explicit PaintingClock(Clock& inner);
};

}  // namespace kolibra
