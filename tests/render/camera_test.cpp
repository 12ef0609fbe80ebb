// The camera's easing and the pointer's ground point. Where the view and the projection put
// the scene is checked on the real device by the scene and play acceptance tests.
#include <gtest/gtest.h>

#include <cmath>

#include "render/camera.h"

namespace nb {
namespace {

void ExpectVec(const Vec3& v, float x, float y, float z, float tolerance = 1e-3f) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

TEST(Camera, SetCameraNowStandsStillAndMoveCameraToEasesOnePercentPerFrame) {
  CameraState camera;
  SetCameraNow(camera, {10, 20, 30}, {1, 2, 3}, 45);
  StepCamera(camera, 800, 600);
  ExpectVec(camera.eye, 10, 20, 30, 0);
  MoveCameraTo(camera, {110, 20, 30}, {1, 2, 203}, 90);
  ExpectVec(camera.eye, 10, 20, 30, 0);  // nothing moves before the next frame
  StepCamera(camera, 800, 600);
  ExpectVec(camera.eye, 11, 20, 30);       // 1 % of 100
  ExpectVec(camera.lookAt, 1, 2, 5);       // 1 % of 200
  EXPECT_NEAR(camera.fov, 45.45f, 1e-4f);  // 1 % of 45
  // After n frames 0.99^n of the way is left.
  for (int i = 1; i < 100; ++i) StepCamera(camera, 800, 600);
  ExpectVec(camera.eye, 110 - 100 * 0.366032f, 20, 30, 1e-2f);
  // A new SetCameraNow drops the targets.
  SetCameraNow(camera, {0, 0, 0}, {0, 0, 1}, 45);
  StepCamera(camera, 800, 600);
  ExpectVec(camera.eye, 0, 0, 0, 0);
  // The start-up view looks straight along the +Z up vector and still gets a full view matrix.
  SetCameraNow(camera, {0, 0, -5000}, {0, 0, 510}, 45);
  StepCamera(camera, 800, 600);
  ExpectVec(TransformCoord({10, 20, 510}, camera.view), 10, 20, 5510);
}

TEST(Camera, PickGroundPointHitsTheWorkedOutPointsClampsRightAndBottomAndRefusesAParallelRay) {
  CameraState camera;
  SetCameraNow(camera, {0, 1000, 0}, {0, 0, 0}, 45);
  StepCamera(camera, 800, 600);
  // Half the ground width and height in view from 1000 up: 1000 * tan(0.396825) * (4 / 3, 1).
  const float w = 558.742f, h = 419.056f;
  struct Case {
    int px, py;
    float offX, height, offZ, x, z;
  } cases[] = {
      {800, 300, 0, 0, 0, w, 0},                 // right edge
      {400, 0, 0, 0, 0, 0, h},                   // top edge is +Z
      {5000, 9000, 0, 0, 0, w, -h},              // clamped to the right and bottom edges...
      {-400, 300, 0, 0, 0, -2 * w, 0},           // ...but not to the left one
      {800, 300, 10, 500, -20, w / 2 - 10, 20},  // a raised plane comes closer; offsets subtracted
  };
  for (const Case& c : cases) {
    float x = -1, z = -1;
    ASSERT_TRUE(PickGroundPoint(camera, c.px, c.py, 800, 600, c.offX, c.height, c.offZ, &x, &z));
    EXPECT_NEAR(x, c.x, 0.2f) << c.px << "," << c.py;
    EXPECT_NEAR(z, c.z, 0.05f) << c.px << "," << c.py;
  }
  // Looking level along +X: the centre ray never meets the ground.
  SetCameraNow(camera, {0, 100, 0}, {100, 100, 0}, 45);
  StepCamera(camera, 640, 480);
  float x = 123, z = 456;
  EXPECT_FALSE(PickGroundPoint(camera, 320, 240, 640, 480, 0, 0, 0, &x, &z));
  EXPECT_EQ(std::make_pair(x, z), std::make_pair(123.f, 456.f));
}

}  // namespace
}  // namespace nb
