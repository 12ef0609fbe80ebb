#pragma once
// What the OpenGL device and the recording device share: the current states,
// state blocks, buffers held in memory, texture bookkeeping, the lost/not-reset
// cycle and the range checks that keep a draw inside its buffers.
#include <map>
#include <string>
#include <vector>

#include "platform/graphics_device.h"

namespace nb {

enum class DeviceOp : uint32_t {
  SetRenderState,
  SetTextureStageState,
  SetSamplerState,
  SetTransform,
  SetMaterial,
  SetLight,
  LightEnable,
  CreateTexture,
  ReleaseTexture,
  SetTexture,
  CreateVertexBuffer,
  LockVertexBuffer,
  UnlockVertexBuffer,
  ReleaseVertexBuffer,
  CreateIndexBuffer,
  LockIndexBuffer,
  UnlockIndexBuffer,
  ReleaseIndexBuffer,
  SetStreamSource,
  SetIndices,
  SetFVF,
  DrawIndexedPrimitive,
  DrawPrimitive,
  Clear,
  BeginScene,
  EndScene,
  Present,
  TestCooperativeLevel,
  Reset,
  BeginStateBlock,
  EndStateBlock,
  CaptureStateBlock,
  ApplyStateBlock,
  ReleaseStateBlock,
  CompleteMipChain,
};
const char* DeviceOpName(DeviceOp op);

// One call with its arguments in order (states and handles as numbers,
// floats as their bits). SetTransform keeps its matrix, SetMaterial its
// material, SetLight its light.
struct RecordedCall {
  DeviceOp op{};
  std::vector<uint32_t> args;
  Matrix matrix;
  Material material;
  Light light;
  bool recordedInBlock = false;  // a state noted by BeginStateBlock, not applied
};
// "SetRenderState(CullMode, 3)", "DrawIndexedPrimitive(4, 12, 0, 4, 0, 2)".
std::string Describe(const RecordedCall& call);

class DeviceBase : public GraphicsDevice {
 public:
  DeviceResult SetRenderState(RenderState state, uint32_t value) override;
  uint32_t GetRenderState(RenderState state) const override;
  DeviceResult SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) override;
  uint32_t GetTextureStageState(uint32_t stage, TextureStageState state) const override;
  DeviceResult SetSamplerState(uint32_t sampler, SamplerState state, uint32_t value) override;
  uint32_t GetSamplerState(uint32_t sampler, SamplerState state) const override;
  DeviceResult SetTransform(TransformState which, const Matrix& m) override;
  DeviceResult GetTransform(TransformState which, Matrix* out) const override;
  DeviceResult SetMaterial(const Material& material) override;
  DeviceResult SetLight(uint32_t index, const Light& light) override;
  DeviceResult LightEnable(uint32_t index, bool enable) override;

  using GraphicsDevice::CreateTexture;
  DeviceResult CreateTexture(int width, int height, const uint8_t* rgba, MipChain mips,
                             TextureHandle* out) override;
  DeviceResult CompleteMipChain(TextureHandle texture) override;
  DeviceResult GetTextureSize(TextureHandle texture, int* width, int* height) const override;
  void ReleaseTexture(TextureHandle texture) override;
  DeviceResult SetTexture(uint32_t stage, TextureHandle texture) override;

  DeviceResult CreateVertexBuffer(uint32_t bytes, uint32_t usage, uint32_t fvf, Pool pool,
                                  VertexBufferHandle* out) override;
  DeviceResult LockVertexBuffer(VertexBufferHandle vb, uint32_t offset, uint32_t size, void** data,
                                uint32_t flags) override;
  DeviceResult UnlockVertexBuffer(VertexBufferHandle vb) override;
  void ReleaseVertexBuffer(VertexBufferHandle vb) override;
  DeviceResult CreateIndexBuffer(uint32_t bytes, uint32_t usage, IndexFormat format, Pool pool,
                                 IndexBufferHandle* out) override;
  DeviceResult LockIndexBuffer(IndexBufferHandle ib, uint32_t offset, uint32_t size, void** data,
                               uint32_t flags) override;
  DeviceResult UnlockIndexBuffer(IndexBufferHandle ib) override;
  void ReleaseIndexBuffer(IndexBufferHandle ib) override;
  DeviceResult SetStreamSource(uint32_t stream, VertexBufferHandle vb, uint32_t offsetBytes,
                               uint32_t stride) override;
  DeviceResult SetIndices(IndexBufferHandle ib) override;
  DeviceResult SetFVF(uint32_t fvf) override;

  DeviceResult DrawIndexedPrimitive(PrimitiveType type, int32_t baseVertex, uint32_t minIndex,
                                    uint32_t numVertices, uint32_t startIndex,
                                    uint32_t primitiveCount) override;
  DeviceResult DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) override;

  DeviceResult Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
  DeviceResult BeginScene() override;
  DeviceResult EndScene() override;
  DeviceResult Present() override;
  DeviceResult TestCooperativeLevel() override;
  DeviceResult Reset(const PresentParameters& params) override;

  DeviceResult BeginStateBlock() override;
  DeviceResult EndStateBlock(StateBlockHandle* out) override;
  DeviceResult CaptureStateBlock(StateBlockHandle block) override;
  DeviceResult ApplyStateBlock(StateBlockHandle block) override;
  void ReleaseStateBlock(StateBlockHandle block) override;

  const DeviceStates& states() const { return states_; }
  const PresentParameters& presentParameters() const { return params_; }
  // Live resources, for leak checks.
  size_t textureCount() const { return textures_.size(); }
  size_t vertexBufferCount() const { return vertexBuffers_.size(); }
  size_t indexBufferCount() const { return indexBuffers_.size(); }
  size_t stateBlockCount() const { return stateBlocks_.size(); }

 protected:
  enum class Cooperative { Ok, Lost, NotReset };

  struct BufferData {
    std::vector<uint8_t> bytes;
    uint32_t usage = 0;
    uint32_t fvf = 0;                           // vertex buffers
    IndexFormat format = IndexFormat::Index16;  // index buffers
    Pool pool = Pool::Managed;
    bool locked = false;
    uint32_t version = 0;  // bumped by every unlock
  };
  struct TextureData {
    int width = 0;
    int height = 0;
    MipChain mips = MipChain::Full;
  };
  // A draw that passed its checks: the vertices it reads (first vertex and
  // count in the stream's vertex units) and, for indexed draws, the indices.
  struct CheckedDraw {
    const uint8_t* vertices = nullptr;  // first byte of vertex `firstVertex`
    uint32_t stride = 0;
    uint32_t firstVertex = 0;  // absolute, in the stream
    uint32_t vertexCount = 0;  // vertices readable from firstVertex
    uint32_t fvf = 0;
    const void* indices = nullptr;  // startIndex applied; values relative to base
    IndexFormat indexFormat = IndexFormat::Index16;
    uint32_t indexCount = 0;
    int64_t baseVertex = 0;
    uint32_t minIndexValue = 0, maxIndexValue = 0;
    // The buffers behind the pointers, for back ends that keep copies:
    // the id, the unlock count of the contents, and the whole contents.
    uint32_t vertexBufferId = 0, vertexBufferVersion = 0;
    const std::vector<uint8_t>* vertexBufferBytes = nullptr;
    uint32_t streamOffset = 0;
    uint32_t indexBufferId = 0, indexBufferVersion = 0;
    const std::vector<uint8_t>* indexBufferBytes = nullptr;
    uint32_t startIndexBytes = 0;  // byte offset of the first index
  };

  explicit DeviceBase(const PresentParameters& params);

  // Every call passes through here first (the recording device keeps them).
  virtual void Note(const RecordedCall&) {}
  // Back-end hooks.
  virtual bool CreateTextureObject(uint32_t id, const std::vector<MipLevel>& chain) = 0;
  // Builds the rest of the chain below the top level the back end holds.
  virtual bool CompleteTextureObject(uint32_t id) = 0;
  virtual void ReleaseTextureObject(uint32_t id) = 0;
  virtual void DrawChecked(const CheckedDraw& draw) = 0;
  virtual void ClearTargets(uint32_t flags, uint32_t color, float z) = 0;
  virtual DeviceResult PresentFrame() = 0;
  virtual DeviceResult ResetTargets(const PresentParameters& params) = 0;
  // A buffer is going away (back ends drop their copies).
  virtual void ReleaseBufferObject(uint32_t) {}

  Cooperative cooperative_ = Cooperative::Ok;
  DeviceStates states_;
  PresentParameters params_;

 private:
  void NoteCall(DeviceOp op, std::vector<uint32_t> args);
  BufferData* FindVertexBuffer(VertexBufferHandle vb);
  BufferData* FindIndexBuffer(IndexBufferHandle ib);
  DeviceResult LockBuffer(BufferData* buf, uint32_t offset, uint32_t size, void** data);
  DeviceResult UnlockBuffer(BufferData* buf);
  bool HasDefaultPoolResources() const;

  uint32_t nextId_ = 1;
  bool inScene_ = false;
  bool recordingBlock_ = false;
  StateBlockData pendingBlock_;
  std::map<uint32_t, TextureData> textures_;
  std::map<uint32_t, BufferData> vertexBuffers_;
  std::map<uint32_t, BufferData> indexBuffers_;
  std::map<uint32_t, StateBlockData> stateBlocks_;
};

}  // namespace nb
