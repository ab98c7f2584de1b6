#include "platform/message_box.h"

#include <utility>

namespace {
MessageResponder& responder() {
    static MessageResponder instance;
    return instance;
}
}  // namespace

int showMessage(HWND owner, const char* text, const char* caption, UINT style) {
    if (responder()) return responder()(owner, text, caption, style);
    return MessageBoxA(owner, text, caption, style);
}

void setMessageResponder(MessageResponder newResponder) { responder() = std::move(newResponder); }
