#include "shell/gui/link_commands.h"

#include "common/qt/qt_progress.h"
#include "link/protocol/download.h"
#include "link/protocol/link_session.h"

namespace kolibra {

namespace {

// Long enough not to cost CPU, short enough that the window never looks hung.
constexpr uint32_t kPaintSliceMs = 30;

}  // namespace

void PaintingClock::pause(uint32_t ms) {
    const uint32_t deadline = inner_.now_ms() + ms;
    for (;;) {
        const uint32_t left = ms_until(inner_.now_ms(), deadline);
        if (left == 0) return;
        inner_.pause(left < kPaintSliceMs ? left : kPaintSliceMs);
        pump_paint_events();
    }
}

void PaintingClock::wait_for_input(SerialPort& port, uint32_t deadline_ms) {
    for (;;) {
        const uint32_t now = inner_.now_ms();
        const uint32_t left = ms_until(now, deadline_ms);
        if (left == 0) return;
        const uint32_t slice_end = now + (left < kPaintSliceMs ? left : kPaintSliceMs);
        inner_.wait_for_input(port, slice_end);
        if (port.wait_readable(0)) {
            pump_paint_events();
            return;
        }
        // A port that returns early without input (an error) must not make
        // this loop spin: sit out the rest of the slice.
        const uint32_t rest = ms_until(inner_.now_ms(), slice_end);
        if (rest > 0) inner_.pause(rest);
        pump_paint_events();
    }
}

void run_link_command(const LinkServices& services, TemplateDocument& doc, LinkCommand command,
                      bool use_ir) {
    if (!services.make_port || !services.clock || !services.prompter || !services.progress) return;
    std::unique_ptr<SerialPort> port = services.make_port();
    if (!port) return;
    InputBlocker no_input;
    LinkSession link{*port, *services.clock, *services.prompter};
    LinkTarget target{doc.tpl.comm.com_port, doc.tpl.comm.com_baud, use_ir};
    switch (command) {
    case LinkCommand::DownloadProgram:
    case LinkCommand::DownloadLookup: {
        DownloadRequest request;
        request.target = target;
        request.kind = command == LinkCommand::DownloadProgram ? DownloadKind::ProgramImage
                                                               : DownloadKind::LookupFile;
        request.tpl = &doc.tpl;
        download_to_terminal(link, *services.progress, services.picker, request, DownloadOptions{});
        break;
    }
    case LinkCommand::ReceiveData: {
        ReceiveEnvironment env;
        env.picker = services.picker;
        env.launcher = services.launcher;
        env.count_view = services.count_view;
        receive_from_terminal(link, env, target);
        break;
    }
    }
}

}  // namespace kolibra
