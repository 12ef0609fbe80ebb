#include <gtest/gtest.h>

#include "core/matrix.h"

namespace nb {
namespace {

constexpr float kHalfPi = 1.57079632679f;
const float kIdentity[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

void ExpectPoint(const Vec3& p, float x, float y, float z, float tolerance = 1e-5f) {
  EXPECT_NEAR(p.x, x, tolerance);
  EXPECT_NEAR(p.y, y, tolerance);
  EXPECT_NEAR(p.z, z, tolerance);
}

void ExpectMatrix(const Matrix& m, const float (&expected)[4][4], float tolerance = 1e-5f) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(m.m[r][c], expected[r][c], tolerance) << r << "," << c;
}

TEST(Matrix, MultiplyIsRowTimesColumnAndAppliesTheLeftOperandFirst) {
  Matrix a;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) a.m[r][c] = static_cast<float>(r * 4 + c + 1);
  Matrix sq = MatrixMultiply(a, a);
  EXPECT_FLOAT_EQ(sq.m[0][0], 90);   // 1*1 + 2*5 + 3*9 + 4*13
  EXPECT_FLOAT_EQ(sq.m[1][2], 254);  // 5*3 + 6*7 + 7*11 + 8*15
  EXPECT_FLOAT_EQ(sq.m[3][3], 600);
  // Translate then scale: the origin goes to (1, 2, 3), then to (2, 6, 12); the other way
  // round (1, 1, 1) goes to (2, 3, 4), then (3, 5, 7).
  ExpectPoint(TransformCoord({0, 0, 0}, MatrixMultiply(MatrixTranslation(1, 2, 3), MatrixScaling(2, 3, 4))), 2, 6, 12);
  ExpectPoint(TransformCoord({1, 1, 1}, MatrixMultiply(MatrixScaling(2, 3, 4), MatrixTranslation(1, 2, 3))), 3, 5, 7);
  // Directions ignore the translation.
  ExpectPoint(TransformNormal({1, 2, 3}, MatrixTranslation(5, -6, 7)), 1, 2, 3);
}

TEST(Matrix, RotationsTurnClockwiseLookingDownTheAxisTowardsTheOrigin) {
  Matrix ry = MatrixRotationY(kHalfPi);
  ExpectPoint(TransformCoord({1, 0, 0}, ry), 0, 0, -1);
  ExpectPoint(TransformCoord({0, 0, 1}, ry), 1, 0, 0);
  ExpectPoint(TransformCoord({0, 1, 0}, MatrixRotationX(kHalfPi)), 0, 0, 1);
  ExpectPoint(TransformCoord({1, 0, 0}, MatrixRotationZ(kHalfPi)), 0, 1, 0);
  ExpectPoint(TransformCoord({1, 0, 0}, MatrixRotationY(0.5235988f)), 0.8660254f, 0, -0.5f);
}

TEST(Matrix, InverseUndoesTheTransformAndReportsSingularMatrices) {
  bool ok = false;
  Matrix inv = MatrixInverse(MatrixMultiply(MatrixTranslation(1, 2, 3), MatrixScaling(2, 2, 2)), &ok);
  EXPECT_TRUE(ok);
  const float expected[4][4] = {{0.5f, 0, 0, 0}, {0, 0.5f, 0, 0}, {0, 0, 0.5f, 0}, {-1, -2, -3, 1}};
  ExpectMatrix(inv, expected);

  // A rotation's inverse is its transpose.
  Matrix rot = MatrixMultiply(MatrixRotationX(0.3f), MatrixRotationZ(-1.1f));
  Matrix invRot = MatrixInverse(rot);
  ExpectMatrix(MatrixMultiply(rot, invRot), kIdentity);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(invRot.m[r][c], rot.m[c][r], 1e-6f);

  // Flattening the X axis has no inverse: the identity comes back.
  Matrix flat = MatrixScaling(0, 1, 1);
  flat.m[3][0] = 4;
  ok = true;
  ExpectMatrix(MatrixInverse(flat, &ok), kIdentity);
  EXPECT_FALSE(ok);
}

TEST(Matrix, LookAtLeftHandedPutsTheTargetStraightAheadOnPositiveZ) {
  const float expected[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 10, 1}};
  ExpectMatrix(MatrixLookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0}), expected);
  // From (10, 0, 0) looking along -X with Y up, +Z lies to the right.
  Matrix side = MatrixLookAtLH({10, 0, 0}, {0, 0, 0}, {0, 1, 0});
  ExpectPoint(TransformCoord({0, 0, 5}, side), 5, 0, 10);
  ExpectPoint(TransformCoord({0, 3, 0}, side), 0, 3, 10);
  // The game looks down with +Z up: world +X is screen right, world +Z screen up.
  Matrix down = MatrixLookAtLH({0, 1000, 0}, {0, 0, 0}, {0, 0, 1});
  ExpectPoint(TransformCoord({7, 0, 0}, down), 7, 0, 1000);
  ExpectPoint(TransformCoord({0, 0, 9}, down), 0, 9, 1000);
}

TEST(Matrix, PerspectiveMapsNearToDepthZeroAndFarToOne) {
  // 90 degrees vertical, aspect 2, near 1, far 101.
  Matrix p = MatrixPerspectiveFovLH(kHalfPi, 2, 1, 101);
  const float expected[4][4] = {{0.5f, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1.01f, 1}, {0, 0, -1.01f, 0}};
  ExpectMatrix(p, expected);
  ExpectPoint(TransformCoord({0, 0, 1}, p), 0, 0, 0);
  ExpectPoint(TransformCoord({0, 0, 101}, p), 0, 0, 1);
  ExpectPoint(TransformCoord({0, 4, 4}, p), 0, 1, 1.01f - 1.01f / 4);  // upper edge
}

TEST(Matrix, VectorHelpers) {
  ExpectPoint(Cross({1, 0, 0}, {0, 1, 0}), 0, 0, 1);
  EXPECT_FLOAT_EQ(Dot({1, 2, 3}, {4, -5, 6}), 12);
  EXPECT_FLOAT_EQ(Length({3, 4, 12}), 13);
  ExpectPoint(Normalize({0, 0, 0}), 0, 0, 0);
  ExpectPoint(Normalize({0, 3, 4}), 0, 0.6f, 0.8f);
}

}  // namespace
}  // namespace nb
