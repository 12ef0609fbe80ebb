#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace nb {

// The timed texts at the top left of the play screen (extra life, time bonus
// and the like). A slot whose timer is below 0 is free.
constexpr int kStatusSlots = 5;
constexpr int kStatusTextBytes = 64;  // zero-terminated, 63 characters at most
constexpr int32_t kStatusMessageFrames = 500;

struct StatusMessage {
  int32_t timer = -1;  // frames left
  char text[kStatusTextBytes]{};
};

struct StatusMessageQueue {
  StatusMessage slots[kStatusSlots];
};

// The localized wording of those entries; the shell fills it from the
// language file.
struct StatusTexts {
  std::string timeBonus;
  std::string speedFast;
  std::string speedSlow;
  std::string turnAround;
  std::string extraLife;
  std::string quickPickup;
};

// Frees all five slots (done when a level starts).
void ClearStatusMessages(StatusMessageQueue& queue);

// Puts the text into the lowest free slot for 500 frames, cut to 63
// characters. With all five slots busy the message is dropped (false).
bool ShowStatusMessage(StatusMessageQueue& queue, const std::string& text);

// One draw of a status text: where, in which ARGB colour.
struct StatusTextDraw {
  const char* text;
  int x;
  int y;
  uint32_t argb;
};

// Draws every busy slot (a black shadow at +2,+2 first, then the text in
// 0xFFC800) with alpha min(timer, 255) at y = 40 + 20 x slot.
void DrawStatusMessages(const StatusMessageQueue& queue,
                        const std::function<void(const StatusTextDraw&)>& draw);

// Ages every busy slot by one update; a slot drawn at timer 0 is free after
// the next. The play screen runs it before the world step, so a new message
// is drawn first at its full 500.
void AgeStatusMessages(StatusMessageQueue& queue);

}  // namespace nb
