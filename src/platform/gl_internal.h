#pragma once
// OpenGL-side pieces shared by the files of the OpenGL device.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/gl_device.h"

namespace nb {

struct GlContext {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  bool framebufferObjects = false;
  bool fogDistance = false;  // GL_NV_fog_distance
  bool provokingVertex = false;
  bool textureSwizzle = false;  // GL_ARB_texture_swizzle
  int maxSamples = 0;
  ~GlContext();
};

// The OpenGL names of a depth format; false when it has none here.
bool GlDepthFormat(Format f, GLenum* internalFormat, int* bits);

// How a texture's texels go up: the smallest layout that holds every texel of
// its top level exactly. White with alpha (the fonts, the particle) needs the
// texture swizzle to read its one byte back as (1, 1, 1, alpha).
enum class TexelKind : uint8_t { Rgba, Grey, GreyAlpha, WhiteAlpha };

TexelKind ExactTexelKind(const MipLevel& top, bool swizzle);
// Uploads levels from..end of the chain into the bound texture, every one in
// the layout (and sets the swizzle that layout reads with).
void UploadLevels(const std::vector<MipLevel>& chain, size_t from, TexelKind kind);
// The bound texture's top level read back as RGBA, as the combiner reads it.
MipLevel ReadTopLevel(TexelKind kind);

struct GlTexture {
  GLuint name = 0;
  TexelKind kind = TexelKind::Rgba;
  // Sampler values last written into this texture object (sampler states
  // are per sampler in the device, per texture object in OpenGL).
  uint32_t minFilter = ~0u, magFilter = ~0u, mipFilter = ~0u, addressU = ~0u, addressV = ~0u;
};

struct GlBuffer {
  GLuint name = 0;
  uint32_t version = ~0u;
  size_t size = 0;
};

enum class GlSpace { Unknown, World, Screen };

struct GlDeviceImpl {
  bool direct = false;  // drawing straight into the window (framebuffer 0)
  GLuint fbo = 0, colorRb = 0, depthRb = 0;
  GLuint resolveFbo = 0, resolveRb = 0;  // single-sample copy of a multisampled buffer
  std::map<uint32_t, GlTexture> textures;
  std::map<uint32_t, GlBuffer> buffers;

  // What OpenGL currently holds; `valid` false forces everything to be sent.
  bool valid = false;
  DeviceStates applied;
  GlSpace space = GlSpace::Unknown;
  uint32_t appliedFvf = 0;
  int lightingOn = -1;  // -1 unknown
  int fogOn = -1;
  int texGenOn = -1;
  uint32_t texMatrixFlags = ~0u;
  bool colorMaterialOn = false;
  uint32_t colorMaterialMode = 0;
  bool envValid = false;  // the combiner settings below were sent
  std::array<uint32_t, kTextureStageStateCount> envApplied{};
  bool materialDirty = true;
  bool lightsDirty = true;
  uint32_t boundTexture = ~0u;
  bool textureEnabled = false;
  int width = 0, height = 0;
  bool hasDepth = false;
  bool fogDistance = false;
};

// Sends the device's states to OpenGL for a draw of vertex format `fvf`,
// changing only what differs from what OpenGL holds.
void ApplyGlStates(GlDeviceImpl& gl, const DeviceStates& states, uint32_t fvf);

}  // namespace nb
