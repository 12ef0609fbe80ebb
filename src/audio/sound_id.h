#pragma once

namespace nb {

// The samples of the Sounds section, in the order the catalogue loads them.
enum class SoundId : int {
  BrickCrash,
  WallHit,
  ReflectHit,
  ReflectorTurn,
  ReflectorSet,
  ReflectorRemove,
  ReflectorCrash,
  PickUpStone,
  PickUpBonus,
  OnButton,
  ActorDown,
  ActorUp,
  SwitchMenu,
  BallDown,
  TimeEnd,
  Bonus1,
  Bonus2,
  Bonus3,
  Bonus4,
  Lost,
  Win,
  MenuOnEnter,
  MenuOnClick,
  Test,
  MenuMove,
  Start,
  End,
  Count
};

constexpr int kSampleCount = static_cast<int>(SoundId::Count);  // 27

// The Sounds keys, indexed by SoundId.
inline constexpr const char* kSampleKeys[kSampleCount] = {
    "BrickCrash",     "WallHit",     "ReflectHit",  "ReflectorTurn", "ReflectorSet", "ReflectorRemove",
    "ReflectorCrash", "PickUpStone", "PickUpBonus", "OnButton",      "ActorDown",    "ActorUp",
    "swichMenu",      "BallDown",    "TimeEnd",     "bonus1",        "bonus2",       "bonus3",
    "bonus4",         "lost",        "win",         "menuonenter",   "menuonclick",  "test",
    "menumov",        "start",       "end"};

enum class MusicId : int { Game, Menu, Intro, Count };
inline constexpr const char* kMusicKeys[3] = {"gamemusic", "menumusic", "intromusic"};

}  // namespace nb
