#pragma once
#include <functional>
#include <string>

namespace nb {

enum class MessageIcon { None, Exclamation, Error, Information };

struct MessageBoxCall {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::None;
};

// Every message the game shows to the player goes through here and is
// written to the log as "caption: text". By default it is a real, blocking
// SDL message box; tests install a sink that captures the calls so that
// nothing blocks.
void ShowMessageBox(const std::string& text, const std::string& caption,
                    MessageIcon icon = MessageIcon::None);

using MessageBoxSink = std::function<void(const MessageBoxCall&)>;
// Replaces the default box; an empty sink restores it. Returns the previous sink.
MessageBoxSink SetMessageBoxSink(MessageBoxSink sink);

}  // namespace nb
