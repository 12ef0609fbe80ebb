#include <gtest/gtest.h>

#include "core/matrix.h"

namespace nb {
namespace {

constexpr float kHalfPi = 1.57079632679f;
const float kIdentity[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

void ExpectPoint(const Vec3& p, float x, float y, float z) {
  EXPECT_NEAR(p.x, x, 1e-5f);
  EXPECT_NEAR(p.y, y, 1e-5f);
  EXPECT_NEAR(p.z, z, 1e-5f);
}

void ExpectMatrix(const Matrix& m, const float (&expected)[4][4]) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(m.m[r][c], expected[r][c], 1e-5f) << r << "," << c;
}

TEST(Matrix, MultiplyAppliesTheLeftOperandFirstAndRotationsTurnClockwiseDownTheAxis) {
  Matrix a;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) a.m[r][c] = static_cast<float>(r * 4 + c + 1);
  Matrix sq = MatrixMultiply(a, a);
  EXPECT_EQ((std::vector<float>{sq.m[0][0], sq.m[1][2], sq.m[3][3]}), (std::vector<float>{90, 254, 600}));
  // Translate then scale: the origin goes to (1, 2, 3), then to (2, 6, 12); the other way
  // round (1, 1, 1) goes to (2, 3, 4), then (3, 5, 7). Directions ignore the translation.
  ExpectPoint(TransformCoord({0, 0, 0}, MatrixMultiply(MatrixTranslation(1, 2, 3), MatrixScaling(2, 3, 4))),
              2, 6, 12);
  ExpectPoint(TransformCoord({1, 1, 1}, MatrixMultiply(MatrixScaling(2, 3, 4), MatrixTranslation(1, 2, 3))),
              3, 5, 7);
  ExpectPoint(TransformNormal({1, 2, 3}, MatrixTranslation(5, -6, 7)), 1, 2, 3);
  ExpectPoint(TransformCoord({0, 0, 1}, MatrixRotationY(kHalfPi)), 1, 0, 0);
  ExpectPoint(TransformCoord({0, 1, 0}, MatrixRotationX(kHalfPi)), 0, 0, 1);
  ExpectPoint(TransformCoord({1, 0, 0}, MatrixRotationZ(kHalfPi)), 0, 1, 0);
  ExpectPoint(TransformCoord({1, 0, 0}, MatrixRotationY(0.5235988f)), 0.8660254f, 0, -0.5f);
}

TEST(Matrix, InverseUndoesTheTransformAndReportsSingularMatrices) {
  bool ok = false;
  Matrix inv = MatrixInverse(MatrixMultiply(MatrixTranslation(1, 2, 3), MatrixScaling(2, 2, 2)), &ok);
  EXPECT_TRUE(ok);
  ExpectMatrix(inv, {{0.5f, 0, 0, 0}, {0, 0.5f, 0, 0}, {0, 0, 0.5f, 0}, {-1, -2, -3, 1}});
  Matrix rot = MatrixMultiply(MatrixRotationX(0.3f), MatrixRotationZ(-1.1f));
  ExpectMatrix(MatrixMultiply(rot, MatrixInverse(rot)), kIdentity);
  // Flattening the X axis has no inverse: the identity comes back.
  Matrix flat = MatrixScaling(0, 1, 1);
  flat.m[3][0] = 4;
  ok = true;
  ExpectMatrix(MatrixInverse(flat, &ok), kIdentity);
  EXPECT_FALSE(ok);
}

}  // namespace
}  // namespace nb
