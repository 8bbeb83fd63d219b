#include "framework/environment/msgbox.h"

#include "framework/environment/envcontext.h"
#include "framework/environment/restext.h"

#include <string>

namespace panolcd {

MsgResult MsgBox(std::string_view, std::string_view text, unsigned flags) {
    UserPort& user = *EnvCtx().user;
    user.Beep();
    return user.ShowMessage(MsgKindOf(flags), MsgButtonsOf(flags), std::string(),
                            std::string(text));
}

MsgResult MsgBox(int captionId, int textId, unsigned flags) {
    return MsgBox(ResTextZ(captionId, 128), ResTextZ(textId, 128), flags);
}

void MsgBox(std::string_view text) {
    UserPort& user = *EnvCtx().user;
    user.Beep();
    user.ShowMessage(MsgKind::Information, MsgButtons::Ok, std::string(), std::string(text));
}

} // namespace panolcd
