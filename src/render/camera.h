#pragma once
#include "core/matrix.h"

namespace nb {

class GraphicsDevice;

// The one camera of every screen. Callers give an eye point, a look-at point
// and a field of view, at once or as targets to ease towards; StepCamera
// moves it each update and ApplyCamera gives its transforms to the device.
struct CameraState {
  Vec3 eye;
  Vec3 lookAt;
  Vec3 eyeTarget;
  Vec3 lookAtTarget;
  Vec3 eyeDelta;     // eye - eyeTarget when MoveCameraTo was called
  Vec3 lookAtDelta;  // lookAt - lookAtTarget when MoveCameraTo was called
  float eyeDistance = 0;
  float lookAtDistance = 0;
  float fov = 45;  // in the game's degree unit, see kFovRadiansPerUnit
  float fovTarget = 45;
  float easing = 0.01f;
  // The transforms StepCamera built last; the draw and PickGroundPoint read them.
  Matrix view;
  Matrix projection;
};

// The camera closes this fraction of the remaining distance every update.
constexpr float kCameraEasing = 0.01f;
// The field of view is turned into radians with this factor (1 / 56.7), not
// 1 / 57.2958: a value of 45 gives 0.794 rad.
constexpr float kFovRadiansPerUnit = 0.017636685f;
constexpr float kCameraNear = 15;
constexpr float kCameraFar = 10000;

// Stands the camera still at once.
void SetCameraNow(CameraState& camera, const Vec3& eye, const Vec3& lookAt, float fov);
// Sets the targets the camera eases towards in the following frames.
void MoveCameraTo(CameraState& camera, const Vec3& eye, const Vec3& lookAt, float fov);

// One update of easing, then the view (up vector +Z) and projection
// matrices for a back buffer of width x height, kept in the camera.
void StepCamera(CameraState& camera, int width, int height);
// The view and projection transforms of the last step on the device.
void ApplyCamera(const CameraState& camera, GraphicsDevice& device);

// The world x and z under the pointer on the plane y = planeHeight, minus the
// offsets. The pointer is in client pixels of a width x height back buffer;
// x is clamped to at most width and y to at most height (not below 0).
// False, with the outputs untouched, when the ray runs parallel to the plane
// or the view cannot be inverted.
bool PickGroundPoint(const CameraState& camera, int pointerX, int pointerY, int width, int height,
                     float offsetX, float planeHeight, float offsetZ, float* outX, float* outZ);

}  // namespace nb
