#include "platform/device_base.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace nb {

namespace {

bool ValidRenderState(RenderState s) {
  return static_cast<uint32_t>(s) < static_cast<uint32_t>(kRenderStateCount);
}
bool ValidStageState(uint32_t stage, TextureStageState s) {
  return stage < kTextureStageCount &&
         static_cast<uint32_t>(s) < static_cast<uint32_t>(kTextureStageStateCount);
}
bool ValidSamplerState(uint32_t sampler, SamplerState s) {
  return sampler < kSamplerCount && static_cast<uint32_t>(s) < static_cast<uint32_t>(kSamplerStateCount);
}
uint32_t U(float f) { return FloatBits(f); }

RecordedCall MakeCall(DeviceOp op, std::vector<uint32_t> args) {
  RecordedCall call;
  call.op = op;
  call.args = std::move(args);
  return call;
}

// Largest texture side accepted; larger images are refused rather than
// allocated.
constexpr int kMaxTextureSide = 8192;
// Largest buffer accepted (bytes).
constexpr uint32_t kMaxBufferBytes = 256u << 20;

}  // namespace

const char* DeviceOpName(DeviceOp op) {
  static const char* const kNames[] = {"SetRenderState",
                                       "SetTextureStageState",
                                       "SetSamplerState",
                                       "SetTransform",
                                       "SetMaterial",
                                       "SetLight",
                                       "LightEnable",
                                       "CreateTexture",
                                       "ReleaseTexture",
                                       "SetTexture",
                                       "CreateVertexBuffer",
                                       "LockVertexBuffer",
                                       "UnlockVertexBuffer",
                                       "ReleaseVertexBuffer",
                                       "CreateIndexBuffer",
                                       "LockIndexBuffer",
                                       "UnlockIndexBuffer",
                                       "ReleaseIndexBuffer",
                                       "SetStreamSource",
                                       "SetIndices",
                                       "SetFVF",
                                       "DrawIndexedPrimitive",
                                       "DrawPrimitive",
                                       "Clear",
                                       "BeginScene",
                                       "EndScene",
                                       "Present",
                                       "TestCooperativeLevel",
                                       "Reset",
                                       "BeginStateBlock",
                                       "EndStateBlock",
                                       "CaptureStateBlock",
                                       "ApplyStateBlock",
                                       "ReleaseStateBlock",
                                       "CompleteMipChain"};
  auto i = static_cast<size_t>(op);
  return i < sizeof kNames / sizeof kNames[0] ? kNames[i] : "?";
}

std::string Describe(const RecordedCall& call) {
  std::string s = DeviceOpName(call.op);
  s += "(";
  for (size_t i = 0; i < call.args.size(); ++i) {
    if (i) s += ", ";
    // The state argument is named so call lists read like the passes.
    if (i == 0 && call.op == DeviceOp::SetRenderState) {
      s += RenderStateName(static_cast<RenderState>(call.args[0]));
    } else if (i == 1 && call.op == DeviceOp::SetTextureStageState) {
      s += TextureStageStateName(static_cast<TextureStageState>(call.args[1]));
    } else if (i == 1 && call.op == DeviceOp::SetSamplerState) {
      s += SamplerStateName(static_cast<SamplerState>(call.args[1]));
    } else if (i == 0 && call.op == DeviceOp::SetTransform) {
      s += TransformStateName(static_cast<TransformState>(call.args[0]));
    } else {
      char buf[16];
      std::snprintf(buf, sizeof buf, call.args[i] > 0xFFFF ? "0x%X" : "%u", call.args[i]);
      s += buf;
    }
  }
  s += ")";
  return s;
}

DeviceBase::DeviceBase(const PresentParameters& params)
    : states_(DefaultDeviceStates(params.enableAutoDepthStencil)), params_(params) {}

void DeviceBase::NoteCall(DeviceOp op, std::vector<uint32_t> args) { Note(MakeCall(op, std::move(args))); }

// --- states ---------------------------------------------------------------

DeviceResult DeviceBase::SetRenderState(RenderState state, uint32_t value) {
  RecordedCall call = MakeCall(DeviceOp::SetRenderState, {static_cast<uint32_t>(state), value});
  call.recordedInBlock = recordingBlock_;
  Note(call);
  if (!ValidRenderState(state)) return DeviceResult::InvalidCall;
  if (recordingBlock_) {
    RecordRenderState(pendingBlock_, state, value);
    return DeviceResult::Ok;
  }
  states_.render[static_cast<int>(state)] = value;
  return DeviceResult::Ok;
}

uint32_t DeviceBase::GetRenderState(RenderState state) const {
  return ValidRenderState(state) ? states_.render[static_cast<int>(state)] : 0;
}

DeviceResult DeviceBase::SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) {
  RecordedCall call = MakeCall(DeviceOp::SetTextureStageState, {stage, static_cast<uint32_t>(state), value});
  call.recordedInBlock = recordingBlock_;
  Note(call);
  if (!ValidStageState(stage, state)) return DeviceResult::InvalidCall;
  if (recordingBlock_) {
    RecordStageState(pendingBlock_, stage, state, value);
    return DeviceResult::Ok;
  }
  states_.stage[stage][static_cast<int>(state)] = value;
  return DeviceResult::Ok;
}

uint32_t DeviceBase::GetTextureStageState(uint32_t stage, TextureStageState state) const {
  return ValidStageState(stage, state) ? states_.stage[stage][static_cast<int>(state)] : 0;
}

DeviceResult DeviceBase::SetSamplerState(uint32_t sampler, SamplerState state, uint32_t value) {
  RecordedCall call = MakeCall(DeviceOp::SetSamplerState, {sampler, static_cast<uint32_t>(state), value});
  call.recordedInBlock = recordingBlock_;
  Note(call);
  if (!ValidSamplerState(sampler, state)) return DeviceResult::InvalidCall;
  if (recordingBlock_) {
    RecordSamplerState(pendingBlock_, sampler, state, value);
    return DeviceResult::Ok;
  }
  states_.sampler[sampler][static_cast<int>(state)] = value;
  return DeviceResult::Ok;
}

uint32_t DeviceBase::GetSamplerState(uint32_t sampler, SamplerState state) const {
  return ValidSamplerState(sampler, state) ? states_.sampler[sampler][static_cast<int>(state)] : 0;
}

DeviceResult DeviceBase::SetTransform(TransformState which, const Matrix& m) {
  RecordedCall call = MakeCall(DeviceOp::SetTransform, {static_cast<uint32_t>(which)});
  call.matrix = m;
  Note(call);
  auto i = static_cast<uint32_t>(which);
  if (i >= static_cast<uint32_t>(kTransformCount)) return DeviceResult::InvalidCall;
  states_.transform[i] = m;
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::GetTransform(TransformState which, Matrix* out) const {
  auto i = static_cast<uint32_t>(which);
  if (!out || i >= static_cast<uint32_t>(kTransformCount)) return DeviceResult::InvalidCall;
  *out = states_.transform[i];
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::SetMaterial(const Material& material) {
  RecordedCall call = MakeCall(DeviceOp::SetMaterial, {});
  call.material = material;
  Note(call);
  states_.material = material;
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::SetLight(uint32_t index, const Light& light) {
  RecordedCall call = MakeCall(DeviceOp::SetLight, {index});
  call.light = light;
  Note(call);
  if (index >= kMaxLights) return DeviceResult::InvalidCall;
  states_.lights[index] = light;
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::LightEnable(uint32_t index, bool enable) {
  NoteCall(DeviceOp::LightEnable, {index, enable ? 1u : 0u});
  if (index >= kMaxLights) return DeviceResult::InvalidCall;
  states_.lightEnabled[index] = enable;
  return DeviceResult::Ok;
}

// --- textures ---------------------------------------------------------------

DeviceResult DeviceBase::CreateTexture(int width, int height, const uint8_t* rgba, MipChain mips,
                                       TextureHandle* out) {
  NoteCall(DeviceOp::CreateTexture,
           {static_cast<uint32_t>(width), static_cast<uint32_t>(height), static_cast<uint32_t>(mips)});
  if (!out) return DeviceResult::InvalidCall;
  *out = TextureHandle{};
  if (!rgba || width <= 0 || height <= 0 || width > kMaxTextureSide || height > kMaxTextureSide)
    return DeviceResult::InvalidCall;
  uint32_t id = nextId_++;
  std::vector<MipLevel> chain;
  if (mips == MipChain::Full) {
    chain = BuildMipChain(width, height, rgba);
  } else {
    chain.push_back({width, height, std::vector<uint8_t>(rgba, rgba + size_t{4} * width * height)});
  }
  if (!CreateTextureObject(id, chain)) return DeviceResult::OutOfMemory;
  textures_[id] = TextureData{width, height, mips};
  out->id = id;
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::CompleteMipChain(TextureHandle texture) {
  NoteCall(DeviceOp::CompleteMipChain, {texture.id});
  auto it = textures_.find(texture.id);
  if (it == textures_.end()) return DeviceResult::InvalidCall;
  if (it->second.mips == MipChain::Full) return DeviceResult::Ok;
  if (!CompleteTextureObject(texture.id)) return DeviceResult::OutOfMemory;
  it->second.mips = MipChain::Full;
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::GetTextureSize(TextureHandle texture, int* width, int* height) const {
  auto it = textures_.find(texture.id);
  if (it == textures_.end()) return DeviceResult::InvalidCall;
  if (width) *width = it->second.width;
  if (height) *height = it->second.height;
  return DeviceResult::Ok;
}

void DeviceBase::ReleaseTexture(TextureHandle texture) {
  NoteCall(DeviceOp::ReleaseTexture, {texture.id});
  auto it = textures_.find(texture.id);
  if (it == textures_.end()) return;
  ReleaseTextureObject(texture.id);
  textures_.erase(it);
  if (states_.texture == texture) states_.texture = TextureHandle{};
}

DeviceResult DeviceBase::SetTexture(uint32_t stage, TextureHandle texture) {
  NoteCall(DeviceOp::SetTexture, {stage, texture.id});
  if (stage >= kTextureStageCount) return DeviceResult::InvalidCall;
  if (texture && !textures_.count(texture.id)) return DeviceResult::InvalidCall;
  // Only stage 0 samples a texture; a texture on stage 1 is accepted and ignored.
  if (stage == 0) states_.texture = texture;
  return DeviceResult::Ok;
}

// --- buffers ----------------------------------------------------------------

DeviceBase::BufferData* DeviceBase::FindVertexBuffer(VertexBufferHandle vb) {
  auto it = vertexBuffers_.find(vb.id);
  return it == vertexBuffers_.end() ? nullptr : &it->second;
}

DeviceBase::BufferData* DeviceBase::FindIndexBuffer(IndexBufferHandle ib) {
  auto it = indexBuffers_.find(ib.id);
  return it == indexBuffers_.end() ? nullptr : &it->second;
}

DeviceResult DeviceBase::CreateVertexBuffer(uint32_t bytes, uint32_t usage, uint32_t fvf, Pool pool,
                                            VertexBufferHandle* out) {
  NoteCall(DeviceOp::CreateVertexBuffer, {bytes, usage, fvf, static_cast<uint32_t>(pool)});
  if (!out) return DeviceResult::InvalidCall;
  *out = VertexBufferHandle{};
  if (bytes == 0 || bytes > kMaxBufferBytes) return DeviceResult::InvalidCall;
  uint32_t id = nextId_++;
  BufferData& b = vertexBuffers_[id];
  b.bytes.assign(bytes, 0);
  b.usage = usage;
  b.fvf = fvf;
  b.pool = pool;
  out->id = id;
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::CreateIndexBuffer(uint32_t bytes, uint32_t usage, IndexFormat format, Pool pool,
                                           IndexBufferHandle* out) {
  NoteCall(DeviceOp::CreateIndexBuffer,
           {bytes, usage, static_cast<uint32_t>(format), static_cast<uint32_t>(pool)});
  if (!out) return DeviceResult::InvalidCall;
  *out = IndexBufferHandle{};
  if (bytes == 0 || bytes > kMaxBufferBytes) return DeviceResult::InvalidCall;
  if (format != IndexFormat::Index16 && format != IndexFormat::Index32) return DeviceResult::InvalidCall;
  uint32_t id = nextId_++;
  BufferData& b = indexBuffers_[id];
  b.bytes.assign(bytes, 0);
  b.usage = usage;
  b.format = format;
  b.pool = pool;
  out->id = id;
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::LockBuffer(BufferData* buf, uint32_t offset, uint32_t size, void** data) {
  if (!data) return DeviceResult::InvalidCall;
  *data = nullptr;
  if (!buf || buf->locked) return DeviceResult::InvalidCall;
  uint64_t total = buf->bytes.size();
  if (offset > total) return DeviceResult::InvalidCall;
  if (size == 0) size = static_cast<uint32_t>(total - offset);
  if (uint64_t{offset} + size > total) return DeviceResult::InvalidCall;
  buf->locked = true;
  *data = buf->bytes.data() + offset;
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::UnlockBuffer(BufferData* buf) {
  if (!buf || !buf->locked) return DeviceResult::InvalidCall;
  buf->locked = false;
  ++buf->version;  // the next draw sends the new contents
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::LockVertexBuffer(VertexBufferHandle vb, uint32_t offset, uint32_t size, void** data,
                                          uint32_t flags) {
  NoteCall(DeviceOp::LockVertexBuffer, {vb.id, offset, size, flags});
  return LockBuffer(FindVertexBuffer(vb), offset, size, data);
}

DeviceResult DeviceBase::UnlockVertexBuffer(VertexBufferHandle vb) {
  NoteCall(DeviceOp::UnlockVertexBuffer, {vb.id});
  return UnlockBuffer(FindVertexBuffer(vb));
}

void DeviceBase::ReleaseVertexBuffer(VertexBufferHandle vb) {
  NoteCall(DeviceOp::ReleaseVertexBuffer, {vb.id});
  if (!vertexBuffers_.erase(vb.id)) return;
  ReleaseBufferObject(vb.id);
  if (states_.streamSource == vb) states_.streamSource = VertexBufferHandle{};
}

DeviceResult DeviceBase::LockIndexBuffer(IndexBufferHandle ib, uint32_t offset, uint32_t size, void** data,
                                         uint32_t flags) {
  NoteCall(DeviceOp::LockIndexBuffer, {ib.id, offset, size, flags});
  return LockBuffer(FindIndexBuffer(ib), offset, size, data);
}

DeviceResult DeviceBase::UnlockIndexBuffer(IndexBufferHandle ib) {
  NoteCall(DeviceOp::UnlockIndexBuffer, {ib.id});
  return UnlockBuffer(FindIndexBuffer(ib));
}

void DeviceBase::ReleaseIndexBuffer(IndexBufferHandle ib) {
  NoteCall(DeviceOp::ReleaseIndexBuffer, {ib.id});
  if (!indexBuffers_.erase(ib.id)) return;
  ReleaseBufferObject(ib.id);
  if (states_.indices == ib) states_.indices = IndexBufferHandle{};
}

DeviceResult DeviceBase::SetStreamSource(uint32_t stream, VertexBufferHandle vb, uint32_t offsetBytes,
                                         uint32_t stride) {
  NoteCall(DeviceOp::SetStreamSource, {stream, vb.id, offsetBytes, stride});
  if (stream != 0) return DeviceResult::InvalidCall;
  if (vb && !FindVertexBuffer(vb)) return DeviceResult::InvalidCall;
  states_.streamSource = vb;
  states_.streamOffset = offsetBytes;
  states_.streamStride = stride;
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::SetIndices(IndexBufferHandle ib) {
  NoteCall(DeviceOp::SetIndices, {ib.id});
  if (ib && !FindIndexBuffer(ib)) return DeviceResult::InvalidCall;
  states_.indices = ib;
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::SetFVF(uint32_t fvf) {
  NoteCall(DeviceOp::SetFVF, {fvf});
  states_.fvf = fvf;
  return DeviceResult::Ok;
}

// --- draws ------------------------------------------------------------------

DeviceResult DeviceBase::DrawIndexedPrimitive(PrimitiveType type, int32_t baseVertex, uint32_t minIndex,
                                              uint32_t numVertices, uint32_t startIndex,
                                              uint32_t primitiveCount) {
  NoteCall(DeviceOp::DrawIndexedPrimitive, {static_cast<uint32_t>(type), static_cast<uint32_t>(baseVertex),
                                            minIndex, numVertices, startIndex, primitiveCount});
  if (type != PrimitiveType::TriangleList) return DeviceResult::InvalidCall;
  if (cooperative_ != Cooperative::Ok) return DeviceResult::Ok;  // lost: nothing drawn
  if (primitiveCount == 0) return DeviceResult::Ok;
  uint32_t vfStride = FvfStride(states_.fvf);
  BufferData* vb = FindVertexBuffer(states_.streamSource);
  BufferData* ib = FindIndexBuffer(states_.indices);
  if (!vfStride || !vb || !ib || vb->locked || ib->locked) return DeviceResult::InvalidCall;
  uint32_t stride = states_.streamStride;
  if (stride < vfStride || states_.streamOffset > vb->bytes.size()) return DeviceResult::InvalidCall;
  uint64_t streamVertices = (vb->bytes.size() - states_.streamOffset) / stride;

  uint32_t indexSize = ib->format == IndexFormat::Index16 ? 2 : 4;
  uint64_t indexTotal = ib->bytes.size() / indexSize;
  uint64_t indexCount = uint64_t{primitiveCount} * 3;
  if (uint64_t{startIndex} + indexCount > indexTotal) return DeviceResult::InvalidCall;

  // Every index, offset by the base vertex, must land inside the stream.
  const uint8_t* indexBytes = ib->bytes.data() + uint64_t{startIndex} * indexSize;
  uint32_t lo = std::numeric_limits<uint32_t>::max(), hi = 0;
  if (indexSize == 2) {
    const auto* p = reinterpret_cast<const uint16_t*>(indexBytes);
    for (uint64_t i = 0; i < indexCount; ++i) {
      lo = std::min<uint32_t>(lo, p[i]);
      hi = std::max<uint32_t>(hi, p[i]);
    }
  } else {
    const auto* p = reinterpret_cast<const uint32_t*>(indexBytes);
    for (uint64_t i = 0; i < indexCount; ++i) {
      lo = std::min(lo, p[i]);
      hi = std::max(hi, p[i]);
    }
  }
  int64_t first = int64_t{baseVertex} + lo;
  int64_t last = int64_t{baseVertex} + hi;
  if (first < 0 || last >= static_cast<int64_t>(streamVertices)) return DeviceResult::InvalidCall;

  CheckedDraw d;
  d.vertices = vb->bytes.data() + states_.streamOffset;
  d.stride = stride;
  d.firstVertex = static_cast<uint32_t>(first);
  d.vertexCount = static_cast<uint32_t>(last - first + 1);
  d.fvf = states_.fvf;
  d.indices = indexBytes;
  d.indexFormat = ib->format;
  d.indexCount = static_cast<uint32_t>(indexCount);
  d.baseVertex = baseVertex;
  d.minIndexValue = lo;
  d.maxIndexValue = hi;
  d.vertexBufferId = states_.streamSource.id;
  d.vertexBufferVersion = vb->version;
  d.vertexBufferBytes = &vb->bytes;
  d.streamOffset = states_.streamOffset;
  d.indexBufferId = states_.indices.id;
  d.indexBufferVersion = ib->version;
  d.indexBufferBytes = &ib->bytes;
  d.startIndexBytes = startIndex * indexSize;
  DrawChecked(d);
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) {
  NoteCall(DeviceOp::DrawPrimitive, {static_cast<uint32_t>(type), startVertex, primitiveCount});
  if (type != PrimitiveType::TriangleList) return DeviceResult::InvalidCall;
  if (cooperative_ != Cooperative::Ok) return DeviceResult::Ok;
  if (primitiveCount == 0) return DeviceResult::Ok;
  uint32_t vfStride = FvfStride(states_.fvf);
  BufferData* vb = FindVertexBuffer(states_.streamSource);
  if (!vfStride || !vb || vb->locked) return DeviceResult::InvalidCall;
  uint32_t stride = states_.streamStride;
  if (stride < vfStride || states_.streamOffset > vb->bytes.size()) return DeviceResult::InvalidCall;
  uint64_t streamVertices = (vb->bytes.size() - states_.streamOffset) / stride;
  uint64_t count = uint64_t{primitiveCount} * 3;
  if (uint64_t{startVertex} + count > streamVertices) return DeviceResult::InvalidCall;
  CheckedDraw d;
  d.vertices = vb->bytes.data() + states_.streamOffset;
  d.stride = stride;
  d.firstVertex = startVertex;
  d.vertexCount = static_cast<uint32_t>(count);
  d.fvf = states_.fvf;
  d.vertexBufferId = states_.streamSource.id;
  d.vertexBufferVersion = vb->version;
  d.vertexBufferBytes = &vb->bytes;
  d.streamOffset = states_.streamOffset;
  DrawChecked(d);
  return DeviceResult::Ok;
}

// --- frame --------------------------------------------------------------------

DeviceResult DeviceBase::Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) {
  NoteCall(DeviceOp::Clear, {flags, color, U(z), stencil});
  if (cooperative_ != Cooperative::Ok) return DeviceResult::Ok;
  if ((flags & ClearFlags::ZBuffer) && !params_.enableAutoDepthStencil) return DeviceResult::InvalidCall;
  ClearTargets(flags, color, z);
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::BeginScene() {
  NoteCall(DeviceOp::BeginScene, {});
  if (inScene_) return DeviceResult::InvalidCall;
  inScene_ = true;
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::EndScene() {
  NoteCall(DeviceOp::EndScene, {});
  if (!inScene_) return DeviceResult::InvalidCall;
  inScene_ = false;
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::Present() {
  NoteCall(DeviceOp::Present, {});
  if (cooperative_ != Cooperative::Ok) return DeviceResult::DeviceLost;
  if (inScene_) return DeviceResult::InvalidCall;
  return PresentFrame();
}

DeviceResult DeviceBase::TestCooperativeLevel() {
  NoteCall(DeviceOp::TestCooperativeLevel, {});
  switch (cooperative_) {
    case Cooperative::Lost: return DeviceResult::DeviceLost;
    case Cooperative::NotReset: return DeviceResult::DeviceNotReset;
    default: return DeviceResult::Ok;
  }
}

bool DeviceBase::HasDefaultPoolResources() const {
  for (const auto& [id, b] : vertexBuffers_)
    if (b.pool == Pool::Default) return true;
  for (const auto& [id, b] : indexBuffers_)
    if (b.pool == Pool::Default) return true;
  return !stateBlocks_.empty();
}

DeviceResult DeviceBase::Reset(const PresentParameters& params) {
  NoteCall(DeviceOp::Reset, {params.backBufferWidth, params.backBufferHeight, params.windowed ? 1u : 0u,
                             static_cast<uint32_t>(params.autoDepthStencilFormat), params.multiSampleType});
  if (cooperative_ == Cooperative::Lost) return DeviceResult::DeviceLost;
  if (HasDefaultPoolResources() || recordingBlock_) {
    // A refused reset leaves the device waiting for the next one.
    cooperative_ = Cooperative::NotReset;
    return DeviceResult::InvalidCall;
  }
  DeviceResult r = ResetTargets(params);
  if (Failed(r)) {
    cooperative_ = Cooperative::NotReset;
    return r;
  }
  params_ = params;
  states_ = DefaultDeviceStates(params.enableAutoDepthStencil);
  inScene_ = false;
  cooperative_ = Cooperative::Ok;
  return DeviceResult::Ok;
}

// --- state blocks -------------------------------------------------------------

DeviceResult DeviceBase::BeginStateBlock() {
  NoteCall(DeviceOp::BeginStateBlock, {});
  if (recordingBlock_) return DeviceResult::InvalidCall;
  recordingBlock_ = true;
  pendingBlock_ = StateBlockData{};
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::EndStateBlock(StateBlockHandle* out) {
  NoteCall(DeviceOp::EndStateBlock, {});
  if (!recordingBlock_ || !out) return DeviceResult::InvalidCall;
  recordingBlock_ = false;
  uint32_t id = nextId_++;
  stateBlocks_[id] = std::move(pendingBlock_);
  pendingBlock_ = StateBlockData{};
  out->id = id;
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::CaptureStateBlock(StateBlockHandle block) {
  NoteCall(DeviceOp::CaptureStateBlock, {block.id});
  auto it = stateBlocks_.find(block.id);
  if (it == stateBlocks_.end()) return DeviceResult::InvalidCall;
  CaptureStates(it->second, *this);
  return DeviceResult::Ok;
}

DeviceResult DeviceBase::ApplyStateBlock(StateBlockHandle block) {
  NoteCall(DeviceOp::ApplyStateBlock, {block.id});
  auto it = stateBlocks_.find(block.id);
  if (it == stateBlocks_.end() || recordingBlock_) return DeviceResult::InvalidCall;
  // Straight into the current states: the block is one call, not many.
  for (const auto& e : it->second.render) states_.render[static_cast<int>(e.state)] = e.value;
  for (const auto& e : it->second.stage) states_.stage[e.stage][static_cast<int>(e.state)] = e.value;
  for (const auto& e : it->second.sampler) states_.sampler[e.sampler][static_cast<int>(e.state)] = e.value;
  return DeviceResult::Ok;
}

void DeviceBase::ReleaseStateBlock(StateBlockHandle block) {
  NoteCall(DeviceOp::ReleaseStateBlock, {block.id});
  stateBlocks_.erase(block.id);
}

}  // namespace nb
