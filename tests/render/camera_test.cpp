#include <gtest/gtest.h>

#include <cmath>

#include "platform/recording_device.h"
#include "render/camera.h"

namespace nb {
namespace {

void ExpectVec(const Vec3& v, float x, float y, float z, float tolerance = 1e-3f) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

TEST(Camera, FieldOfView45IsAVerticalAngleOf0_794Radians) {
  CameraState camera;
  SetCameraNow(camera, {0, 1000, 0}, {0, 0, 0}, 45);
  StepCamera(camera, 800, 600);
  // 45 / 56.7 = 0.79365 rad; y scale = 1 / tan(0.396825) = 2.386315,
  // x scale = y scale / (800 / 600) = 1.789736.
  EXPECT_NEAR(45 * kFovRadiansPerUnit, 0.79365f, 1e-5f);
  EXPECT_NEAR(camera.projection.m[1][1], 2.386315f, 1e-4f);
  EXPECT_NEAR(camera.projection.m[0][0], 1.789736f, 1e-4f);
  // Near 15, far 10000: z' = 10000 / 9985, offset -15 * 10000 / 9985.
  EXPECT_NEAR(camera.projection.m[2][2], 1.0015023f, 1e-6f);
  EXPECT_NEAR(camera.projection.m[3][2], -15.022534f, 1e-4f);
  EXPECT_FLOAT_EQ(camera.projection.m[2][3], 1);
}

TEST(Camera, SetCameraNowStandsStillAndMoveCameraToEasesOnePercentPerFrame) {
  CameraState camera;
  SetCameraNow(camera, {10, 20, 30}, {1, 2, 3}, 45);
  EXPECT_FLOAT_EQ(camera.easing, 0.01f);
  for (int i = 0; i < 50; ++i) StepCamera(camera, 800, 600);
  ExpectVec(camera.eye, 10, 20, 30, 0);
  ExpectVec(camera.lookAt, 1, 2, 3, 0);
  EXPECT_FLOAT_EQ(camera.fov, 45);

  MoveCameraTo(camera, {110, 20, 30}, {1, 2, 203}, 90);
  EXPECT_FLOAT_EQ(camera.easing, 0);
  ExpectVec(camera.eyeDelta, -100, 0, 0, 0);
  ExpectVec(camera.lookAtDelta, 0, 0, -200, 0);
  EXPECT_FLOAT_EQ(camera.eyeDistance, 100);
  EXPECT_FLOAT_EQ(camera.lookAtDistance, 200);
  ExpectVec(camera.eye, 10, 20, 30, 0);  // nothing moves before the next frame

  StepCamera(camera, 800, 600);
  EXPECT_FLOAT_EQ(camera.easing, 0.01f);
  ExpectVec(camera.eye, 11, 20, 30);      // 1 % of 100
  ExpectVec(camera.lookAt, 1, 2, 5);      // 1 % of 200
  EXPECT_NEAR(camera.fov, 45.45f, 1e-4f);  // 1 % of 45
  // After n frames 0.99^n of the way is left: 100 frames leave 36.6 %.
  for (int i = 1; i < 100; ++i) StepCamera(camera, 800, 600);
  ExpectVec(camera.eye, 110 - 100 * 0.366032f, 20, 30, 1e-2f);
  // Twice the frames cover the distance that half the time would at double rate.
  for (int i = 0; i < 100; ++i) StepCamera(camera, 800, 600);
  ExpectVec(camera.eye, 110 - 100 * 0.133980f, 20, 30, 1e-2f);

  // A new SetCameraNow drops the targets and the deltas.
  SetCameraNow(camera, {0, 0, 0}, {0, 0, 1}, 45);
  ExpectVec(camera.eyeDelta, 0, 0, 0, 0);
  StepCamera(camera, 800, 600);
  ExpectVec(camera.eye, 0, 0, 0, 0);
}

TEST(Camera, UpdateCameraSetsViewThenProjectionWithUpAlongZ) {
  RecordingDevice device;
  CameraState camera;
  SetCameraNow(camera, {0, 1000, 0}, {0, 0, 0}, 45);
  UpdateCamera(camera, device, 800, 600);
  std::vector<std::string> calls = device.Described(DeviceOp::SetTransform);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_NE(calls[0].find("View"), std::string::npos) << calls[0];
  EXPECT_NE(calls[1].find("Projection"), std::string::npos) << calls[1];
  Matrix view;
  device.GetTransform(TransformState::View, &view);
  // Looking straight down with +Z up: world +X is view +X, world +Z view +Y,
  // and the ground lies 1000 ahead.
  ExpectVec(TransformCoord({7, 0, 0}, view), 7, 0, 1000);
  ExpectVec(TransformCoord({0, 0, 9}, view), 0, 9, 1000);
  Matrix projection;
  device.GetTransform(TransformState::Projection, &projection);
  EXPECT_NEAR(projection.m[1][1], 2.386315f, 1e-4f);
}

TEST(Camera, TheStartUpViewAlongZStillGivesAFullViewMatrix) {
  // Eye (0, 0, -5000) towards (0, 0, 510): straight along the +Z up vector.
  CameraState camera;
  SetCameraNow(camera, {0, 0, -5000}, {0, 0, 510}, 45);
  StepCamera(camera, 800, 600);
  bool invertible = false;
  MatrixInverse(camera.view, &invertible);
  EXPECT_TRUE(invertible);
  // +X stays to the right, +Y up, the look-at point 5510 ahead.
  ExpectVec(TransformCoord({10, 0, 510}, camera.view), 10, 0, 5510);
  ExpectVec(TransformCoord({0, 20, 510}, camera.view), 0, 20, 5510);
}

TEST(Camera, PickGroundPointHitsTheWorkedOutPointsAndClampsRightAndBottom) {
  CameraState camera;
  SetCameraNow(camera, {0, 1000, 0}, {0, 0, 0}, 45);
  StepCamera(camera, 800, 600);
  float x = -1, z = -1;
  // The centre of the screen lies straight below the eye.
  ASSERT_TRUE(PickGroundPoint(camera, 400, 300, 800, 600, 0, 0, 0, &x, &z));
  EXPECT_NEAR(x, 0, 1e-2f);
  EXPECT_NEAR(z, 0, 1e-2f);
  // The right edge: 1000 * tan(0.396825) * 4 / 3 = 558.742 along +X.
  ASSERT_TRUE(PickGroundPoint(camera, 800, 300, 800, 600, 0, 0, 0, &x, &z));
  EXPECT_NEAR(x, 558.742f, 0.05f);
  EXPECT_NEAR(z, 0, 1e-2f);
  // The top edge: 1000 * tan(0.396825) = 419.056 along +Z (screen up).
  ASSERT_TRUE(PickGroundPoint(camera, 400, 0, 800, 600, 0, 0, 0, &x, &z));
  EXPECT_NEAR(x, 0, 1e-2f);
  EXPECT_NEAR(z, 419.056f, 0.05f);
  // Beyond the right and bottom edges the pointer is clamped to them ...
  ASSERT_TRUE(PickGroundPoint(camera, 5000, 9000, 800, 600, 0, 0, 0, &x, &z));
  EXPECT_NEAR(x, 558.742f, 0.05f);
  EXPECT_NEAR(z, -419.056f, 0.05f);
  // ... but not beyond the left one: -400 lies two half-widths left of centre.
  ASSERT_TRUE(PickGroundPoint(camera, -400, 300, 800, 600, 0, 0, 0, &x, &z));
  EXPECT_NEAR(x, -2 * 558.742f, 0.2f);
  // A raised plane comes closer: at height 500 the right edge is half as far.
  // Offsets are subtracted from the result.
  ASSERT_TRUE(PickGroundPoint(camera, 800, 300, 800, 600, 10, 500, -20, &x, &z));
  EXPECT_NEAR(x, 558.742f / 2 - 10, 0.05f);
  EXPECT_NEAR(z, 20, 1e-2f);
}

TEST(Camera, PickGroundPointFollowsAnObliqueViewAndRefusesAParallelRay) {
  CameraState camera;
  // 45 degrees down from behind: the centre ray meets y = 0 at the origin
  // and y = 100 at z = -100.
  SetCameraNow(camera, {0, 1000, -1000}, {0, 0, 0}, 45);
  StepCamera(camera, 640, 480);
  float x = 0, z = 0;
  ASSERT_TRUE(PickGroundPoint(camera, 320, 240, 640, 480, 0, 0, 0, &x, &z));
  EXPECT_NEAR(x, 0, 1e-2f);
  EXPECT_NEAR(z, 0, 1e-2f);
  ASSERT_TRUE(PickGroundPoint(camera, 320, 240, 640, 480, 0, 100, 0, &x, &z));
  EXPECT_NEAR(z, -100, 1e-2f);

  // Looking level along +X: the centre ray never meets the ground.
  SetCameraNow(camera, {0, 100, 0}, {100, 100, 0}, 45);
  StepCamera(camera, 640, 480);
  x = 123, z = 456;
  EXPECT_FALSE(PickGroundPoint(camera, 320, 240, 640, 480, 0, 0, 0, &x, &z));
  EXPECT_EQ(x, 123);
  EXPECT_EQ(z, 456);
}

}  // namespace
}  // namespace nb
