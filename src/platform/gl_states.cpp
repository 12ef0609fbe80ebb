// Sends the device's render, texture-stage and sampler states, transforms,
// material and lights to OpenGL's fixed-function pipeline before a draw.
#include <cmath>
#include <cstring>

#include "platform/gl_internal.h"

namespace nb {

namespace {

uint32_t R(const DeviceStates& s, RenderState x) { return s.render[static_cast<int>(x)]; }
uint32_t T(const DeviceStates& s, TextureStageState x) { return s.stage[0][static_cast<int>(x)]; }
uint32_t S(const DeviceStates& s, SamplerState x) { return s.sampler[0][static_cast<int>(x)]; }

void SetEnabled(GLenum cap, bool on) {
  if (on)
    glEnable(cap);
  else
    glDisable(cap);
}

GLenum GlCmp(uint32_t c) {
  switch (c) {
    case Cmp::Never: return GL_NEVER;
    case Cmp::Less: return GL_LESS;
    case Cmp::Equal: return GL_EQUAL;
    case Cmp::LessEqual: return GL_LEQUAL;
    case Cmp::Greater: return GL_GREATER;
    case Cmp::NotEqual: return GL_NOTEQUAL;
    case Cmp::GreaterEqual: return GL_GEQUAL;
    default: return GL_ALWAYS;
  }
}

GLenum GlBlend(uint32_t b) {
  switch (b) {
    case Blend::Zero: return GL_ZERO;
    case Blend::One: return GL_ONE;
    case Blend::SrcColor: return GL_SRC_COLOR;
    case Blend::InvSrcColor: return GL_ONE_MINUS_SRC_COLOR;
    case Blend::SrcAlpha: return GL_SRC_ALPHA;
    case Blend::InvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    case Blend::DestAlpha: return GL_DST_ALPHA;
    case Blend::InvDestAlpha: return GL_ONE_MINUS_DST_ALPHA;
    case Blend::DestColor: return GL_DST_COLOR;
    case Blend::InvDestColor: return GL_ONE_MINUS_DST_COLOR;
    default: return GL_ONE;
  }
}

GLenum GlAddress(uint32_t a) {
  switch (a) {
    case TextureAddress::Mirror: return GL_MIRRORED_REPEAT;
    case TextureAddress::Clamp: return GL_CLAMP_TO_EDGE;
    case TextureAddress::Border: return GL_CLAMP_TO_BORDER;
    default: return GL_REPEAT;
  }
}

void ArgbToFloats(uint32_t c, float out[4]) {
  out[0] = ((c >> 16) & 0xFF) / 255.0f;
  out[1] = ((c >> 8) & 0xFF) / 255.0f;
  out[2] = (c & 0xFF) / 255.0f;
  out[3] = ((c >> 24) & 0xFF) / 255.0f;
}

void ColorToFloats(const ColorValue& c, float out[4]) {
  out[0] = c.r;
  out[1] = c.g;
  out[2] = c.b;
  out[3] = c.a;
}

bool SameMatrix(const Matrix& a, const Matrix& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

Matrix MirrorZ() { return MatrixScaling(1, 1, -1); }

// Direct3D clip depth runs 0..w, OpenGL's -w..w: z' = 2z - w.
Matrix DepthToGl() {
  Matrix m;
  m.m[2][2] = 2;
  m.m[3][2] = -1;
  return m;
}

// Direct3D's two-component texture transform takes (u, v, 1) and keeps its
// translation in the third row; OpenGL feeds (s, t, 0, 1) and wants it in the
// fourth.
Matrix TextureMatrixToGl(const Matrix& d3d, uint32_t flags) {
  if ((flags & 0xFF) == TextureTransform::Disable) return Matrix{};
  if ((flags & 0xFF) != TextureTransform::Count2) return d3d;
  Matrix m;
  for (int c = 0; c < 4; ++c) {
    m.m[0][c] = d3d.m[0][c];
    m.m[1][c] = d3d.m[1][c];
    m.m[2][c] = c == 2 ? 1.0f : 0.0f;
    m.m[3][c] = d3d.m[2][c];
  }
  m.m[3][2] = 0;
  m.m[3][3] = 1;
  return m;
}

GLenum CombineSource(uint32_t arg) {
  switch (arg & 0xF) {
    case TextureArg::Diffuse: return GL_PRIMARY_COLOR;
    case TextureArg::Texture: return GL_TEXTURE;
    case TextureArg::TFactor: return GL_CONSTANT;
    default: return GL_PREVIOUS;
  }
}

// Argument modifiers: 0x10 complement, 0x20 alpha replicate.
GLenum CombineOperand(uint32_t arg, bool alpha) {
  bool complement = (arg & 0x10) != 0;
  if (alpha || (arg & 0x20)) return complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
  return complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR;
}

void SetCombine(bool alpha, uint32_t op, uint32_t arg1, uint32_t arg2) {
  GLenum mode = GL_MODULATE;
  float scale = 1.0f;
  uint32_t a0 = arg1, a1 = arg2;
  switch (op) {
    case TextureOp::SelectArg1: mode = GL_REPLACE; break;
    case TextureOp::SelectArg2:
      mode = GL_REPLACE;
      a0 = arg2;
      break;
    case TextureOp::Modulate: mode = GL_MODULATE; break;
    case TextureOp::Modulate2x:
      mode = GL_MODULATE;
      scale = 2.0f;
      break;
    case TextureOp::Modulate4x:
      mode = GL_MODULATE;
      scale = 4.0f;
      break;
    case TextureOp::Add: mode = GL_ADD; break;
    case TextureOp::AddSigned: mode = GL_ADD_SIGNED; break;
    default:  // disabled: pass the diffuse colour on
      mode = GL_REPLACE;
      a0 = TextureArg::Diffuse;
      break;
  }
  if (alpha) {
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, mode);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, CombineSource(a0));
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, CombineOperand(a0, true));
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_ALPHA, CombineSource(a1));
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_ALPHA, CombineOperand(a1, true));
    glTexEnvf(GL_TEXTURE_ENV, GL_ALPHA_SCALE, scale);
  } else {
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, mode);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, CombineSource(a0));
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, CombineOperand(a0, false));
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, CombineSource(a1));
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, CombineOperand(a1, false));
    glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE, scale);
  }
}

void SendLight(int index, const Light& l) {
  GLenum id = GL_LIGHT0 + index;
  float v[4];
  if (l.type == LightType::Directional) {
    float p[4] = {-l.direction.x, -l.direction.y, -l.direction.z, 0};
    glLightfv(id, GL_POSITION, p);
  } else {
    float p[4] = {l.position.x, l.position.y, l.position.z, 1};
    glLightfv(id, GL_POSITION, p);
  }
  ColorToFloats(l.diffuse, v);
  glLightfv(id, GL_DIFFUSE, v);
  ColorToFloats(l.ambient, v);
  glLightfv(id, GL_AMBIENT, v);
  ColorToFloats(l.specular, v);
  glLightfv(id, GL_SPECULAR, v);
  float a0 = l.attenuation0, a1 = l.attenuation1, a2 = l.attenuation2;
  if (l.type == LightType::Directional || (a0 <= 0 && a1 <= 0 && a2 <= 0)) {
    a0 = 1;  // no attenuation rather than a division by zero
    a1 = a2 = 0;
  }
  glLightf(id, GL_CONSTANT_ATTENUATION, a0);
  glLightf(id, GL_LINEAR_ATTENUATION, a1);
  glLightf(id, GL_QUADRATIC_ATTENUATION, a2);
  if (l.type == LightType::Spot) {
    float d[3] = {l.direction.x, l.direction.y, l.direction.z};
    glLightfv(id, GL_SPOT_DIRECTION, d);
    float cutoff = l.phi * 0.5f * 57.29578f;
    glLightf(id, GL_SPOT_CUTOFF, cutoff < 0 ? 0 : (cutoff > 90 ? 90 : cutoff));
    glLightf(id, GL_SPOT_EXPONENT, l.falloff < 0 ? 0 : (l.falloff > 128 ? 128 : l.falloff));
  } else {
    glLightf(id, GL_SPOT_CUTOFF, 180.0f);
  }
}

void SendMaterial(const Material& m, bool specular) {
  float v[4];
  ColorToFloats(m.diffuse, v);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, v);
  ColorToFloats(m.ambient, v);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, v);
  ColorToFloats(specular ? m.specular : ColorValue{}, v);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, v);
  ColorToFloats(m.emissive, v);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, v);
  float power = m.power < 0 ? 0 : (m.power > 128 ? 128 : m.power);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, power);
}

void ApplyRenderStates(GlDeviceImpl& gl, const DeviceStates& s, bool all) {
  const DeviceStates& a = gl.applied;
  auto changed = [&](RenderState x) { return all || R(a, x) != R(s, x); };
  if (changed(RenderState::ZEnable)) SetEnabled(GL_DEPTH_TEST, R(s, RenderState::ZEnable) && gl.hasDepth);
  if (changed(RenderState::ZWriteEnable)) glDepthMask(R(s, RenderState::ZWriteEnable) ? GL_TRUE : GL_FALSE);
  if (changed(RenderState::ZFunc)) glDepthFunc(GlCmp(R(s, RenderState::ZFunc)));
  if (changed(RenderState::AlphaBlendEnable)) SetEnabled(GL_BLEND, R(s, RenderState::AlphaBlendEnable) != 0);
  if (changed(RenderState::SrcBlend) || changed(RenderState::DestBlend))
    glBlendFunc(GlBlend(R(s, RenderState::SrcBlend)), GlBlend(R(s, RenderState::DestBlend)));
  if (changed(RenderState::AlphaTestEnable))
    SetEnabled(GL_ALPHA_TEST, R(s, RenderState::AlphaTestEnable) != 0);
  if (changed(RenderState::AlphaFunc) || changed(RenderState::AlphaRef))
    glAlphaFunc(GlCmp(R(s, RenderState::AlphaFunc)), (R(s, RenderState::AlphaRef) & 0xFF) / 255.0f);
  if (changed(RenderState::CullMode)) {
    uint32_t cull = R(s, RenderState::CullMode);
    SetEnabled(GL_CULL_FACE, cull == Cull::CW || cull == Cull::CCW);
    glCullFace(GL_BACK);
    // Counter-clockwise culling keeps the clockwise faces: they are OpenGL's front.
    glFrontFace(cull == Cull::CW ? GL_CCW : GL_CW);
  }
  if (changed(RenderState::FillMode)) {
    uint32_t fill = R(s, RenderState::FillMode);
    glPolygonMode(GL_FRONT_AND_BACK,
                  fill == Fill::Point ? GL_POINT : (fill == Fill::Wireframe ? GL_LINE : GL_FILL));
  }
  if (changed(RenderState::ShadeMode))
    glShadeModel(R(s, RenderState::ShadeMode) == Shade::Flat ? GL_FLAT : GL_SMOOTH);
  if (changed(RenderState::ColorWriteEnable)) {
    uint32_t m = R(s, RenderState::ColorWriteEnable);
    glColorMask((m & 1) != 0, (m & 2) != 0, (m & 4) != 0, (m & 8) != 0);
  }
  if (changed(RenderState::NormalizeNormals))
    SetEnabled(GL_NORMALIZE, R(s, RenderState::NormalizeNormals) != 0);
  if (changed(RenderState::LocalViewer))
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, R(s, RenderState::LocalViewer) ? 1 : 0);
  if (changed(RenderState::Ambient)) {
    float v[4];
    ArgbToFloats(R(s, RenderState::Ambient), v);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, v);
  }
  if (changed(RenderState::FogColor)) {
    float v[4];
    ArgbToFloats(R(s, RenderState::FogColor), v);
    glFogfv(GL_FOG_COLOR, v);
  }
  if (changed(RenderState::FogStart)) glFogf(GL_FOG_START, BitsFloat(R(s, RenderState::FogStart)));
  if (changed(RenderState::FogEnd)) glFogf(GL_FOG_END, BitsFloat(R(s, RenderState::FogEnd)));
  if (changed(RenderState::FogDensity)) glFogf(GL_FOG_DENSITY, BitsFloat(R(s, RenderState::FogDensity)));
  if (changed(RenderState::FogVertexMode) || changed(RenderState::FogTableMode)) {
    uint32_t mode = R(s, RenderState::FogTableMode);
    if (mode == FogMode::None) mode = R(s, RenderState::FogVertexMode);
    glFogi(GL_FOG_MODE, mode == FogMode::Exp ? GL_EXP : (mode == FogMode::Exp2 ? GL_EXP2 : GL_LINEAR));
  }
  if (gl.fogDistance && changed(RenderState::RangeFogEnable))
    glFogi(GL_FOG_DISTANCE_MODE_NV,
           R(s, RenderState::RangeFogEnable) ? GL_EYE_RADIAL_NV : GL_EYE_PLANE_ABSOLUTE_NV);
}

void ApplyLightingAndFog(GlDeviceImpl& gl, const DeviceStates& s, uint32_t fvf, bool all) {
  const bool screen = (fvf & Fvf::XYZRHW) != 0;
  // Pre-transformed vertices skip lighting and vertex fog.
  int lighting = R(s, RenderState::Lighting) && !screen ? 1 : 0;
  if (lighting != gl.lightingOn) {
    SetEnabled(GL_LIGHTING, lighting != 0);
    gl.lightingOn = lighting;
  }
  int fog = R(s, RenderState::FogEnable) && !screen &&
                    (R(s, RenderState::FogVertexMode) != FogMode::None ||
                     R(s, RenderState::FogTableMode) != FogMode::None)
                ? 1
                : 0;
  if (fog != gl.fogOn) {
    SetEnabled(GL_FOG, fog != 0);
    gl.fogOn = fog;
  }

  // The vertex colour feeds the diffuse (and ambient) material when the
  // vertex has one and the material sources say so.
  bool hasColor = (fvf & Fvf::Diffuse) != 0;
  uint32_t cmMode = 0;
  if (lighting && hasColor && R(s, RenderState::ColorVertex)) {
    bool diffuse = R(s, RenderState::DiffuseMaterialSource) == MaterialSource::Color1;
    bool ambient = R(s, RenderState::AmbientMaterialSource) == MaterialSource::Color1;
    cmMode =
        diffuse && ambient ? GL_AMBIENT_AND_DIFFUSE : (diffuse ? GL_DIFFUSE : (ambient ? GL_AMBIENT : 0));
  }
  if ((cmMode != 0) != gl.colorMaterialOn || (cmMode && cmMode != gl.colorMaterialMode)) {
    if (cmMode) {
      glColorMaterial(GL_FRONT_AND_BACK, cmMode);
      glEnable(GL_COLOR_MATERIAL);
    } else {
      glDisable(GL_COLOR_MATERIAL);
    }
    // The tracked colour overwrote the material: send it again when needed.
    gl.materialDirty = true;
    gl.colorMaterialOn = cmMode != 0;
    gl.colorMaterialMode = cmMode;
  }
  bool specular = R(s, RenderState::SpecularEnable) != 0;
  if (all || gl.materialDirty || std::memcmp(&gl.applied.material, &s.material, sizeof s.material) != 0 ||
      R(gl.applied, RenderState::SpecularEnable) != R(s, RenderState::SpecularEnable)) {
    SendMaterial(s.material, specular);
    gl.materialDirty = false;
  }
}

void ApplyTexture(GlDeviceImpl& gl, const DeviceStates& s, uint32_t fvf, bool all) {
  GlTexture* tex = nullptr;
  if (s.texture) {
    auto it = gl.textures.find(s.texture.id);
    if (it != gl.textures.end()) tex = &it->second;
  }
  bool texturing = tex && T(s, TextureStageState::ColorOp) != TextureOp::Disable;
  if (all || texturing != gl.textureEnabled) {
    SetEnabled(GL_TEXTURE_2D, texturing);
    gl.textureEnabled = texturing;
  }
  if (texturing) {
    if (gl.boundTexture != tex->name) {
      glBindTexture(GL_TEXTURE_2D, tex->name);
      gl.boundTexture = tex->name;
    }
    uint32_t minF = S(s, SamplerState::MinFilter), magF = S(s, SamplerState::MagFilter);
    uint32_t mipF = S(s, SamplerState::MipFilter);
    if (tex->minFilter != minF || tex->mipFilter != mipF) {
      bool lin = minF == TextureFilter::Linear;
      GLenum f = lin ? GL_LINEAR : GL_NEAREST;
      if (mipF == TextureFilter::Point) f = lin ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
      if (mipF == TextureFilter::Linear) f = lin ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, f);
      tex->minFilter = minF;
      tex->mipFilter = mipF;
    }
    if (tex->magFilter != magF) {
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER,
                      magF == TextureFilter::Linear ? GL_LINEAR : GL_NEAREST);
      tex->magFilter = magF;
    }
    uint32_t au = S(s, SamplerState::AddressU), av = S(s, SamplerState::AddressV);
    if (tex->addressU != au) {
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GlAddress(au));
      tex->addressU = au;
    }
    if (tex->addressV != av) {
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GlAddress(av));
      tex->addressV = av;
    }
    // Combiners, sent only while texturing (they do nothing otherwise).
    const auto& st = s.stage[0];
    auto differs = [&](TextureStageState x) {
      return !gl.envValid || gl.envApplied[static_cast<int>(x)] != st[static_cast<int>(x)];
    };
    if (!gl.envValid) glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    if (differs(TextureStageState::ColorOp) || differs(TextureStageState::ColorArg1) ||
        differs(TextureStageState::ColorArg2))
      SetCombine(false, T(s, TextureStageState::ColorOp), T(s, TextureStageState::ColorArg1),
                 T(s, TextureStageState::ColorArg2));
    if (differs(TextureStageState::AlphaOp) || differs(TextureStageState::AlphaArg1) ||
        differs(TextureStageState::AlphaArg2))
      SetCombine(true, T(s, TextureStageState::AlphaOp), T(s, TextureStageState::AlphaArg1),
                 T(s, TextureStageState::AlphaArg2));
    gl.envApplied = st;
    gl.envValid = true;
  }
  // Sphere-map generation needs camera-space normals: pixel-space vertices
  // keep their own coordinates.
  bool screen = (fvf & Fvf::XYZRHW) != 0;
  int sphere = !screen && (T(s, TextureStageState::TexCoordIndex) & 0xFFFF0000u) == TexCoordIndex::SphereMap;
  if (all || sphere != gl.texGenOn) {
    if (sphere) {
      glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
      glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    }
    SetEnabled(GL_TEXTURE_GEN_S, sphere != 0);
    SetEnabled(GL_TEXTURE_GEN_T, sphere != 0);
    gl.texGenOn = sphere;
  }
}

void ApplyTransforms(GlDeviceImpl& gl, const DeviceStates& s, uint32_t fvf, bool all) {
  const DeviceStates& a = gl.applied;
  auto tr = [](const DeviceStates& d, TransformState t) -> const Matrix& {
    return d.transform[static_cast<int>(t)];
  };
  // Texture matrix; pixel-space vertices bypass texture transforms too.
  uint32_t ttf =
      (fvf & Fvf::XYZRHW) ? TextureTransform::Disable : T(s, TextureStageState::TextureTransformFlags);
  if (all || ttf != gl.texMatrixFlags ||
      (ttf && !SameMatrix(tr(a, TransformState::Texture0), tr(s, TransformState::Texture0)))) {
    Matrix t = TextureMatrixToGl(tr(s, TransformState::Texture0), ttf);
    glMatrixMode(GL_TEXTURE);
    glLoadMatrixf(&t.m[0][0]);
    glMatrixMode(GL_MODELVIEW);
    gl.texMatrixFlags = ttf;
  }

  if (fvf & Fvf::XYZRHW) {
    if (gl.space != GlSpace::Screen) {
      // Pixel positions: x right, y down, z 0..1; shifted half a pixel so a
      // whole-number position is a pixel centre. The further 1/32 pixel
      // towards the top-left makes edges through pixel centres fill the way
      // the game expects (left and top edges inside, right and bottom
      // outside; OpenGL would take the bottom edge instead) and keeps
      // unfiltered sampling at whole-number positions inside its texel.
      const double e = 1.0 / 32.0;
      glMatrixMode(GL_PROJECTION);
      glLoadIdentity();
      glOrtho(-0.5 + e, gl.width - 0.5 + e, gl.height - 0.5 + e, -0.5 + e, 0.0, -1.0);
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      gl.space = GlSpace::Screen;
    }
    return;
  }

  bool fresh = all || gl.space != GlSpace::World;
  bool viewChanged = fresh || !SameMatrix(tr(a, TransformState::View), tr(s, TransformState::View));
  if (fresh || !SameMatrix(tr(a, TransformState::Projection), tr(s, TransformState::Projection))) {
    Matrix p = MatrixMultiply(MatrixMultiply(MirrorZ(), tr(s, TransformState::Projection)), DepthToGl());
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(&p.m[0][0]);
    glMatrixMode(GL_MODELVIEW);
  }
  bool lightsChanged = gl.lightsDirty || viewChanged ||
                       std::memcmp(&a.lights, &s.lights, sizeof s.lights) != 0 ||
                       a.lightEnabled != s.lightEnabled;
  bool modelviewStale =
      viewChanged || !SameMatrix(tr(a, TransformState::World), tr(s, TransformState::World));
  if (lightsChanged) {
    // Light positions are given in world space: send them under the view alone.
    Matrix v = MatrixMultiply(tr(s, TransformState::View), MirrorZ());
    glLoadMatrixf(&v.m[0][0]);
    for (int i = 0; i < kMaxLights; ++i) {
      SetEnabled(GL_LIGHT0 + i, s.lightEnabled[i]);
      if (s.lightEnabled[i]) SendLight(i, s.lights[i]);
    }
    gl.lightsDirty = false;
    modelviewStale = true;
  }
  if (modelviewStale) {
    Matrix mv =
        MatrixMultiply(MatrixMultiply(tr(s, TransformState::World), tr(s, TransformState::View)), MirrorZ());
    glLoadMatrixf(&mv.m[0][0]);
  }
  gl.space = GlSpace::World;
}

}  // namespace

void ApplyGlStates(GlDeviceImpl& gl, const DeviceStates& states, uint32_t fvf) {
  bool all = !gl.valid;
  if (all) {
    gl.lightingOn = gl.fogOn = -1;
    gl.envValid = false;
    gl.materialDirty = gl.lightsDirty = true;
    gl.space = GlSpace::Unknown;
    gl.boundTexture = ~0u;
    // Another device on the same context may have left colour tracking on.
    glDisable(GL_COLOR_MATERIAL);
    gl.colorMaterialOn = false;
  }
  ApplyRenderStates(gl, states, all);
  ApplyLightingAndFog(gl, states, fvf, all);
  ApplyTexture(gl, states, fvf, all);
  ApplyTransforms(gl, states, fvf, all);
  gl.applied = states;
  gl.valid = true;
}

}  // namespace nb
