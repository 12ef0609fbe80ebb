#include "platform/message_box.h"

#include <SDL.h>

#include <utility>

#include "core/log.h"

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
  // The log keeps what the player was told, for a report after the box is gone.
  LogPrintf("%s: %s\n", caption.c_str(), text.c_str());
  if (Sink()) {
    Sink()(MessageBoxCall{text, caption, icon});
    return;
  }
  // Without a display the box cannot show; the log and the console have the text.
  SDL_ShowSimpleMessageBox(SdlFlags(icon), caption.c_str(), text.c_str(), nullptr);
}

MessageBoxSink SetMessageBoxSink(MessageBoxSink sink) { return std::exchange(Sink(), std::move(sink)); }

}  // namespace nb
