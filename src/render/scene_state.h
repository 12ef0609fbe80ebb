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

// A key list. Key 0 is the output slot: it carries the time of key 1, so it
// never starts a segment, and every evaluation writes its result into it.
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
RigKey EvaluateRigList(RigKeyList& list, double t);
// The track's transform at time t: scaling, then rotation X, Y, Z, then
// translation. An unknown track gives the identity.
Matrix EvaluateRigTrack(ElementRig& rig, int track, double t);

// What the scene passes keep from frame to frame: their animation counters
// (advanced once per drawn frame) and the rig.
struct SceneState {
  uint8_t stoneCounter = 0;
  uint8_t bonusCounter = 0;
  uint8_t teleportCounter = 0;
  int32_t cloudCounter = 0;  // 1 .. 1024, then 0 again
  ElementRig rig = MakeElementRig();
};

// The cloud counter's next value: 1, 2, ... 1024, 0, 1, ...
int32_t AdvanceCloudCounter(int32_t counter);

}  // namespace nb
