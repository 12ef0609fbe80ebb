#include "gameplay/world.h"

#include <utility>

namespace nb {

const ProfileRecord* PlayerProfile(const ProfileTable& profiles) {
  if (profiles.current < 0 || profiles.current >= kMaxProfiles) return nullptr;
  if (profiles.current >= profiles.count) return nullptr;
  return &profiles.profiles[profiles.current];
}

ProfileRecord* PlayerProfile(ProfileTable& profiles) {
  return const_cast<ProfileRecord*>(PlayerProfile(std::as_const(profiles)));
}

int ModeIndex(const ProfileRecord& profile) {
  return profile.mode >= 0 && profile.mode < kGameModes ? profile.mode : 0;
}

int32_t CurrentScore(const ProfileTable& profiles) {
  const ProfileRecord* p = PlayerProfile(profiles);
  return p ? p->score[ModeIndex(*p)] : 0;
}

int32_t CurrentScore(const GameplayContext& ctx) { return CurrentScore(ctx.profiles); }

int32_t CurrentLives(const ProfileTable& profiles) {
  const ProfileRecord* p = PlayerProfile(profiles);
  return p ? p->lives[ModeIndex(*p)] : 0;
}

int32_t CurrentLives(const GameplayContext& ctx) { return CurrentLives(ctx.profiles); }

int32_t CurrentLevel(const ProfileTable& profiles) {
  const ProfileRecord* p = PlayerProfile(profiles);
  return p ? p->level[ModeIndex(*p)] : 0;
}

int32_t CurrentLevel(const GameplayContext& ctx) { return CurrentLevel(ctx.profiles); }

int32_t CurrentMode(const GameplayContext& ctx) {
  const ProfileRecord* p = PlayerProfile(ctx.profiles);
  return p ? ModeIndex(*p) : 0;
}

void SetCurrentScore(GameplayContext& ctx, int32_t score) {
  if (ProfileRecord* p = PlayerProfile(ctx.profiles)) p->score[ModeIndex(*p)] = score;
}

void SetCurrentLives(GameplayContext& ctx, int32_t lives) {
  if (ProfileRecord* p = PlayerProfile(ctx.profiles)) p->lives[ModeIndex(*p)] = lives;
}

void SetCurrentLevel(GameplayContext& ctx, int32_t level) {
  if (ProfileRecord* p = PlayerProfile(ctx.profiles)) p->level[ModeIndex(*p)] = level;
}

}  // namespace nb
