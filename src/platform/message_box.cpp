#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <utility>

namespace nb {
namespace {

MessageBoxSink& Sink() {
  static MessageBoxSink sink;
  return sink;
}

Uint32 SdlFlags(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error: return SDL_MESSAGEBOX_ERROR;
    case MessageIcon::Exclamation: return SDL_MESSAGEBOX_WARNING;
    case MessageIcon::Information: return SDL_MESSAGEBOX_INFORMATION;
    case MessageIcon::None: break;
  }
  return 0;
}

}  // namespace

void ShowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon) {
  if (Sink()) {
    Sink()(MessageBoxCall{text, caption, icon});
    return;
  }
  // Without a display the box cannot show; the text still reaches the console.
  if (SDL_ShowSimpleMessageBox(SdlFlags(icon), caption.c_str(), text.c_str(), nullptr) != 0) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
}

MessageBoxSink SetMessageBoxSink(MessageBoxSink sink) { return std::exchange(Sink(), std::move(sink)); }

}  // namespace nb
