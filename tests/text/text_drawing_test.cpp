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
  EXPECT_EQ((std::vector<int>{size.width, size.height, Width("VA")}), (std::vector<int>{10 + 8 - 2, 20, 18}));
  ASSERT_TRUE(Succeeded(DrawText(font, 100.0f, 50.0f, 0xFFFFFFFFu, "AV")));
  ASSERT_EQ(device.draws.size(), 1u);
  const std::vector<VertexScreen> v = Vertices(device.draws[0]);
  ASSERT_EQ(v.size(), 12u);
  // A at pen 0, xoffset 1, yoffset 2, with the half-pixel shift; the six
  // vertices of a quad are LB, LT, RB, RT, RB, LT. V sits at pen 10 - 2 (the first pair in file order).
  std::vector<float> xy;
  for (int i = 0; i < 6; ++i) xy.insert(xy.end(), {v[i].x, v[i].y});
  EXPECT_EQ(xy, (std::vector<float>{100.5f, 61.5f, 100.5f, 51.5f, 108.5f, 61.5f, 108.5f, 51.5f, 108.5f, 61.5f,
                                    100.5f, 51.5f}));
  EXPECT_FLOAT_EQ(v[7].x, 107.5f);
  // Texture coordinates of A's texel rectangle (2, 3, 8, 10) on 128 x 64.
  EXPECT_EQ((std::vector<float>{v[1].u, v[1].v, v[0].v, v[3].u}),
            (std::vector<float>{2.0f / 128, 3.0f / 64, 13.0f / 64, 10.0f / 128}));
  for (const VertexScreen& vertex : v)
    EXPECT_TRUE(vertex.z == kTextDepth && vertex.rhw == 1.0f && vertex.color == 0xFFFFFFFFu);
}

TEST_F(TextDrawing, FiftyOneGlyphsTakeTwoBatchesAndEveryPageChangeFlushes) {
  ASSERT_TRUE(Succeeded(DrawText(font, 0.0f, 0.0f, 0xFF00FF00u, std::string(51, 'A').c_str())));
  ASSERT_EQ(device.draws.size(), 2u);
  EXPECT_EQ((std::vector<uint32_t>{device.draws[0].vertexCount, device.draws[1].vertexCount}),
            (std::vector<uint32_t>{300, 6}));
  EXPECT_FLOAT_EQ(Left(1, 0),
                  50 * 10 + 1 - 0.5f);  // the second batch starts where the fiftieth glyph left the pen
  device.draws.clear();
  ASSERT_TRUE(Succeeded(DrawText(font, 0.0f, 0.0f, 0xFFFFFFFFu, "ABAB")));
  ASSERT_EQ(device.draws.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(device.draws[i].vertexCount, 6u);
    EXPECT_EQ(device.draws[i].texture, font.pageTextures[i % 2]) << i;
  }
  EXPECT_EQ((std::vector<float>{Left(1, 0), Left(2, 0)}), (std::vector<float>{10 - 0.5f, 16 + 1 - 0.5f}));
}

TEST_F(TextDrawing, LineFeedsUnknownAndHighBytes) {
  ASSERT_TRUE(Succeeded(DrawText(font, 30.0f, 40.0f, 0xFFFFFFFFu, "A\nV")));
  ASSERT_EQ(device.draws.size(), 1u);
  // Neither A V nor LF V kerns on the new line.
  EXPECT_EQ((std::vector<float>{Left(0, 0), Left(0, 1), Corner(0, 1).second}),
            (std::vector<float>{31 - 0.5f, 30 - 0.5f, 40 + 20 + 2 - 0.5f}));
  // Measuring treats the line feed as an ordinary character: (LF, V) kerns there.
  EXPECT_EQ(Width("A\nV"), 10 + 8 - 7);
  EXPECT_EQ(Width("A?\xC8"
                  "A"),
            10 + 4 + 10);  // '?' has no glyph; 200 has one
  device.draws.clear();
  DrawText(font, 0.0f, 0.0f, 0xFFFFFFFFu,
           "A?\xC8"
           "V");
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
  for (auto [argb, dx, dy] : {std::tuple{0xFFFFC800u, 2.0f, 2.0f}, {0x80FFC800u, 0.0f, -1.0f}}) {
    device.draws.clear();
    DrawTextAligned("A", 100.0f, 100.0f, font, AlignLeft, argb, dx, dy);
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(Vertices(device.draws[0])[0].color, argb & 0xFF000000u);
    EXPECT_EQ(Corner(0, 0), std::make_pair(101 + dx - 0.5f, 102 + dy - 0.5f));
    EXPECT_EQ(Vertices(device.draws[1])[0].color, argb);
    EXPECT_FLOAT_EQ(Left(1, 0), 101 - 0.5f);
  }
}

TEST_F(TextDrawing, DrawsWithItsOwnStatesAndGivesTheCallersBack) {
  // A caller's states that differ from the text states in every respect.
  const std::pair<RenderState, uint32_t> render[] = {{RenderState::ZEnable, 1},
                                                     {RenderState::AlphaBlendEnable, 0},
                                                     {RenderState::AlphaTestEnable, 0},
                                                     {RenderState::CullMode, Cull::CCW},
                                                     {RenderState::FogEnable, 1}};
  for (auto [state, value] : render) device.SetRenderState(state, value);
  device.SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::SelectArg1);
  device.SetTextureStageState(1, TextureStageState::ColorOp, TextureOp::Modulate);
  device.SetSamplerState(0, SamplerState::MinFilter, TextureFilter::Point);
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
    EXPECT_EQ(
        (std::vector<uint32_t>{rs(RenderState::ZEnable), rs(RenderState::AlphaBlendEnable),
                               rs(RenderState::AlphaTestEnable), rs(RenderState::CullMode),
                               rs(RenderState::FogEnable), s.stage[0][size_t(TextureStageState::ColorOp)],
                               s.stage[1][size_t(TextureStageState::ColorOp)], ss(SamplerState::MinFilter),
                               ss(SamplerState::MipFilter)}),
        (std::vector<uint32_t>{0, 1, 1, Cull::None, 0, TextureOp::Modulate, TextureOp::Disable,
                               TextureFilter::Linear, TextureFilter::None}));
  }
  const DeviceStates& after = device.states();
  EXPECT_TRUE(after.render == before.render && after.stage == before.stage &&
              after.sampler == before.sampler);
}

TEST_F(TextDrawing, EmptyStringsMissingPiecesAndBadPages) {
  const DeviceStates before = device.states();
  ASSERT_TRUE(Succeeded(DrawText(font, 0.0f, 0.0f, 0xFFFFFFFFu, "")));
  EXPECT_TRUE(device.draws.empty());
  EXPECT_EQ(device.states().render, before.render);

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
  EXPECT_TRUE(device.draws.empty());

  // Pages past the table, negative, or failed to load draw untextured.
  font.description.glyphs[67] = {0, 0, 3, 3, 0, 0, 3, 9};
  font.description.glyphs[68] = {0, 0, 3, 3, 0, 0, 3, -1};
  font.pageTextures[1] = TextureHandle{};
  DrawText(font, 0.0f, 0.0f, 0xFFFFFFFFu, "CDBA");
  ASSERT_EQ(device.draws.size(), 4u);
  for (size_t i = 0; i < 3; ++i) EXPECT_FALSE(device.draws[i].texture) << i;
  EXPECT_EQ(device.draws[3].texture, font.pageTextures[0]);
}

}  // namespace
}  // namespace nb
