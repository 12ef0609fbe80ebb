#pragma once
// The graphics interface every drawing subsystem talks to. It is shaped after
// the fixed-function Direct3D 9 device the drawing code was written for, so a
// pass reads as a list of states, transforms and draws:
//
//   dev.SetRenderState(RenderState::CullMode, Cull::CCW);
//   dev.SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::Modulate);
//   dev.DrawIndexedPrimitive(PrimitiveType::TriangleList, base, 0, n, 0, tris);
//
// No SDL or OpenGL here: GlDevice (gl_device.h) draws through OpenGL 2.1,
// RecordingDevice (recording_device.h) records the calls for tests.
//
// Values follow Direct3D's numbering so that logs and recorded call lists read
// the same as the states they stand for. Matrices are row-vector (p x M).
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/matrix.h"

namespace nb {

struct PlatformWindow;

// ---------------------------------------------------------------------------
// Result codes (the HRESULT values of the device they replace).
enum class DeviceResult : uint32_t {
  Ok = 0,
  Fail = 0x80004005,
  OutOfMemory = 0x8007000E,
  DeviceLost = 0x88760868,
  DeviceNotReset = 0x88760869,
  InvalidCall = 0x8876086C,
  NotAvailable = 0x8876086A,
};
inline bool Succeeded(DeviceResult r) { return r == DeviceResult::Ok; }
inline bool Failed(DeviceResult r) { return r != DeviceResult::Ok; }

// ---------------------------------------------------------------------------
// Render states. Values are 32-bit; floats (FogStart, FogEnd, FogDensity) are
// passed as their bit pattern, see FloatBits.
enum class RenderState : uint32_t {
  ZEnable,
  ZWriteEnable,
  ZFunc,
  Lighting,
  Ambient,  // ARGB
  AlphaBlendEnable,
  SrcBlend,
  DestBlend,
  AlphaTestEnable,
  AlphaRef,   // 0..255
  AlphaFunc,  // Cmp
  CullMode,   // Cull
  FillMode,   // Fill
  ShadeMode,  // Shade
  FogEnable,
  FogColor,  // ARGB, alpha ignored
  FogStart,  // float bits
  FogEnd,    // float bits
  FogDensity,
  FogVertexMode,  // FogMode
  FogTableMode,   // FogMode
  RangeFogEnable,
  ColorVertex,
  DiffuseMaterialSource,  // MaterialSource
  AmbientMaterialSource,
  SpecularEnable,
  NormalizeNormals,
  LocalViewer,
  DitherEnable,
  StencilEnable,
  Clipping,
  ClipPlaneEnable,
  VertexBlend,
  IndexedVertexBlendEnable,
  ColorWriteEnable,  // bit mask: 1 red, 2 green, 4 blue, 8 alpha
  Count
};
constexpr int kRenderStateCount = static_cast<int>(RenderState::Count);

// Value sets. Nested unscoped enums so that `Cull::CCW` converts to the
// uint32_t a state takes.
struct Cull {
  enum : uint32_t { None = 1, CW = 2, CCW = 3 };
};
struct Fill {
  enum : uint32_t { Point = 1, Wireframe = 2, Solid = 3 };
};
struct Shade {
  enum : uint32_t { Flat = 1, Gouraud = 2, Phong = 3 };
};
struct Blend {
  enum : uint32_t {
    Zero = 1,
    One = 2,
    SrcColor = 3,
    InvSrcColor = 4,
    SrcAlpha = 5,
    InvSrcAlpha = 6,
    DestAlpha = 7,
    InvDestAlpha = 8,
    DestColor = 9,
    InvDestColor = 10,
  };
};
struct Cmp {
  enum : uint32_t {
    Never = 1,
    Less = 2,
    Equal = 3,
    LessEqual = 4,
    Greater = 5,
    NotEqual = 6,
    GreaterEqual = 7,
    Always = 8,
  };
};
struct FogMode {
  enum : uint32_t { None = 0, Exp = 1, Exp2 = 2, Linear = 3 };
};
struct MaterialSource {
  enum : uint32_t { Material = 0, Color1 = 1, Color2 = 2 };
};
struct VertexBlendMode {
  enum : uint32_t { Disable = 0 };
};

// ---------------------------------------------------------------------------
// Texture-stage states (stages 0 and 1; only stage 0 textures anything).
constexpr int kTextureStageCount = 2;
enum class TextureStageState : uint32_t {
  ColorOp,
  ColorArg1,
  ColorArg2,
  AlphaOp,
  AlphaArg1,
  AlphaArg2,
  TexCoordIndex,
  TextureTransformFlags,
  Count
};
constexpr int kTextureStageStateCount = static_cast<int>(TextureStageState::Count);

struct TextureOp {
  enum : uint32_t {
    Disable = 1,
    SelectArg1 = 2,
    SelectArg2 = 3,
    Modulate = 4,
    Modulate2x = 5,
    Modulate4x = 6,
    Add = 7,
    AddSigned = 8,
  };
};
struct TextureArg {
  enum : uint32_t { Diffuse = 0, Current = 1, Texture = 2, TFactor = 3 };
};
// TexCoordIndex: the coordinate set in the low bits, generation in the high.
struct TexCoordIndex {
  enum : uint32_t { PassThru = 0, SphereMap = 0x40000 };
};
struct TextureTransform {
  enum : uint32_t { Disable = 0, Count1 = 1, Count2 = 2, Count3 = 3, Count4 = 4 };
};

// ---------------------------------------------------------------------------
// Sampler states (sampler 0).
constexpr int kSamplerCount = 1;
enum class SamplerState : uint32_t { AddressU, AddressV, MagFilter, MinFilter, MipFilter, Count };
constexpr int kSamplerStateCount = static_cast<int>(SamplerState::Count);

struct TextureAddress {
  enum : uint32_t { Wrap = 1, Mirror = 2, Clamp = 3, Border = 4 };
};
struct TextureFilter {
  enum : uint32_t { None = 0, Point = 1, Linear = 2 };
};

enum class MipChain : uint32_t { Full, TopLevelOnly };

// ---------------------------------------------------------------------------
// Transforms.
enum class TransformState : uint32_t { World, View, Projection, Texture0, Count };
constexpr int kTransformCount = static_cast<int>(TransformState::Count);

// ---------------------------------------------------------------------------
// Materials and lights (colours are four floats 0..1).
struct ColorValue {
  float r = 0, g = 0, b = 0, a = 0;
};

struct Material {
  ColorValue diffuse;
  ColorValue ambient;
  ColorValue specular;
  ColorValue emissive;
  float power = 0;
};

enum class LightType : uint32_t { Point = 1, Spot = 2, Directional = 3 };

struct Light {
  LightType type = LightType::Point;
  ColorValue diffuse;
  ColorValue specular;
  ColorValue ambient;
  Vec3 position;
  Vec3 direction;
  float range = 0;
  float falloff = 0;
  float attenuation0 = 0;
  float attenuation1 = 0;
  float attenuation2 = 0;
  float theta = 0;
  float phi = 0;
};
constexpr int kMaxLights = 8;

// ---------------------------------------------------------------------------
// Vertex formats (flexible-vertex-format bits). Only the three combinations
// below are drawable; they match the structs of d3dhelpers/vertex_formats.h.
struct Fvf {
  enum : uint32_t { XYZ = 0x2, XYZRHW = 0x4, Normal = 0x10, Diffuse = 0x40, Tex1 = 0x100 };
};
constexpr uint32_t kFvfMesh = Fvf::XYZ | Fvf::Normal | Fvf::Tex1;        // 0x112, VertexPNT
constexpr uint32_t kFvfColorTex = Fvf::XYZ | Fvf::Diffuse | Fvf::Tex1;   // 0x142, VertexColorTex
constexpr uint32_t kFvfScreen = Fvf::XYZRHW | Fvf::Diffuse | Fvf::Tex1;  // 0x144, VertexScreen
// Bytes per vertex of a drawable format, 0 for any other.
uint32_t FvfStride(uint32_t fvf);

enum class PrimitiveType : uint32_t { TriangleList = 4 };

enum class Pool : uint32_t { Default = 0, Managed = 1 };
struct Usage {
  enum : uint32_t { None = 0, WriteOnly = 0x8, Dynamic = 0x200 };
};
struct LockFlags {
  enum : uint32_t { None = 0, ReadOnly = 0x10, NoOverwrite = 0x1000, Discard = 0x2000 };
};
enum class IndexFormat : uint32_t { Index16 = 101, Index32 = 102 };

struct ClearFlags {
  enum : uint32_t { Target = 1, ZBuffer = 2, Stencil = 4 };
};

// Surface formats used for presentation and depth.
enum class Format : uint32_t {
  Unknown = 0,
  X8R8G8B8 = 22,
  D16Lockable = 70,
  D32 = 71,
  D15S1 = 73,
  D24S8 = 75,
  D24X8 = 77,
  D24X4S4 = 79,
  D16 = 80,
};
// Bits of depth a depth format holds (0 for a colour format).
int DepthBitsOf(Format f);

enum class DeviceType : uint32_t { Hal = 1, Ref = 2 };

// What the device is created and reset with, kept by the caller and passed
// unchanged to every Reset. A width or height of 0 in windowed mode means the
// client area of the window.
struct PresentParameters {
  uint32_t backBufferWidth = 0;
  uint32_t backBufferHeight = 0;
  Format backBufferFormat = Format::Unknown;
  uint32_t backBufferCount = 0;
  uint32_t multiSampleType = 0;  // 0 or a sample count
  uint32_t multiSampleQuality = 0;
  uint32_t swapEffect = 1;  // discard
  PlatformWindow* deviceWindow = nullptr;
  bool windowed = true;
  bool enableAutoDepthStencil = false;
  Format autoDepthStencilFormat = Format::Unknown;
  uint32_t flags = 0;
  uint32_t fullScreenRefreshRate = 0;
  bool presentImmediate = true;  // no wait for the vertical retrace
};

// ---------------------------------------------------------------------------
// Handles. 0 is "none"; a released handle is never reused.
struct TextureHandle {
  uint32_t id = 0;
  explicit operator bool() const { return id != 0; }
  bool operator==(const TextureHandle&) const = default;
};
struct VertexBufferHandle {
  uint32_t id = 0;
  explicit operator bool() const { return id != 0; }
  bool operator==(const VertexBufferHandle&) const = default;
};
struct IndexBufferHandle {
  uint32_t id = 0;
  explicit operator bool() const { return id != 0; }
  bool operator==(const IndexBufferHandle&) const = default;
};
struct StateBlockHandle {
  uint32_t id = 0;
  explicit operator bool() const { return id != 0; }
  bool operator==(const StateBlockHandle&) const = default;
};

// Float render states travel as their bit pattern.
uint32_t FloatBits(float f);
float BitsFloat(uint32_t bits);

// ---------------------------------------------------------------------------
// The device.
class GraphicsDevice {
 public:
  virtual ~GraphicsDevice() = default;

  // States. Outside a state-block recording they take effect at once; while
  // recording (BeginStateBlock..EndStateBlock) they are only noted in the block.
  virtual DeviceResult SetRenderState(RenderState state, uint32_t value) = 0;
  virtual uint32_t GetRenderState(RenderState state) const = 0;
  virtual DeviceResult SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) = 0;
  virtual uint32_t GetTextureStageState(uint32_t stage, TextureStageState state) const = 0;
  virtual DeviceResult SetSamplerState(uint32_t sampler, SamplerState state, uint32_t value) = 0;
  virtual uint32_t GetSamplerState(uint32_t sampler, SamplerState state) const = 0;

  virtual DeviceResult SetTransform(TransformState which, const Matrix& m) = 0;
  virtual DeviceResult GetTransform(TransformState which, Matrix* out) const = 0;

  virtual DeviceResult SetMaterial(const Material& material) = 0;
  virtual DeviceResult SetLight(uint32_t index, const Light& light) = 0;
  virtual DeviceResult LightEnable(uint32_t index, bool enable) = 0;

  // Textures: RGBA bytes (R, G, B, A per texel), rows from the top, width x
  // height texels. The device builds the full mip chain, or keeps the top
  // level alone for a picture that is never sampled through a mip filter
  // (drawn at its own size, or with MipFilter None). Managed: a texture
  // survives Reset.
  virtual DeviceResult CreateTexture(int width, int height, const uint8_t* rgba, MipChain mips,
                                     TextureHandle* out) = 0;
  DeviceResult CreateTexture(int width, int height, const uint8_t* rgba, TextureHandle* out) {
    return CreateTexture(width, height, rgba, MipChain::Full, out);
  }
  // Gives a texture made with its top level alone the chain CreateTexture
  // would have built from that level, once it is to be drawn through a mip
  // filter; a texture with its chain is left as it is.
  virtual DeviceResult CompleteMipChain(TextureHandle texture) = 0;
  virtual DeviceResult GetTextureSize(TextureHandle texture, int* width, int* height) const = 0;
  virtual void ReleaseTexture(TextureHandle texture) = 0;
  // Stage 0 only; a null handle draws untextured: the stage passes the
  // diffuse colour and alpha on whatever its operation.
  virtual DeviceResult SetTexture(uint32_t stage, TextureHandle texture) = 0;

  // Buffers. Default-pool buffers must be released before Reset (as must
  // state blocks), managed ones survive it. A lock of size 0 takes the whole
  // buffer from offset on.
  virtual DeviceResult CreateVertexBuffer(uint32_t bytes, uint32_t usage, uint32_t fvf, Pool pool,
                                          VertexBufferHandle* out) = 0;
  virtual DeviceResult LockVertexBuffer(VertexBufferHandle vb, uint32_t offset, uint32_t size, void** data,
                                        uint32_t flags) = 0;
  virtual DeviceResult UnlockVertexBuffer(VertexBufferHandle vb) = 0;
  virtual void ReleaseVertexBuffer(VertexBufferHandle vb) = 0;

  virtual DeviceResult CreateIndexBuffer(uint32_t bytes, uint32_t usage, IndexFormat format, Pool pool,
                                         IndexBufferHandle* out) = 0;
  virtual DeviceResult LockIndexBuffer(IndexBufferHandle ib, uint32_t offset, uint32_t size, void** data,
                                       uint32_t flags) = 0;
  virtual DeviceResult UnlockIndexBuffer(IndexBufferHandle ib) = 0;
  virtual void ReleaseIndexBuffer(IndexBufferHandle ib) = 0;

  virtual DeviceResult SetStreamSource(uint32_t stream, VertexBufferHandle vb, uint32_t offsetBytes,
                                       uint32_t stride) = 0;
  virtual DeviceResult SetIndices(IndexBufferHandle ib) = 0;
  virtual DeviceResult SetFVF(uint32_t fvf) = 0;

  // Draws check every range against the buffers and refuse (InvalidCall)
  // rather than read past them.
  virtual DeviceResult DrawIndexedPrimitive(PrimitiveType type, int32_t baseVertex, uint32_t minIndex,
                                            uint32_t numVertices, uint32_t startIndex,
                                            uint32_t primitiveCount) = 0;
  virtual DeviceResult DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) = 0;

  // Frame.
  virtual DeviceResult Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) = 0;
  virtual DeviceResult BeginScene() = 0;
  virtual DeviceResult EndScene() = 0;
  virtual DeviceResult Present() = 0;
  virtual DeviceResult TestCooperativeLevel() = 0;
  // Back to the default states with the new parameters; refused with
  // InvalidCall while default-pool buffers or state blocks exist. A refused
  // or failed reset leaves the device not reset (TestCooperativeLevel says
  // DeviceNotReset) until a reset succeeds.
  virtual DeviceResult Reset(const PresentParameters& params) = 0;
  virtual void BackBufferSize(int* width, int* height) const = 0;

  // State blocks: between Begin and End the Set*State calls are recorded
  // (not applied); Capture takes the current values of the recorded states,
  // Apply sets them.
  virtual DeviceResult BeginStateBlock() = 0;
  virtual DeviceResult EndStateBlock(StateBlockHandle* out) = 0;
  virtual DeviceResult CaptureStateBlock(StateBlockHandle block) = 0;
  virtual DeviceResult ApplyStateBlock(StateBlockHandle block) = 0;
  virtual void ReleaseStateBlock(StateBlockHandle block) = 0;
};

// The adapter (what creates devices and answers format questions before one
// exists).
class GraphicsAdapter {
 public:
  virtual ~GraphicsAdapter() = default;
  // The depth format can be created and used with a back buffer of `adapterFormat`.
  virtual bool CheckDepthFormat(Format adapterFormat, Format depthFormat) = 0;
  // Multisampling with this many samples is available.
  virtual bool CheckMultiSample(Format format, uint32_t samples) = 0;
  // nullptr when the device cannot be created.
  virtual std::unique_ptr<GraphicsDevice> CreateDevice(DeviceType type, const PresentParameters& params) = 0;
};

// ---------------------------------------------------------------------------
// The state every device keeps, with Direct3D's defaults; shared by the
// implementations and by state blocks.
struct DeviceStates {
  std::array<uint32_t, kRenderStateCount> render{};
  std::array<std::array<uint32_t, kTextureStageStateCount>, kTextureStageCount> stage{};
  std::array<std::array<uint32_t, kSamplerStateCount>, kSamplerCount> sampler{};
  std::array<Matrix, kTransformCount> transform{};
  Material material;
  std::array<Light, kMaxLights> lights{};
  std::array<bool, kMaxLights> lightEnabled{};
  TextureHandle texture;
  VertexBufferHandle streamSource;
  uint32_t streamOffset = 0;
  uint32_t streamStride = 0;
  IndexBufferHandle indices;
  uint32_t fvf = 0;
};
// The states of a freshly created or reset device; ZEnable follows whether
// the device has a depth buffer.
DeviceStates DefaultDeviceStates(bool autoDepthStencil);

// Which states a block holds and the values it captured.
struct StateBlockData {
  struct RenderEntry {
    RenderState state;
    uint32_t value;
  };
  struct StageEntry {
    uint32_t stage;
    TextureStageState state;
    uint32_t value;
  };
  struct SamplerEntry {
    uint32_t sampler;
    SamplerState state;
    uint32_t value;
  };
  std::vector<RenderEntry> render;
  std::vector<StageEntry> stage;
  std::vector<SamplerEntry> sampler;
};
// Notes a state in the block (a second set of the same state replaces the value).
void RecordRenderState(StateBlockData& block, RenderState state, uint32_t value);
void RecordStageState(StateBlockData& block, uint32_t stage, TextureStageState state, uint32_t value);
void RecordSamplerState(StateBlockData& block, uint32_t sampler, SamplerState state, uint32_t value);
// Takes the device's current values for every recorded state.
void CaptureStates(StateBlockData& block, const GraphicsDevice& device);

// A full mip chain of an RGBA image: level 0 is the image, each next level a
// 2x2 box filter of the previous, down to 1x1.
struct MipLevel {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;
};
std::vector<MipLevel> BuildMipChain(int width, int height, const uint8_t* rgba);

// Names for logs and recorded calls.
const char* RenderStateName(RenderState state);
const char* TextureStageStateName(TextureStageState state);
const char* SamplerStateName(SamplerState state);
const char* TransformStateName(TransformState state);

}  // namespace nb
