#pragma once

namespace nb {

// Row-vector 4x4 matrices as the game's 3-D code uses them: a point is
// transformed as p x M, and in A x B the transform A applies first. Rows are
// stored one after another (m[row][col]); the translation sits in row 3.
struct Vec3 {
  float x = 0, y = 0, z = 0;
};

struct Matrix {
  float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
};

Matrix MatrixIdentity();
Matrix MatrixMultiply(const Matrix& a, const Matrix& b);  // a then b
// Inverse of a general matrix; the identity when it is singular (ok false).
Matrix MatrixInverse(const Matrix& a, bool* ok = nullptr);
Matrix MatrixScaling(float sx, float sy, float sz);
Matrix MatrixTranslation(float x, float y, float z);
// Rotations by an angle in radians, clockwise when looking along the axis
// towards the origin (left-handed).
Matrix MatrixRotationX(float angle);
Matrix MatrixRotationY(float angle);
Matrix MatrixRotationZ(float angle);
// Left-handed view matrix looking from eye at target with the given up vector.
Matrix MatrixLookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up);
// Left-handed perspective projection with depth mapped to 0..1.
Matrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);

// p x M with w = 1, divided by the resulting w.
Vec3 TransformCoord(const Vec3& p, const Matrix& m);
// p x M ignoring the translation (directions).
Vec3 TransformNormal(const Vec3& v, const Matrix& m);

Vec3 Subtract(const Vec3& a, const Vec3& b);
Vec3 Cross(const Vec3& a, const Vec3& b);
float Dot(const Vec3& a, const Vec3& b);
float Length(const Vec3& v);
Vec3 Normalize(const Vec3& v);  // zero stays zero

}  // namespace nb
