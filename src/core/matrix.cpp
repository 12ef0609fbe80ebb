#include "core/matrix.h"

#include <cmath>

namespace nb {

Matrix MatrixIdentity() { return Matrix{}; }

Matrix MatrixMultiply(const Matrix& a, const Matrix& b) {
  Matrix r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
      r.m[i][j] = sum;
    }
  return r;
}

Matrix MatrixInverse(const Matrix& a, bool* ok) {
  // Gauss-Jordan elimination with partial pivoting, in double precision.
  double work[4][8];
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      work[i][j] = a.m[i][j];
      work[i][j + 4] = i == j ? 1.0 : 0.0;
    }
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int row = col + 1; row < 4; ++row)
      if (std::fabs(work[row][col]) > std::fabs(work[pivot][col])) pivot = row;
    if (std::fabs(work[pivot][col]) < 1e-12) {
      if (ok) *ok = false;
      return Matrix{};
    }
    if (pivot != col)
      for (int j = 0; j < 8; ++j) std::swap(work[pivot][j], work[col][j]);
    double scale = 1.0 / work[col][col];
    for (int j = 0; j < 8; ++j) work[col][j] *= scale;
    for (int row = 0; row < 4; ++row) {
      if (row == col) continue;
      double factor = work[row][col];
      if (factor == 0.0) continue;
      for (int j = 0; j < 8; ++j) work[row][j] -= factor * work[col][j];
    }
  }
  Matrix r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) r.m[i][j] = static_cast<float>(work[i][j + 4]);
  if (ok) *ok = true;
  return r;
}

Matrix MatrixScaling(float sx, float sy, float sz) {
  Matrix r;
  r.m[0][0] = sx;
  r.m[1][1] = sy;
  r.m[2][2] = sz;
  return r;
}

Matrix MatrixTranslation(float x, float y, float z) {
  Matrix r;
  r.m[3][0] = x;
  r.m[3][1] = y;
  r.m[3][2] = z;
  return r;
}

Matrix MatrixRotationX(float angle) {
  Matrix r;
  float c = std::cos(angle), s = std::sin(angle);
  r.m[1][1] = c;
  r.m[1][2] = s;
  r.m[2][1] = -s;
  r.m[2][2] = c;
  return r;
}

Matrix MatrixRotationY(float angle) {
  Matrix r;
  float c = std::cos(angle), s = std::sin(angle);
  r.m[0][0] = c;
  r.m[0][2] = -s;
  r.m[2][0] = s;
  r.m[2][2] = c;
  return r;
}

Matrix MatrixRotationZ(float angle) {
  Matrix r;
  float c = std::cos(angle), s = std::sin(angle);
  r.m[0][0] = c;
  r.m[0][1] = s;
  r.m[1][0] = -s;
  r.m[1][1] = c;
  return r;
}

Matrix MatrixLookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up) {
  Vec3 zaxis = Normalize(Subtract(at, eye));
  Vec3 xaxis = Normalize(Cross(up, zaxis));
  Vec3 yaxis = Cross(zaxis, xaxis);
  Matrix r;
  r.m[0][0] = xaxis.x;
  r.m[0][1] = yaxis.x;
  r.m[0][2] = zaxis.x;
  r.m[0][3] = 0;
  r.m[1][0] = xaxis.y;
  r.m[1][1] = yaxis.y;
  r.m[1][2] = zaxis.y;
  r.m[1][3] = 0;
  r.m[2][0] = xaxis.z;
  r.m[2][1] = yaxis.z;
  r.m[2][2] = zaxis.z;
  r.m[2][3] = 0;
  r.m[3][0] = -Dot(xaxis, eye);
  r.m[3][1] = -Dot(yaxis, eye);
  r.m[3][2] = -Dot(zaxis, eye);
  r.m[3][3] = 1;
  return r;
}

Matrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
  float yScale = 1.0f / std::tan(fovY / 2);
  float xScale = yScale / aspect;
  Matrix r;
  r.m[0][0] = xScale;
  r.m[1][1] = yScale;
  r.m[2][2] = zFar / (zFar - zNear);
  r.m[2][3] = 1;
  r.m[3][2] = -zNear * zFar / (zFar - zNear);
  r.m[3][3] = 0;
  return r;
}

Vec3 TransformCoord(const Vec3& p, const Matrix& m) {
  float x = p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0];
  float y = p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1];
  float z = p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2];
  float w = p.x * m.m[0][3] + p.y * m.m[1][3] + p.z * m.m[2][3] + m.m[3][3];
  if (w != 0 && w != 1) return {x / w, y / w, z / w};
  return {x, y, z};
}

Vec3 TransformNormal(const Vec3& v, const Matrix& m) {
  return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
          v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
          v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

Vec3 Subtract(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

float Length(const Vec3& v) { return std::sqrt(Dot(v, v)); }

Vec3 Normalize(const Vec3& v) {
  float len = Length(v);
  if (len == 0) return v;
  return {v.x / len, v.y / len, v.z / len};
}

}  // namespace nb
