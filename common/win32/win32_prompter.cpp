#include "common/win32/win32_prompter.h"

#include "common/names_win32.h"

namespace kolibra {

UINT message_box_flags(Icon icon, Buttons buttons, bool has_owner) {
    UINT flags = has_owner ? MB_APPLMODAL : MB_TASKMODAL;
    switch (icon) {
    case Icon::None: break;
    case Icon::Information: flags |= MB_ICONINFORMATION; break;
    case Icon::Warning: flags |= MB_ICONWARNING; break;
    case Icon::Error: flags |= MB_ICONERROR; break;
    case Icon::Question: flags |= MB_ICONQUESTION; break;
    }
    switch (buttons) {
    case Buttons::Ok: flags |= MB_OK; break;
    case Buttons::OkCancel: flags |= MB_OKCANCEL; break;
    case Buttons::YesNo: flags |= MB_YESNO; break;
    case Buttons::YesNoCancel: flags |= MB_YESNOCANCEL; break;
    case Buttons::RetryCancel: flags |= MB_RETRYCANCEL; break;
    }
    return flags;
}

Answer message_box_answer(int result, Buttons buttons) {
    switch (result) {
    case IDOK: return Answer::Ok;
    case IDCANCEL: return buttons == Buttons::Ok ? Answer::Ok : buttons == Buttons::YesNo ? Answer::No
                                                                                           : Answer::Cancel;
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    case IDRETRY: return Answer::Retry;
    default: break;
    }
    // 0: the box could not be shown; answer as if it was closed.
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    default: return Answer::Cancel;
    }
}

Answer Win32Prompter::ask(const std::string& text, const std::string& caption, Icon icon,
                          Buttons buttons) {
    const std::wstring wide_text = widen_utf8(text);
    const std::wstring wide_caption = widen_utf8(caption);
    const int result = box_(owner_, wide_text.c_str(), wide_caption.c_str(),
                            message_box_flags(icon, buttons, owner_ != nullptr));
    return message_box_answer(result, buttons);
}

}  // namespace kolibra
