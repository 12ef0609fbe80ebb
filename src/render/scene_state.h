#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "core/matrix.h"

namespace nb {

// One key of an ElementRig list: a value and the time it is reached at.
struct RigKey {
  double x = 0, y = 0, z = 0, time = 0;
};

// A key list. Key 0 holds the value before the first segment: it carries
// the time of key 1, so it never starts a segment.
struct RigKeyList {
  std::vector<RigKey> keys;
};

struct RigTrack {
  RigKeyList rotation;  // angles about X, Y and Z
  RigKeyList translation;
  RigKeyList scale;
};

// The element animation object: track 0 scales a Reflector through its
// placing, turning and removal; track 1 sinks a gate into the floor.
struct ElementRig {
  std::array<RigTrack, 2> tracks;
};
constexpr int kRigReflectorTrack = 0;
constexpr int kRigGateTrack = 1;

ElementRig MakeElementRig();
// Evaluates one list at time t (see RigKeyList) and returns the value.
RigKey EvaluateRigList(const RigKeyList& list, double t);
// The track's transform at time t: scaling, then rotation X, Y, Z, then
// translation. An unknown track gives the identity.
Matrix EvaluateRigTrack(const ElementRig& rig, int track, double t);

// The scene's animation counters, advanced once per update, and the rig the
// passes read.
struct SceneState {
  uint8_t stoneCounter = 0;
  uint8_t bonusCounter = 0;
  uint8_t teleportCounter = 0;
  int32_t cloudCounter = 0;  // 1 .. 1024, then 0 again
  ElementRig rig = MakeElementRig();
};

// The clouds' counter runs 1, 2, ... 1024, 0, 1, ... (play and menus).
void AdvanceCloudCounter(SceneState& scene);
// The pulse counters of teleports, stones and bonuses (play only).
void AdvanceElementPulses(SceneState& scene);

}  // namespace nb
