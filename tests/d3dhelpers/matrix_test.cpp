#include <gtest/gtest.h>

#include <cmath>

#include "d3dhelpers/matrix.h"

namespace nb {
namespace {

constexpr float kHalfPi = 1.57079632679f;

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
  // Row 0 of a times column 0 of a: 1*1 + 2*5 + 3*9 + 4*13.
  EXPECT_FLOAT_EQ(sq.m[0][0], 90);
  EXPECT_FLOAT_EQ(sq.m[1][2], 254);  // 5*3 + 6*7 + 7*11 + 8*15
  EXPECT_FLOAT_EQ(sq.m[3][3], 600);  // 13*4 + 14*8 + 15*12 + 16*16

  // Translate then scale: the origin goes to (1, 2, 3), then to (2, 6, 12).
  Matrix ts = MatrixMultiply(MatrixTranslation(1, 2, 3), MatrixScaling(2, 3, 4));
  ExpectPoint(TransformCoord({0, 0, 0}, ts), 2, 6, 12);
  // Scale then translate: (1, 1, 1) -> (2, 3, 4) -> (3, 5, 7).
  Matrix st = MatrixMultiply(MatrixScaling(2, 3, 4), MatrixTranslation(1, 2, 3));
  ExpectPoint(TransformCoord({1, 1, 1}, st), 3, 5, 7);
}

TEST(Matrix, RotationsTurnClockwiseLookingDownTheAxisTowardsTheOrigin) {
  // A quarter turn about Y takes +X to -Z and +Z to +X.
  Matrix ry = MatrixRotationY(kHalfPi);
  ExpectPoint(TransformCoord({1, 0, 0}, ry), 0, 0, -1);
  ExpectPoint(TransformCoord({0, 0, 1}, ry), 1, 0, 0);
  // About X: +Y to +Z.
  ExpectPoint(TransformCoord({0, 1, 0}, MatrixRotationX(kHalfPi)), 0, 0, 1);
  // About Z: +X to +Y.
  ExpectPoint(TransformCoord({1, 0, 0}, MatrixRotationZ(kHalfPi)), 0, 1, 0);
  // The element layout of a 30 degree turn about Y: cos in 00 and 22, -sin in 02.
  Matrix r30 = MatrixRotationY(0.5235988f);
  const float c = 0.8660254f, s = 0.5f;
  const float expected[4][4] = {{c, 0, -s, 0}, {0, 1, 0, 0}, {s, 0, c, 0}, {0, 0, 0, 1}};
  ExpectMatrix(r30, expected);
}

TEST(Matrix, ScalingAndTranslationPlaceTheirValues) {
  const float scale[4][4] = {{2, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 4, 0}, {0, 0, 0, 1}};
  ExpectMatrix(MatrixScaling(2, 3, 4), scale);
  const float move[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {5, -6, 7, 1}};
  ExpectMatrix(MatrixTranslation(5, -6, 7), move);
  // Directions ignore the translation.
  ExpectPoint(TransformNormal({1, 2, 3}, MatrixTranslation(5, -6, 7)), 1, 2, 3);
}

TEST(Matrix, InverseUndoesTheTransformAndReportsSingularMatrices) {
  // (translate by (1, 2, 3), scale by 2) is undone by (scale by 1/2, translate back).
  Matrix m = MatrixMultiply(MatrixTranslation(1, 2, 3), MatrixScaling(2, 2, 2));
  bool ok = false;
  Matrix inv = MatrixInverse(m, &ok);
  EXPECT_TRUE(ok);
  const float expected[4][4] = {
      {0.5f, 0, 0, 0}, {0, 0.5f, 0, 0}, {0, 0, 0.5f, 0}, {-1, -2, -3, 1}};
  ExpectMatrix(inv, expected);

  // A rotation's inverse is its transpose; the product with it is the identity.
  Matrix rot = MatrixMultiply(MatrixRotationX(0.3f), MatrixRotationZ(-1.1f));
  Matrix back = MatrixMultiply(rot, MatrixInverse(rot));
  const float identity[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  ExpectMatrix(back, identity);
  Matrix invRot = MatrixInverse(rot);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(invRot.m[r][c], rot.m[c][r], 1e-6f);

  // A matrix that flattens the X axis has no inverse: the identity comes back.
  Matrix flat = MatrixScaling(0, 1, 1);
  flat.m[3][0] = 4;
  ok = true;
  ExpectMatrix(MatrixInverse(flat, &ok), identity);
  EXPECT_FALSE(ok);
}

TEST(Matrix, LookAtLeftHandedPutsTheTargetStraightAheadOnPositiveZ) {
  // From (0, 0, -10) towards the origin, Y up: a pure translation by +10 in z.
  Matrix v = MatrixLookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0});
  const float expected[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 10, 1}};
  ExpectMatrix(v, expected);

  // From (10, 0, 0) looking along -X with Y up, +Z lies to the right.
  Matrix side = MatrixLookAtLH({10, 0, 0}, {0, 0, 0}, {0, 1, 0});
  ExpectPoint(TransformCoord({0, 0, 5}, side), 5, 0, 10);
  ExpectPoint(TransformCoord({0, 3, 0}, side), 0, 3, 10);

  // The game's up vector is +Z: looking down from (0, 1000, 0), world +X is
  // screen right and world +Z is screen up.
  Matrix down = MatrixLookAtLH({0, 1000, 0}, {0, 0, 0}, {0, 0, 1});
  ExpectPoint(TransformCoord({7, 0, 0}, down), 7, 0, 1000);
  ExpectPoint(TransformCoord({0, 0, 9}, down), 0, 9, 1000);
}

TEST(Matrix, PerspectiveMapsNearToDepthZeroAndFarToOne) {
  // 90 degrees vertical, aspect 2, near 1, far 101.
  Matrix p = MatrixPerspectiveFovLH(kHalfPi, 2, 1, 101);
  const float expected[4][4] = {
      {0.5f, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1.01f, 1}, {0, 0, -1.01f, 0}};
  ExpectMatrix(p, expected);
  ExpectPoint(TransformCoord({0, 0, 1}, p), 0, 0, 0);
  ExpectPoint(TransformCoord({0, 0, 101}, p), 0, 0, 1);
  // A point on the upper edge of the view at distance 4 lands on y = 1.
  ExpectPoint(TransformCoord({0, 4, 4}, p), 0, 1, 1.01f - 1.01f / 4);
  // The game's 45 at 800 x 600: 0.79365 rad vertical, y scale 1/tan(0.39683).
  Matrix game = MatrixPerspectiveFovLH(45 * 0.017636685f, 800.0f / 600.0f, 15, 10000);
  EXPECT_NEAR(game.m[1][1], 2.386315f, 1e-4f);
  EXPECT_NEAR(game.m[0][0], 1.789736f, 1e-4f);
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
