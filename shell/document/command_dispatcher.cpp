#include "shell/document/command_dispatcher.h"

#include "shell/document/command_numbers.h"

namespace kolibra {

namespace {

void call(const std::function<void()>& action) {
    if (action) action();
}

}  // namespace

void CommandDispatcher::transfer(LinkCommand which, bool use_ir) {
    if (!actions_.transfer) return;
    transfer_running_ = true;
    actions_.transfer(which, use_ir);
    transfer_running_ = false;
}

bool CommandDispatcher::run(int id) {
    using namespace command;
    if (transfer_running_) return false;
    switch (id) {
    case kNew:
        commands_.new_template();
        return true;
    case kOpen:
        commands_.open();
        return true;
    case kSave:
        commands_.save();
        return true;
    case kSaveAs:
        commands_.save_as();
        return true;
    case kExit:
        call(actions_.exit);
        return true;
    case kEdit:
        commands_.edit();
        return true;
    case kComSettings:
        call(actions_.com_settings);
        return true;
    case kDownloadProgram:
    case kDownloadProgramIr:
        transfer(LinkCommand::DownloadProgram, id == kDownloadProgramIr);
        return true;
    case kDownloadLookup:
    case kDownloadLookupIr:
        transfer(LinkCommand::DownloadLookup, id == kDownloadLookupIr);
        return true;
    case kReceive:
    case kReceiveIr:
        transfer(LinkCommand::ReceiveData, id == kReceiveIr);
        return true;
    case kAbout:
        call(actions_.about);
        return true;
    case kCollectedRecords:
        call(actions_.collected_records);
        return true;
    case kReceptionHistory:
        call(actions_.reception_history);
        return true;
    default:
        return false;
    }
}

}  // namespace kolibra
