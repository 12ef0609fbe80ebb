#include "core/animation_file.h"

#include <vector>

#include "core/file_io.h"
#include "core/line_tokenizer.h"

namespace nb {

namespace {

uint32_t KindFrom(const LineAttributes& attributes) {
  // Only the exact lower-case "sin" selects the eased segment.
  return AttributeText(attributes, "intr") == "sin" ? Sine : Linear;
}

// The declared length of a channel; a negative or absurd count is refused
// and leaves the channel empty, so the key lines that follow are ignored.
size_t ChannelLength(const LineAttributes& attributes) {
  const int count = AttributeInt(attributes, "count");
  if (count < 0 || count > kMaxKeysPerChannel) return 0;
  return static_cast<size_t>(count);
}

VectorKey VectorKeyFrom(const LineAttributes& attributes) {
  VectorKey key;
  key.time = AttributeFloat(attributes, "time");
  key.kind = KindFrom(attributes);
  key.x = AttributeFloat(attributes, "x");
  key.y = AttributeFloat(attributes, "y");
  return key;
}

// Key lines past the channel's length, including those before its count
// line, have no place to go and are skipped; the shared index still moves.
template <typename Key>
void StoreKey(std::vector<Key>& channel, size_t index, const Key& key) {
  if (index < channel.size()) channel[index] = key;
}

}  // namespace

void ParseAnimation(Animation& animation, const std::string& name, std::string_view text) {
  animation.name = name;
  bool inSection = false;
  size_t keyIndex = 0;
  std::string line;
  LineAttributes attributes;
  while (ReadTextLine(text, line)) {
    if (line.empty()) continue;
    const std::string keyword = TokenizeLine(line, attributes);
    if (keyword == "info") {
      inSection = AttributeText(attributes, "face") == name;
      continue;
    }
    if (!inSection) continue;
    if (keyword == "pos_keys") {
      animation.positionKeys.resize(ChannelLength(attributes), VectorKey{});
      keyIndex = 0;
    } else if (keyword == "pos_key") {
      StoreKey(animation.positionKeys, keyIndex++, VectorKeyFrom(attributes));
    } else if (keyword == "scale_keys") {
      animation.scaleKeys.resize(ChannelLength(attributes), VectorKey{});
      keyIndex = 0;
    } else if (keyword == "scale_key") {
      StoreKey(animation.scaleKeys, keyIndex++, VectorKeyFrom(attributes));
    } else if (keyword == "trans_keys") {
      animation.valueKeys.resize(ChannelLength(attributes), ScalarKey{});
      keyIndex = 0;
    } else if (keyword == "trans_key") {
      ScalarKey key;
      key.time = AttributeFloat(attributes, "time");
      key.kind = KindFrom(attributes);
      key.value = AttributeFloat(attributes, "t");
      StoreKey(animation.valueKeys, keyIndex++, key);
    }
  }
}

std::string LoadAnimations(AnimationSet& animations, const std::string& path) {
  struct Named {
    const char* name;
    Animation* animation;
  };
  const Named order[] = {
      {"logo", &animations.logo},   {"logo1", &animations.logo1},   {"timeleft", &animations.timeleft},
      {"bonus", &animations.bonus}, {"clouds", &animations.clouds}, {"rotation", &animations.rotation},
      {"input", &animations.input}, {"up", &animations.up},
  };
  std::vector<unsigned char> bytes;
  const bool read = ReadWholeFile(path, bytes, kMaxAnimationFileBytes);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  std::string firstEmpty;
  for (const Named& entry : order) {
    entry.animation->name = entry.name;
    if (read) ParseAnimation(*entry.animation, entry.name, text);
    const Animation& a = *entry.animation;
    if (firstEmpty.empty() && a.valueKeys.empty() && a.positionKeys.empty() && a.scaleKeys.empty())
      firstEmpty = entry.name;
  }
  return firstEmpty;
}

}  // namespace nb
