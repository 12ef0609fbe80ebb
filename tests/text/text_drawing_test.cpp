// Text measuring and drawing through the recording device: batching,
// kerning, line feeds, alignment, shadow and the state blocks.
#include "text/text_drawing.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/vertex_formats.h"
#include "platform/recording_device.h"

namespace nb {
namespace {

// A two-page font built in memory, bound to a recording device.
class TextDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    FontDescription& d = font.description;
    d.lineHeight = 20;
    d.scaleW = 128;
    d.scaleH = 64;
    d.pageNames = {"p0.png", "p1.png"};
    // x, y, width, height, xoffset, yoffset, xadvance, page
    d.glyphs[65] = {2, 3, 8, 10, 1, 2, 10, 0};      // A
    d.glyphs[86] = {12, 3, 6, 10, 0, 2, 8, 0};      // V
    d.glyphs[66] = {0, 32, 5, 5, 0, 0, 6, 1};       // B, page 1
    d.glyphs[87] = {20, 0, 100, 12, 0, 0, 101, 0};  // W, 101 wide
    d.glyphs[200] = {0, 0, 4, 4, 0, 0, 4, 0};       // a byte above 127
    d.kernings = {{65, 86, -2}, {10, 86, -7}, {65, 86, -9}};
    font.device = &device;
    const uint8_t texel[4] = {255, 255, 255, 255};
    font.pageTextures.resize(2);
    for (TextureHandle& t : font.pageTextures) ASSERT_TRUE(Succeeded(device.CreateTexture(1, 1, texel, &t)));
    ASSERT_TRUE(Succeeded(RestoreFontDeviceObjects(font)));
    device.ClearCalls();
    device.draws.clear();
  }

  static std::vector<VertexScreen> Vertices(const RecordingDevice::Draw& draw) {
    std::vector<VertexScreen> v(draw.vertexBytes.size() / sizeof(VertexScreen));
    std::memcpy(v.data(), draw.vertexBytes.data(), v.size() * sizeof(VertexScreen));
    return v;
  }
  // The top-left corner (L, T) of glyph quad i of draw d, and its left edge.
  std::pair<float, float> Corner(size_t d, size_t quad) const {
    std::vector<VertexScreen> v = Vertices(device.draws.at(d));
    return {v.at(quad * 6 + 1).x, v.at(quad * 6 + 1).y};
  }
  float Left(size_t d, size_t quad) const { return Corner(d, quad).first; }
  int Width(const char* text) {
    TextSize size;
    EXPECT_TRUE(Succeeded(MeasureText(font, text, &size)));
    return size.width;
  }

  RecordingDevice device;
  BitmapFont font;
};

TEST_F(TextDrawing, KerningNarrowsMeasureAndPlacement) {
  TextSize size;
  ASSERT_TRUE(Succeeded(MeasureText(font, "AV", &size)));
  EXPECT_EQ(size.width, 10 + 8 - 2);  // the first matching pair in file order
  EXPECT_EQ(size.height, 20);
  EXPECT_EQ(Width("VA"), 18);

  ASSERT_TRUE(Succeeded(DrawText(font, 100.0f, 50.0f, 0xFFFFFFFFu, "AV")));
  ASSERT_EQ(device.draws.size(), 1u);
  const std::vector<VertexScreen> v = Vertices(device.draws[0]);
  ASSERT_EQ(v.size(), 12u);
  // A at pen 0, xoffset 1, yoffset 2, with the half-pixel shift; the six
  // vertices of a quad are LB, LT, RB, RT, RB, LT.
  const float x[6] = {100.5f, 100.5f, 108.5f, 108.5f, 108.5f, 100.5f};
  const float y[6] = {61.5f, 51.5f, 61.5f, 51.5f, 61.5f, 51.5f};
  for (int i = 0; i < 6; ++i) {
    EXPECT_FLOAT_EQ(v[i].x, x[i]) << i;
    EXPECT_FLOAT_EQ(v[i].y, y[i]) << i;
  }
  EXPECT_FLOAT_EQ(v[7].x, 107.5f);  // V: pen 10 - 2 = 8
  // Texture coordinates of A's texel rectangle (2, 3, 8, 10) on 128 x 64.
  EXPECT_FLOAT_EQ(v[1].u, 2.0f / 128.0f);
  EXPECT_FLOAT_EQ(v[1].v, 3.0f / 64.0f);
  EXPECT_FLOAT_EQ(v[0].v, 13.0f / 64.0f);
  EXPECT_FLOAT_EQ(v[3].u, 10.0f / 128.0f);
  for (const VertexScreen& vertex : v) {
    EXPECT_EQ(vertex.z, kTextDepth);
    EXPECT_EQ(vertex.rhw, 1.0f);
    EXPECT_EQ(vertex.color, 0xFFFFFFFFu);
  }
}

TEST_F(TextDrawing, FiftyOneGlyphsTakeTwoBatchesAndEveryPageChangeFlushes) {
  ASSERT_TRUE(Succeeded(DrawText(font, 0.0f, 0.0f, 0xFF00FF00u, std::string(51, 'A').c_str())));
  ASSERT_EQ(device.Described(DeviceOp::DrawPrimitive).size(), 2u);
  size_t drawIndex = 0;
  for (const RecordedCall& call : device.calls) {
    if (call.op == DeviceOp::DrawPrimitive) {
      EXPECT_EQ(call.args[1], 0u);  // always from vertex 0
      EXPECT_EQ(call.args[2], drawIndex++ == 0 ? 100u : 2u);
    }
    if (call.op == DeviceOp::LockVertexBuffer) {  // the whole buffer, discarded
      EXPECT_EQ(call.args, (std::vector<uint32_t>{font.vertexBuffer.id, 0u, 0u,
                                                  static_cast<uint32_t>(LockFlags::Discard)}));
    }
  }
  EXPECT_EQ(device.CountOf(DeviceOp::LockVertexBuffer), 2u);  // one lock per batch
  EXPECT_EQ(device.CountOf(DeviceOp::UnlockVertexBuffer), 2u);
  // The second batch starts where the fiftieth glyph left the pen.
  EXPECT_FLOAT_EQ(Left(1, 0), 50 * 10 + 1 - 0.5f);
  EXPECT_EQ(device.draws[0].texture, font.pageTextures[0]);

  device.draws.clear();
  ASSERT_TRUE(Succeeded(DrawText(font, 0.0f, 0.0f, 0xFFFFFFFFu, "ABAB")));
  ASSERT_EQ(device.draws.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(device.draws[i].vertexCount, 6u);
    EXPECT_EQ(device.draws[i].texture, font.pageTextures[i % 2]) << i;
  }
  EXPECT_FLOAT_EQ(Left(1, 0), 10 - 0.5f);
  EXPECT_FLOAT_EQ(Left(2, 0), 16 + 1 - 0.5f);
  // Consecutive glyphs on one page share a batch.
  device.draws.clear();
  DrawText(font, 0.0f, 0.0f, 0xFFFFFFFFu, "AAVBB");
  ASSERT_EQ(device.draws.size(), 2u);
  EXPECT_EQ(device.draws[0].vertexCount, 18u);
  EXPECT_EQ(device.draws[1].vertexCount, 12u);
}

TEST_F(TextDrawing, LineFeedsUnknownAndHighBytes) {
  ASSERT_TRUE(Succeeded(DrawText(font, 30.0f, 40.0f, 0xFFFFFFFFu, "A\nV")));
  ASSERT_EQ(device.draws.size(), 1u);
  EXPECT_FLOAT_EQ(Left(0, 0), 31 - 0.5f);
  EXPECT_FLOAT_EQ(Left(0, 1), 30 - 0.5f);  // neither A V nor LF V kerns
  EXPECT_FLOAT_EQ(Corner(0, 1).second, 40 + 20 + 2 - 0.5f);
  // Measuring treats the line feed as an ordinary character: (LF, V) kerns there.
  EXPECT_EQ(Width("A\nV"), 10 + 8 - 7);

  EXPECT_EQ(Width("A?\xC8" "A"), 10 + 4 + 10);  // '?' has no glyph; 200 has one
  device.draws.clear();
  DrawText(font, 0.0f, 0.0f, 0xFFFFFFFFu, "A?\xC8" "V");
  ASSERT_EQ(device.draws.size(), 1u);
  EXPECT_EQ(device.draws[0].vertexCount, 18u);
  EXPECT_FLOAT_EQ(Left(0, 2), 14 - 0.5f);  // the glyph-less character still breaks A V
}

TEST_F(TextDrawing, AlignmentMovesTheOriginAndTheShadowComesFirst) {
  ASSERT_EQ(Width("W"), 101);
  for (int align : {int{AlignCenter}, int{AlignRight}, int{AlignLeft}, 7})
    DrawTextAligned("W", 400.0f, 10.0f, font, align, 0xFFFFFFFFu, 0.0f, 0.0f);
  ASSERT_EQ(device.draws.size(), 4u);
  const float lefts[4] = {350, 299, 400, 400};  // 101 / 2 rounds toward zero
  for (size_t i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(Left(i, 0), lefts[i] - 0.5f) << i;

  // The shadow in black with the text's alpha, then the text.
  device.draws.clear();
  DrawTextAligned("A", 100.0f, 100.0f, font, AlignLeft, 0xFFFFC800u, 2.0f, 2.0f);
  ASSERT_EQ(device.draws.size(), 2u);
  EXPECT_EQ(Vertices(device.draws[0])[0].color, 0xFF000000u);
  EXPECT_EQ(Corner(0, 0), std::make_pair(103 - 0.5f, 104 - 0.5f));
  EXPECT_EQ(Vertices(device.draws[1])[0].color, 0xFFFFC800u);
  EXPECT_FLOAT_EQ(Left(1, 0), 101 - 0.5f);
  device.draws.clear();
  DrawTextAligned("A", 100.0f, 100.0f, font, AlignLeft, 0x80FFC800u, 0.0f, -1.0f);
  ASSERT_EQ(device.draws.size(), 2u);
  EXPECT_EQ(Vertices(device.draws[0])[0].color, 0x80000000u);
  EXPECT_FLOAT_EQ(Corner(0, 0).second, 101 - 0.5f);
}

TEST_F(TextDrawing, StatesAreBackAfterDrawing) {
  // A caller's states that differ from the text states in every respect.
  const std::pair<RenderState, uint32_t> render[] = {
      {RenderState::ZEnable, 1}, {RenderState::AlphaBlendEnable, 0}, {RenderState::SrcBlend, Blend::One},
      {RenderState::DestBlend, Blend::Zero}, {RenderState::AlphaTestEnable, 0}, {RenderState::AlphaRef, 100},
      {RenderState::AlphaFunc, Cmp::Less}, {RenderState::FillMode, Fill::Wireframe},
      {RenderState::CullMode, Cull::CCW}, {RenderState::FogEnable, 1}, {RenderState::ColorWriteEnable, 0x7}};
  for (auto [state, value] : render) device.SetRenderState(state, value);
  device.SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::SelectArg1);
  device.SetTextureStageState(0, TextureStageState::AlphaArg2, TextureArg::Current);
  device.SetTextureStageState(0, TextureStageState::TexCoordIndex, TexCoordIndex::SphereMap);
  device.SetTextureStageState(0, TextureStageState::TextureTransformFlags, TextureTransform::Count2);
  device.SetTextureStageState(1, TextureStageState::ColorOp, TextureOp::Modulate);
  device.SetSamplerState(0, SamplerState::MinFilter, TextureFilter::Point);
  device.SetSamplerState(0, SamplerState::MagFilter, TextureFilter::None);
  device.SetSamplerState(0, SamplerState::MipFilter, TextureFilter::Linear);
  const DeviceStates before = device.states();

  ASSERT_TRUE(Succeeded(DrawText(font, 5.0f, 5.0f, 0xFFFFFFFFu, "AV\nAB")));
  ASSERT_FALSE(device.draws.empty());
  for (const RecordingDevice::Draw& draw : device.draws) {
    const DeviceStates& s = draw.states;
    auto rs = [&](RenderState r) { return s.render[static_cast<size_t>(r)]; };
    auto ss = [&](SamplerState t) { return s.sampler[0][static_cast<size_t>(t)]; };
    // No depth test, blending and alpha test on, no culling or fog, texture
    // times diffuse, linear filtering over the caller's point filters.
    EXPECT_EQ((std::vector<uint32_t>{rs(RenderState::ZEnable), rs(RenderState::AlphaBlendEnable),
                                     rs(RenderState::AlphaTestEnable), rs(RenderState::CullMode),
                                     rs(RenderState::FogEnable)}),
              (std::vector<uint32_t>{0, 1, 1, Cull::None, 0}));
    EXPECT_EQ(s.stage[0][static_cast<size_t>(TextureStageState::ColorOp)], TextureOp::Modulate);
    EXPECT_EQ(s.stage[1][static_cast<size_t>(TextureStageState::ColorOp)], TextureOp::Disable);
    EXPECT_EQ((std::vector<uint32_t>{ss(SamplerState::MinFilter), ss(SamplerState::MagFilter),
                                     ss(SamplerState::MipFilter)}),
              (std::vector<uint32_t>{TextureFilter::Linear, TextureFilter::Linear, TextureFilter::None}));
    EXPECT_EQ(s.fvf, kFvfScreen);
    EXPECT_EQ(s.streamSource, font.vertexBuffer);
    EXPECT_EQ(s.streamStride, 28u);
  }
  const DeviceStates& after = device.states();
  EXPECT_EQ(after.render, before.render);
  EXPECT_EQ(after.stage, before.stage);
  EXPECT_EQ(after.sampler, before.sampler);
  // The vertex format and stream stay as drawing set them.
  EXPECT_EQ(after.fvf, kFvfScreen);
  EXPECT_EQ(after.streamSource, font.vertexBuffer);
  // Never left locked: a further lock succeeds.
  void* data = nullptr;
  EXPECT_TRUE(Succeeded(device.LockVertexBuffer(font.vertexBuffer, 0, 0, &data, 0)));
  device.UnlockVertexBuffer(font.vertexBuffer);
}

TEST_F(TextDrawing, EmptyStringsMissingPiecesAndBadPages) {
  const DeviceStates before = device.states();
  ASSERT_TRUE(Succeeded(DrawText(font, 0.0f, 0.0f, 0xFFFFFFFFu, "")));
  EXPECT_EQ(device.CountOf(DeviceOp::DrawPrimitive), 0u);
  EXPECT_EQ(device.CountOf(DeviceOp::LockVertexBuffer), 0u);
  EXPECT_EQ(device.states().render, before.render);
  EXPECT_EQ(device.states().sampler, before.sampler);

  TextSize size;
  EXPECT_EQ(MeasureText(font, nullptr, &size), DeviceResult::Fail);
  EXPECT_EQ(MeasureText(font, "A", nullptr), DeviceResult::Fail);
  EXPECT_EQ(DrawText(font, 0.0f, 0.0f, 0u, nullptr), DeviceResult::Fail);
  EXPECT_EQ(DrawTextAligned(nullptr, 0.0f, 0.0f, font, AlignCenter, 0u, 2.0f, 2.0f), DeviceResult::Fail);
  BitmapFont unbound;
  unbound.description = font.description;
  EXPECT_EQ(DrawText(unbound, 0.0f, 0.0f, 0xFFFFFFFFu, "A"), DeviceResult::Fail);
  EXPECT_TRUE(Succeeded(MeasureText(unbound, "A", &size)));  // measuring needs no device
  EXPECT_EQ(size.width, 10);
  EXPECT_EQ(device.CountOf(DeviceOp::DrawPrimitive), 0u);

  // Pages past the table, negative, or failed to load draw untextured.
  font.description.glyphs[67] = {0, 0, 3, 3, 0, 0, 3, 9};
  font.description.glyphs[68] = {0, 0, 3, 3, 0, 0, 3, -1};
  font.pageTextures[1] = TextureHandle{};
  DrawText(font, 0.0f, 0.0f, 0xFFFFFFFFu, "CDBA");
  ASSERT_EQ(device.draws.size(), 4u);
  for (size_t i = 0; i < 3; ++i) EXPECT_FALSE(device.draws[i].texture) << i;
  EXPECT_EQ(device.draws[3].texture, font.pageTextures[0]);
}

TEST_F(TextDrawing, InvalidateAndRestoreTheDeviceObjects) {
  EXPECT_EQ(device.vertexBufferCount(), 1u);
  EXPECT_EQ(device.stateBlockCount(), 2u);
  for (int twice = 0; twice < 2; ++twice) {  // a second time is harmless
    EXPECT_TRUE(Succeeded(InvalidateFontDeviceObjects(font)));
    EXPECT_FALSE(font.vertexBuffer || font.savedState);
    EXPECT_EQ(device.vertexBufferCount() + device.stateBlockCount(), 0u);
  }
  // Without its buffer the font draws nothing, and does not fail.
  EXPECT_TRUE(Succeeded(DrawText(font, 0.0f, 0.0f, 0xFFFFFFFFu, "AV")));
  EXPECT_EQ(device.CountOf(DeviceOp::DrawPrimitive), 0u);

  device.ClearCalls();
  ASSERT_TRUE(Succeeded(RestoreFontDeviceObjects(font)));
  // The buffer: 9600 bytes, dynamic and write-only, no format, default pool.
  ASSERT_EQ(device.calls[0].op, DeviceOp::CreateVertexBuffer);
  EXPECT_EQ(device.calls[0].args, (std::vector<uint32_t>{9600u, Usage::Dynamic | Usage::WriteOnly, 0u,
                                                         static_cast<uint32_t>(Pool::Default)}));
  // Recording the blocks applies nothing.
  for (const RecordedCall& call : device.calls)
    if (call.op == DeviceOp::SetRenderState || call.op == DeviceOp::SetSamplerState) {
      EXPECT_TRUE(call.recordedInBlock);
    }
  EXPECT_EQ(device.CountOf(DeviceOp::BeginStateBlock), 2u);
  EXPECT_TRUE(Succeeded(DrawText(font, 0.0f, 0.0f, 0xFFFFFFFFu, "AV")));
  EXPECT_EQ(device.draws.size(), 1u);

  RestoreFontDeviceObjects(font);  // restoring twice does not leak the first set
  EXPECT_EQ(device.vertexBufferCount(), 1u);
  EXPECT_EQ(device.stateBlockCount(), 2u);
  DestroyFont(font);
  EXPECT_EQ(device.vertexBufferCount() + device.stateBlockCount() + device.textureCount(), 0u);
  EXPECT_EQ(font.device, nullptr);
}

}  // namespace
}  // namespace nb
