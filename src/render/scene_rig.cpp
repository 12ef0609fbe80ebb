#include "render/scene_state.h"

#include <cstddef>

namespace nb {

namespace {

// A list whose output slot starts at `slot` and shares the first key's time.
RigKeyList MakeList(RigKey slot, std::initializer_list<RigKey> keys) {
  RigKeyList list;
  if (keys.size() > 0) slot.time = keys.begin()->time;
  list.keys.push_back(slot);
  list.keys.insert(list.keys.end(), keys);
  return list;
}

RigKeyList Constant(double x, double y, double z) { return RigKeyList{{{x, y, z, 0}}}; }

}  // namespace

ElementRig MakeElementRig() {
  ElementRig rig;
  RigTrack& reflector = rig.tracks[kRigReflectorTrack];
  reflector.rotation = Constant(0, 0, 0);
  reflector.translation = Constant(0, 0, 0);
  // A key every 10 along the track: each Reflector phase's segment starts
  // and ends on one (kReflectorSegments).
  reflector.scale = MakeList({1, 1, 1, 0}, {{1, 0, 1, 0},
                                            {2, 1, 25, 10},
                                            {1, 0, 1, 20},
                                            {25, 1, 2, 30},
                                            {2, 1, 25, 40},
                                            {1, 1, 1, 50},
                                            {25, 1, 2, 60},
                                            {2, 1, 25, 70},
                                            {1, 0, 1, 80},
                                            {25, 1, 2, 90},
                                            {1, 1, 1, 100},
                                            {2, 1, 25, 110},
                                            {25, 1, 2, 120},
                                            {1, 0, 1, 130}});
  RigTrack& gate = rig.tracks[kRigGateTrack];
  gate.rotation = Constant(0, 0, 0);
  gate.translation = MakeList({0, 0, 0, 0}, {{0, 0, 0, 0}, {0, -50, 0, 20}});
  gate.scale = Constant(1, 1, 1);
  return rig;
}

RigKey EvaluateRigList(const RigKeyList& list, double t) {
  const std::vector<RigKey>& k = list.keys;
  if (k.empty()) return {};
  if (k.size() == 1) return k[0];
  RigKey value = k[0];  // before the first segment: what the slot holds
  const RigKey& last = k.back();
  if (t >= last.time) {
    value = last;
  } else {
    for (std::size_t i = 0; i + 1 < k.size(); ++i) {
      const RigKey& a = k[i];
      const RigKey& b = k[i + 1];
      if (a.time <= t && t < b.time) {
        const double f = (t - a.time) / (b.time - a.time);
        value = {a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f, a.z + (b.z - a.z) * f, t};
        break;
      }
    }
  }
  return value;
}

Matrix EvaluateRigTrack(const ElementRig& rig, int track, double t) {
  if (track < 0 || track >= static_cast<int>(rig.tracks.size())) return Matrix{};
  const RigTrack& tr = rig.tracks[track];
  const RigKey r = EvaluateRigList(tr.rotation, t);
  const RigKey p = EvaluateRigList(tr.translation, t);
  const RigKey s = EvaluateRigList(tr.scale, t);
  Matrix m = MatrixScaling(static_cast<float>(s.x), static_cast<float>(s.y), static_cast<float>(s.z));
  m = MatrixMultiply(m, MatrixRotationX(static_cast<float>(r.x)));
  m = MatrixMultiply(m, MatrixRotationY(static_cast<float>(r.y)));
  m = MatrixMultiply(m, MatrixRotationZ(static_cast<float>(r.z)));
  return MatrixMultiply(
      m, MatrixTranslation(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)));
}

void AdvanceCloudCounter(SceneState& scene) {
  scene.cloudCounter += 1;
  if (scene.cloudCounter > 1024) scene.cloudCounter = 0;
}

void AdvanceElementPulses(SceneState& scene) {
  ++scene.teleportCounter;
  ++scene.stoneCounter;
  ++scene.bonusCounter;
}

}  // namespace nb
