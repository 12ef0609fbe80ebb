#include "gameplay/status_messages.h"

#include <algorithm>
#include <cstring>

namespace nb {

void ClearStatusMessages(StatusMessageQueue& queue) {
  for (StatusMessage& slot : queue.slots) slot.timer = -1;
}

bool ShowStatusMessage(StatusMessageQueue& queue, const std::string& text) {
  for (StatusMessage& slot : queue.slots) {
    if (slot.timer >= 0) continue;
    size_t n = std::min(text.size(), static_cast<size_t>(kStatusTextBytes - 1));
    // Stop at an embedded zero as a C string copy would.
    n = std::min(n, std::strlen(text.c_str()));
    std::memcpy(slot.text, text.data(), n);
    slot.text[n] = '\0';
    slot.timer = kStatusMessageFrames;
    return true;
  }
  return false;
}

void DrawStatusMessages(const StatusMessageQueue& queue,
                        const std::function<void(const StatusTextDraw&)>& draw) {
  for (int k = 0; k < kStatusSlots; ++k) {
    const StatusMessage& slot = queue.slots[k];
    if (slot.timer < 0) continue;
    uint32_t alpha = static_cast<uint32_t>(std::min(slot.timer, 255));
    int y = 40 + 20 * k;
    draw({slot.text, 2, y + 2, alpha << 24});
    draw({slot.text, 0, y, (alpha << 24) | 0xFFC800u});
  }
}

void AgeStatusMessages(StatusMessageQueue& queue) {
  for (StatusMessage& slot : queue.slots)
    if (slot.timer >= 0) slot.timer -= 1;
}

}  // namespace nb
