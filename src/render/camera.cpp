#include "render/camera.h"

#include "platform/graphics_device.h"

namespace nb {
namespace {

bool Differs(const Vec3& a, const Vec3& b) { return a.x != b.x || a.y != b.y || a.z != b.z; }

Vec3 EaseTowards(const Vec3& from, const Vec3& to, float factor) {
  return {from.x - (from.x - to.x) * factor, from.y - (from.y - to.y) * factor,
          from.z - (from.z - to.z) * factor};
}

}  // namespace

void SetCameraNow(CameraState& camera, const Vec3& eye, const Vec3& lookAt, float fov) {
  camera.eye = camera.eyeTarget = eye;
  camera.lookAt = camera.lookAtTarget = lookAt;
  camera.fov = camera.fovTarget = fov;
  camera.eyeDelta = {};
  camera.lookAtDelta = {};
  camera.easing = kCameraEasing;
}

void MoveCameraTo(CameraState& camera, const Vec3& eye, const Vec3& lookAt, float fov) {
  camera.eyeTarget = eye;
  camera.lookAtTarget = lookAt;
  camera.fovTarget = fov;
  camera.eyeDelta = Subtract(camera.eye, eye);
  camera.lookAtDelta = Subtract(camera.lookAt, lookAt);
  camera.eyeDistance = Length(camera.eyeDelta);
  camera.lookAtDistance = Length(camera.lookAtDelta);
  camera.easing = 0;
}

void StepCamera(CameraState& camera, int width, int height) {
  camera.easing = kCameraEasing;
  if (Differs(camera.eye, camera.eyeTarget))
    camera.eye = EaseTowards(camera.eye, camera.eyeTarget, camera.easing);
  if (Differs(camera.lookAt, camera.lookAtTarget))
    camera.lookAt = EaseTowards(camera.lookAt, camera.lookAtTarget, camera.easing);
  if (camera.fov != camera.fovTarget)
    camera.fov = camera.fov - (camera.fov - camera.fovTarget) * camera.easing;
  // Up is +Z; a view straight along Z (as at start-up) has no sideways axis
  // with it, and +Y stands in rather than collapsing the picture to a line.
  Vec3 up{0, 0, 1};
  Vec3 ahead = Subtract(camera.lookAt, camera.eye);
  if (ahead.x == 0 && ahead.y == 0) up = Vec3{0, 1, 0};
  camera.view = MatrixLookAtLH(camera.eye, camera.lookAt, up);
  float aspect = height != 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.0f;
  camera.projection =
      MatrixPerspectiveFovLH(camera.fov * kFovRadiansPerUnit, aspect, kCameraNear, kCameraFar);
}

void ApplyCamera(const CameraState& camera, GraphicsDevice& device) {
  device.SetTransform(TransformState::View, camera.view);
  device.SetTransform(TransformState::Projection, camera.projection);
}

bool PickGroundPoint(const CameraState& camera, int pointerX, int pointerY, int width, int height,
                     float offsetX, float planeHeight, float offsetZ, float* outX, float* outZ) {
  if (width <= 0 || height <= 0) return false;
  if (pointerX > width) pointerX = width;
  if (pointerY > height) pointerY = height;
  const Matrix& p = camera.projection;
  if (p.m[0][0] == 0 || p.m[1][1] == 0) return false;
  Vec3 d{(2.0f * pointerX / width - 1) / p.m[0][0], -(2.0f * pointerY / height - 1) / p.m[1][1], 1};
  bool ok = false;
  Matrix inverse = MatrixInverse(camera.view, &ok);
  if (!ok) return false;
  Vec3 origin{inverse.m[3][0], inverse.m[3][1], inverse.m[3][2]};
  Vec3 r = TransformNormal(d, inverse);
  if (r.y == 0) return false;
  float along = (origin.y - planeHeight) / r.y;
  *outX = origin.x - offsetX - along * r.x;
  *outZ = origin.z - offsetZ - along * r.z;
  return true;
}

}  // namespace nb
