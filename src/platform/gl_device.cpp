#include "platform/gl_device.h"

#include <cstdlib>
#include <cstring>

#include "core/letterbox.h"
#include "platform/gl_internal.h"
#include "platform/keep_libraries_loaded.h"
#include "platform/sdl_access.h"

namespace nb {

GlContext::~GlContext() {
  if (context) SDL_GL_DeleteContext(context);
}

bool GlDepthFormat(Format f, GLenum* internalFormat, int* bits) {
  switch (f) {
    case Format::D32:
      *internalFormat = GL_DEPTH_COMPONENT32;
      *bits = 32;
      return true;
    case Format::D24S8:
      *internalFormat = GL_DEPTH24_STENCIL8;
      *bits = 24;
      return true;
    case Format::D24X8:
      *internalFormat = GL_DEPTH_COMPONENT24;
      *bits = 24;
      return true;
    case Format::D16Lockable:
    case Format::D16:
      *internalFormat = GL_DEPTH_COMPONENT16;
      *bits = 16;
      return true;
    default: return false;  // D15S1, D24X4S4: no such buffers here
  }
}

namespace {

bool HasExtension(const char* name) {
  GLint count = 0;
  glGetIntegerv(GL_NUM_EXTENSIONS, &count);
  for (GLint i = 0; i < count; ++i) {
    const char* ext = reinterpret_cast<const char*>(glGetStringi(GL_EXTENSIONS, i));
    if (ext && std::strcmp(ext, name) == 0) return true;
  }
  // Contexts older than 3.0 only have the single string.
  const char* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  if (!all) return false;
  size_t n = std::strlen(name);
  for (const char* p = std::strstr(all, name); p; p = std::strstr(p + 1, name))
    if ((p == all || p[-1] == ' ') && (p[n] == ' ' || p[n] == 0)) return true;
  return false;
}

// A renderbuffer of this format, with `samples` samples, attached next to an
// RGBA8 colour buffer makes a complete frame buffer with the expected depth.
bool TryDepthBuffer(GLenum internalFormat, int wantBits, int samples) {
  GLuint fbo = 0, rb[2] = {0, 0};
  glGenFramebuffers(1, &fbo);
  glGenRenderbuffers(2, rb);
  glBindFramebuffer(GL_FRAMEBUFFER, fbo);
  glBindRenderbuffer(GL_RENDERBUFFER, rb[0]);
  glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, 16, 16);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, rb[0]);
  glBindRenderbuffer(GL_RENDERBUFFER, rb[1]);
  glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, internalFormat, 16, 16);
  GLint bits = 0;
  glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_DEPTH_SIZE, &bits);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, rb[1]);
  bool ok = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE && bits >= wantBits &&
            glGetError() == GL_NO_ERROR;
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  glDeleteRenderbuffers(2, rb);
  glDeleteFramebuffers(1, &fbo);
  while (glGetError() != GL_NO_ERROR) {
  }
  return ok;
}

class GlAdapter : public GraphicsAdapter {
 public:
  explicit GlAdapter(std::shared_ptr<GlContext> context) : context_(std::move(context)) {}

  bool CheckDepthFormat(Format adapterFormat, Format depthFormat) override {
    if (adapterFormat != Format::X8R8G8B8 || !context_->framebufferObjects) return false;
    GLenum internal = 0;
    int bits = 0;
    if (!GlDepthFormat(depthFormat, &internal, &bits)) return false;
    return TryDepthBuffer(internal, bits, 0);
  }

  bool CheckMultiSample(Format format, uint32_t samples) override {
    if (format != Format::X8R8G8B8 || !context_->framebufferObjects) return false;
    return samples <= 1 || static_cast<int>(samples) <= context_->maxSamples;
  }

  std::unique_ptr<GraphicsDevice> CreateDevice(DeviceType type, const PresentParameters& params) override {
    return GlDevice::Create(context_, type, params);
  }

 private:
  std::shared_ptr<GlContext> context_;
};

}  // namespace

std::unique_ptr<GraphicsAdapter> CreateGlAdapter(PlatformWindow* window) {
  SDL_Window* sdl = SdlWindowOf(window);
  if (!sdl) return nullptr;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);
  auto context = std::make_shared<GlContext>();
  context->window = sdl;
  context->context = SDL_GL_CreateContext(sdl);
  if (!context->context) return nullptr;
  SDL_GL_MakeCurrent(sdl, context->context);
  KeepLoadedLibrariesUntilExit();
  // No wait for the vertical retrace; a driver that refuses is not an error.
  SDL_GL_SetSwapInterval(0);
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  int major = version ? std::atoi(version) : 0;
  context->framebufferObjects = major >= 3 || HasExtension("GL_ARB_framebuffer_object");
  context->fogDistance = HasExtension("GL_NV_fog_distance");
  context->textureSwizzle =
      major >= 4 || HasExtension("GL_ARB_texture_swizzle") || HasExtension("GL_EXT_texture_swizzle");
  context->provokingVertex =
      major >= 4 || (major == 3 && version[2] >= '2') || HasExtension("GL_ARB_provoking_vertex");
  if (context->framebufferObjects) glGetIntegerv(GL_MAX_SAMPLES, &context->maxSamples);
  while (glGetError() != GL_NO_ERROR) {
  }
  if (!context->framebufferObjects) return nullptr;
  return std::make_unique<GlAdapter>(std::move(context));
}

// --- device -----------------------------------------------------------------

GlDevice::GlDevice(std::shared_ptr<GlContext> context, const PresentParameters& params)
    : DeviceBase(params), context_(std::move(context)), impl_(std::make_unique<GlDeviceImpl>()) {}

GlDevice::~GlDevice() {
  SDL_GL_MakeCurrent(context_->window, context_->context);
  for (auto& [id, t] : impl_->textures) glDeleteTextures(1, &t.name);
  for (auto& [id, b] : impl_->buffers) glDeleteBuffers(1, &b.name);
  DestroyTargets();
}

std::unique_ptr<GlDevice> GlDevice::Create(std::shared_ptr<GlContext> context, DeviceType type,
                                           const PresentParameters& params) {
  if (!context || !context->context) return nullptr;
  std::unique_ptr<GlDevice> device(new GlDevice(std::move(context), params));
  device->type_ = type;
  if (!device->MakeTargets(params)) return nullptr;
  return device;
}

namespace {

// The back buffer's colour and depth render buffers on a new framebuffer;
// false when the depth format has no GL match.
bool AttachBackBuffer(GlDeviceImpl& gl, const PresentParameters& params, int samples, int w, int h,
                      int& depthBits) {
  glGenFramebuffers(1, &gl.fbo);
  glBindFramebuffer(GL_FRAMEBUFFER, gl.fbo);
  glGenRenderbuffers(1, &gl.colorRb);
  glBindRenderbuffer(GL_RENDERBUFFER, gl.colorRb);
  glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, w, h);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, gl.colorRb);
  depthBits = 0;
  if (!params.enableAutoDepthStencil) return true;
  GLenum internal = 0;
  if (!GlDepthFormat(params.autoDepthStencilFormat, &internal, &depthBits)) return false;
  glGenRenderbuffers(1, &gl.depthRb);
  glBindRenderbuffer(GL_RENDERBUFFER, gl.depthRb);
  glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, internal, w, h);
  GLenum attach =
      params.autoDepthStencilFormat == Format::D24S8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, attach, GL_RENDERBUFFER, gl.depthRb);
  return true;
}

// The single-sample framebuffer a multisampled back buffer resolves into;
// `samples` becomes the count the driver chose.
bool AttachResolveBuffer(GlDeviceImpl& gl, int w, int h, int& samples) {
  glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_SAMPLES, &samples);
  glGenFramebuffers(1, &gl.resolveFbo);
  glBindFramebuffer(GL_FRAMEBUFFER, gl.resolveFbo);
  glGenRenderbuffers(1, &gl.resolveRb);
  glBindRenderbuffer(GL_RENDERBUFFER, gl.resolveRb);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, gl.resolveRb);
  return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

// The fixed state drawing starts from on fresh targets.
void StartDrawingState(int w, int h, bool multisample, bool provokingVertex, bool hasDepth) {
  glViewport(0, 0, w, h);
  glDisable(GL_DITHER);
  if (multisample)
    glEnable(GL_MULTISAMPLE);
  else
    glDisable(GL_MULTISAMPLE);
  // Fog is worked out at the vertices, as vertex fog is.
  glHint(GL_FOG_HINT, GL_FASTEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  // Flat shading takes the first vertex's colour, as the game's device does.
  if (provokingVertex) glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  // A fresh back buffer is black with the far depth.
  glClearColor(0, 0, 0, 1);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | (hasDepth ? GL_DEPTH_BUFFER_BIT : 0));
}

// Whether a picture of w x h is drawn straight into the window: one sample,
// the window's own size, and a depth buffer there at least as deep as the
// format asks. `depthBits` becomes the window's.
bool WindowTakesPicture(SDL_Window* window, const PresentParameters& params, int samples, int w, int h,
                        int& depthBits) {
  int winW = 0, winH = 0;
  SDL_GL_GetDrawableSize(window, &winW, &winH);
  if (samples > 0 || !params.windowed || winW != w || winH != h) return false;
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  GLint depth = 0, stencil = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depth);
  glGetIntegerv(GL_STENCIL_BITS, &stencil);
  depthBits = 0;
  if (!params.enableAutoDepthStencil) return true;
  GLenum internal = 0;
  int bits = 0;
  if (!GlDepthFormat(params.autoDepthStencilFormat, &internal, &bits) || depth < bits) return false;
  if (params.autoDepthStencilFormat == Format::D24S8 && stencil < 8) return false;
  depthBits = depth;
  return true;
}

// Colour and depth of the device's own, resolved into a single-sample copy
// when multisampled; nothing is left behind on failure.
bool MakeOwnTargets(GlDeviceImpl& gl, const PresentParameters& params, int& samples, int w, int h,
                    int& depthBits) {
  bool ok = AttachBackBuffer(gl, params, samples, w, h, depthBits) &&
            glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  if (ok && samples > 0) ok = AttachResolveBuffer(gl, w, h, samples);
  while (glGetError() != GL_NO_ERROR) {
  }
  return ok;
}

}  // namespace

bool GlDevice::MakeTargets(const PresentParameters& params) {
  SDL_GL_MakeCurrent(context_->window, context_->context);
  int w = static_cast<int>(params.backBufferWidth), h = static_cast<int>(params.backBufferHeight);
  if (params.windowed && (w == 0 || h == 0)) {
    // The back buffer follows the window's client area.
    SDL_GL_GetDrawableSize(context_->window, &w, &h);
  }
  if (w <= 0 || h <= 0 || w > 16384 || h > 16384) return false;
  // The reference device stands in when the first attempt fails: it draws
  // without multisampling.
  int samples = type_ == DeviceType::Ref ? 0 : static_cast<int>(params.multiSampleType);
  if (samples < 2) samples = 0;
  if (samples > context_->maxSamples) return false;

  GlDeviceImpl& gl = *impl_;
  // Drawn straight into the window, the picture needs no second colour and
  // depth buffer, and Present no copy.
  gl.direct = WindowTakesPicture(context_->window, params, samples, w, h, depthBits_);
  if (!gl.direct && !MakeOwnTargets(gl, params, samples, w, h, depthBits_)) {
    DestroyTargets();
    return false;
  }
  samples_ = samples;
  width_ = gl.width = w;
  height_ = gl.height = h;
  gl.hasDepth = params.enableAutoDepthStencil;
  gl.fogDistance = context_->fogDistance;
  gl.valid = false;

  BindFramebuffer();
  StartDrawingState(w, h, samples > 0, context_->provokingVertex, gl.hasDepth);
  return true;
}

void GlDevice::DestroyTargets() {
  GlDeviceImpl& gl = *impl_;
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  GLuint rbs[3] = {gl.colorRb, gl.depthRb, gl.resolveRb};
  glDeleteRenderbuffers(3, rbs);
  GLuint fbos[2] = {gl.fbo, gl.resolveFbo};
  glDeleteFramebuffers(2, fbos);
  gl.fbo = gl.colorRb = gl.depthRb = gl.resolveFbo = gl.resolveRb = 0;
}

void GlDevice::BindFramebuffer() { glBindFramebuffer(GL_FRAMEBUFFER, impl_->fbo); }

void GlDevice::BackBufferSize(int* width, int* height) const {
  if (width) *width = width_;
  if (height) *height = height_;
}

bool GlDevice::rangeFogSupported() const { return context_->fogDistance; }

bool GlDevice::CompleteTextureObject(uint32_t id) {
  auto it = impl_->textures.find(id);
  if (it == impl_->textures.end()) return false;
  glBindTexture(GL_TEXTURE_2D, it->second.name);
  impl_->boundTexture = it->second.name;
  const MipLevel top = ReadTopLevel(it->second.kind);
  const std::vector<MipLevel> chain = BuildMipChain(top.width, top.height, top.rgba.data());
  if (chain.empty()) return false;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(chain.size()) - 1);
  UploadLevels(chain, 1, it->second.kind);
  return glGetError() == GL_NO_ERROR;
}

bool GlDevice::CreateTextureObject(uint32_t id, const std::vector<MipLevel>& chain) {
  if (chain.empty()) return false;
  GlTexture t;
  glGenTextures(1, &t.name);
  glBindTexture(GL_TEXTURE_2D, t.name);
  impl_->boundTexture = t.name;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(chain.size()) - 1);
  t.kind = ExactTexelKind(chain[0], context_->textureSwizzle);
  UploadLevels(chain, 0, t.kind);
  if (glGetError() != GL_NO_ERROR) {
    glDeleteTextures(1, &t.name);
    impl_->boundTexture = ~0u;
    return false;
  }
  impl_->textures[id] = t;
  return true;
}

void GlDevice::ReleaseTextureObject(uint32_t id) {
  auto it = impl_->textures.find(id);
  if (it == impl_->textures.end()) return;
  if (impl_->boundTexture == it->second.name) impl_->boundTexture = ~0u;
  glDeleteTextures(1, &it->second.name);
  impl_->textures.erase(it);
}

void GlDevice::ReleaseBufferObject(uint32_t id) {
  auto it = impl_->buffers.find(id);
  if (it == impl_->buffers.end()) return;
  glDeleteBuffers(1, &it->second.name);
  impl_->buffers.erase(it);
}

namespace {

// Brings the OpenGL copy of a buffer up to date with its contents and binds it.
void BindBuffer(GlDeviceImpl& gl, GLenum target, uint32_t id, uint32_t version,
                const std::vector<uint8_t>& bytes) {
  GlBuffer& b = gl.buffers[id];
  if (!b.name) glGenBuffers(1, &b.name);
  glBindBuffer(target, b.name);
  if (b.version != version) {
    if (b.size != bytes.size()) {
      glBufferData(target, static_cast<GLsizeiptr>(bytes.size()), bytes.data(), GL_DYNAMIC_DRAW);
      b.size = bytes.size();
    } else {
      // Orphan the old storage so a draw still reading it does not stall us.
      glBufferData(target, static_cast<GLsizeiptr>(bytes.size()), nullptr, GL_DYNAMIC_DRAW);
      glBufferSubData(target, 0, static_cast<GLsizeiptr>(bytes.size()), bytes.data());
    }
    b.version = version;
  }
}

const void* Offset(size_t bytes) { return reinterpret_cast<const void*>(bytes); }

}  // namespace

void GlDevice::DrawChecked(const CheckedDraw& d) {
  GlDeviceImpl& gl = *impl_;
  ApplyGlStates(gl, states_, d.fvf);

  BindBuffer(gl, GL_ARRAY_BUFFER, d.vertexBufferId, d.vertexBufferVersion, *d.vertexBufferBytes);
  size_t base = d.streamOffset;
  GLsizei stride = static_cast<GLsizei>(d.stride);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  if (d.fvf == kFvfMesh) {
    glVertexPointer(3, GL_FLOAT, stride, Offset(base));
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, stride, Offset(base + 12));
    glDisableClientState(GL_COLOR_ARRAY);
    glColor4f(1, 1, 1, 1);  // no vertex colour: white
    glTexCoordPointer(2, GL_FLOAT, stride, Offset(base + 24));
  } else {
    // Position, ARGB colour (bytes B, G, R, A in memory), texture pair; the
    // pixel-space format carries an rhw after the position.
    size_t colorAt = d.fvf == kFvfScreen ? 16 : 12;
    glVertexPointer(3, GL_FLOAT, stride, Offset(base));
    glDisableClientState(GL_NORMAL_ARRAY);
    glNormal3f(0, 0, 0);
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, Offset(base + colorAt));
    glTexCoordPointer(2, GL_FLOAT, stride, Offset(base + colorAt + 4));
  }

  if (d.indices) {
    BindBuffer(gl, GL_ELEMENT_ARRAY_BUFFER, d.indexBufferId, d.indexBufferVersion, *d.indexBufferBytes);
    GLenum type = d.indexFormat == IndexFormat::Index16 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT;
    glDrawRangeElementsBaseVertex(GL_TRIANGLES, d.minIndexValue, d.maxIndexValue,
                                  static_cast<GLsizei>(d.indexCount), type, Offset(d.startIndexBytes),
                                  static_cast<GLint>(d.baseVertex));
  } else {
    glDrawArrays(GL_TRIANGLES, static_cast<GLint>(d.firstVertex), static_cast<GLsizei>(d.vertexCount));
  }
}

void GlDevice::ClearTargets(uint32_t flags, uint32_t color, float z) {
  GlDeviceImpl& gl = *impl_;
  GLbitfield mask = 0;
  if (flags & ClearFlags::Target) {
    glClearColor(((color >> 16) & 0xFF) / 255.0f, ((color >> 8) & 0xFF) / 255.0f, (color & 0xFF) / 255.0f,
                 ((color >> 24) & 0xFF) / 255.0f);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if ((flags & ClearFlags::ZBuffer) && gl.hasDepth) {
    glClearDepth(z < 0 ? 0 : (z > 1 ? 1 : z));
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  if (!mask) return;
  // A clear writes whatever the write masks say.
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(GL_TRUE);
  glClear(mask);
  uint32_t m = gl.applied.render[static_cast<int>(RenderState::ColorWriteEnable)];
  if (gl.valid) {
    glColorMask((m & 1) != 0, (m & 2) != 0, (m & 4) != 0, (m & 8) != 0);
    glDepthMask(gl.applied.render[static_cast<int>(RenderState::ZWriteEnable)] ? GL_TRUE : GL_FALSE);
  }
}

void GlDevice::BindFinishedFrameForReading() {
  GlDeviceImpl& gl = *impl_;
  GLuint source = gl.fbo;
  if (gl.resolveFbo) {
    // A multisampled buffer is resolved into its single-sample copy first.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, gl.fbo);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, gl.resolveFbo);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    source = gl.resolveFbo;
  }
  glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
  if (gl.direct) glReadBuffer(GL_BACK);
}

void GlDevice::LeaveWindow() {
  GlDeviceImpl& gl = *impl_;
  int samples = 0, depthBits = 0;
  if (!MakeOwnTargets(gl, params_, samples, width_, height_, depthBits)) {
    DestroyTargets();  // drawing on into the window, in its lower left corner
    return;
  }
  // The frame just drawn lies in the window's lower left corner.
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glReadBuffer(GL_BACK);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, gl.fbo);
  glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  gl.direct = false;
  depthBits_ = depthBits;
}

void GlDevice::ComposeWindow(int winW, int winH) {
  if (impl_->direct) return;  // the window holds the picture already
  BindFinishedFrameForReading();
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  if (winW == width_ && winH == height_) {
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, winW, winH, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    return;
  }
  // Scaled to fit, keeping its shape; the rest of the window is black.
  const Letterbox box = FitLetterbox(width_, height_, winW, winH);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  const int bottom = winH - box.y - box.height;  // GL rows count from the bottom
  glBlitFramebuffer(0, 0, width_, height_, box.x, bottom, box.x + box.width, bottom + box.height,
                    GL_COLOR_BUFFER_BIT, GL_LINEAR);
  const uint32_t m = impl_->applied.render[static_cast<int>(RenderState::ColorWriteEnable)];
  if (impl_->valid) glColorMask((m & 1) != 0, (m & 2) != 0, (m & 4) != 0, (m & 8) != 0);
}

DeviceResult GlDevice::PresentFrame() {
  int winW = 0, winH = 0;
  SDL_GL_GetDrawableSize(context_->window, &winW, &winH);
  // The player has resized a window the picture was drawn straight into: it
  // moves to targets of its own, scaled into the window from now on.
  if (impl_->direct && (winW != width_ || winH != height_)) LeaveWindow();
  ComposeWindow(winW, winH);
  SDL_GL_SwapWindow(context_->window);
  BindFramebuffer();
  return DeviceResult::Ok;
}

DeviceResult GlDevice::ResetTargets(const PresentParameters& params) {
  DestroyTargets();
  if (!MakeTargets(params)) {
    // Keep drawing somewhere sensible: the previous parameters.
    MakeTargets(params_);
    return DeviceResult::InvalidCall;
  }
  return DeviceResult::Ok;
}

std::vector<uint32_t> GlDevice::ReadPixels(int x, int y, int width, int height) {
  std::vector<uint32_t> out;
  if (width <= 0 || height <= 0) return out;
  out.assign(static_cast<size_t>(width) * height, 0);
  BindFinishedFrameForReading();
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  std::vector<uint8_t> row(static_cast<size_t>(width) * 4);
  for (int j = 0; j < height; ++j) {
    int py = y + j;
    if (py < 0 || py >= height_) continue;
    // Clip the row to the buffer.
    int x0 = x < 0 ? 0 : x, x1 = x + width > width_ ? width_ : x + width;
    if (x1 <= x0) continue;
    glReadPixels(x0, height_ - 1 - py, x1 - x0, 1, GL_RGBA, GL_UNSIGNED_BYTE, row.data());
    for (int i = x0; i < x1; ++i) {
      const uint8_t* p = &row[static_cast<size_t>(i - x0) * 4];
      out[static_cast<size_t>(j) * width + (i - x)] =
          0xFF000000u | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
  }
  BindFramebuffer();
  return out;
}

uint32_t GlDevice::ReadPixel(int x, int y) { return ReadPixels(x, y, 1, 1)[0]; }

std::vector<uint32_t> GlDevice::ReadWindowPixels(int x, int y, int width, int height) {
  int winW = 0, winH = 0;
  SDL_GL_GetDrawableSize(context_->window, &winW, &winH);
  std::vector<uint32_t> out;
  if (width <= 0 || height <= 0 || x < 0 || y < 0 || x + width > winW || y + height > winH) return out;
  // After a swap the window's buffer holds nothing defined: compose it again.
  ComposeWindow(winW, winH);
  std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glReadBuffer(GL_BACK);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  glReadPixels(x, winH - y - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  out.resize(static_cast<size_t>(width) * height);
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i) {
      const uint8_t* p = &rgba[(static_cast<size_t>(height - 1 - j) * width + i) * 4];
      out[static_cast<size_t>(j) * width + i] =
          0xFF000000u | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
  BindFramebuffer();
  return out;
}

}  // namespace nb
