#include "render/geometry_store.h"

#include <algorithm>
#include <cstring>

namespace nb {
namespace {

constexpr uint32_t kStride3d = sizeof(VertexPNT);
constexpr uint32_t kStride2d = sizeof(VertexScreen);

// The -1 of a refused mesh, with the reason.
int Refuse(StoreRefusal* why, StoreRefusal reason) {
  if (why) *why = reason;
  return -1;
}

// A managed index buffer filled with the given indices; a null handle on failure.
template <typename Index>
IndexBufferHandle MakeIndexBuffer(GraphicsDevice& device, const std::vector<Index>& indices,
                                  IndexFormat format) {
  IndexBufferHandle ib;
  const uint32_t bytes = static_cast<uint32_t>(indices.size() * sizeof(Index));
  if (Failed(device.CreateIndexBuffer(bytes, Usage::WriteOnly, format, Pool::Managed, &ib))) return {};
  void* data = nullptr;
  if (Failed(device.LockIndexBuffer(ib, 0, bytes, &data, LockFlags::None))) {
    device.ReleaseIndexBuffer(ib);
    return {};
  }
  std::memcpy(data, indices.data(), bytes);
  device.UnlockIndexBuffer(ib);
  return ib;
}

// Writes vertices at the end of the 3-D buffer (room already checked).
bool WriteVertices(GeometryStore& store, GraphicsDevice& device, const VertexPNT* vertices, uint32_t count) {
  if (count == 0) return true;
  void* data = nullptr;
  if (Failed(device.LockVertexBuffer(store.vertices3d, store.vertexCount3d * kStride3d, count * kStride3d,
                                     &data, LockFlags::None)))
    return false;
  std::memcpy(data, vertices, size_t{count} * kStride3d);
  device.UnlockVertexBuffer(store.vertices3d);
  return true;
}

// Moves the 3-D buffer into a larger one holding at least `needed` vertices,
// rounded up to a whole growth step.
bool Grow3d(GeometryStore& store, GraphicsDevice& device, uint32_t needed) {
  const uint32_t capacity =
      std::min((needed + kStoreGrowthStep - 1) / kStoreGrowthStep * kStoreGrowthStep, kMaxStoreVertices);
  VertexBufferHandle larger;
  if (Failed(device.CreateVertexBuffer(capacity * kStride3d, Usage::None, kFvfMesh, Pool::Managed, &larger)))
    return false;
  if (store.vertexCount3d > 0) {
    void* from = nullptr;
    void* to = nullptr;
    const uint32_t bytes = store.vertexCount3d * kStride3d;
    if (Failed(device.LockVertexBuffer(store.vertices3d, 0, bytes, &from, LockFlags::ReadOnly))) {
      device.ReleaseVertexBuffer(larger);
      return false;
    }
    if (Failed(device.LockVertexBuffer(larger, 0, bytes, &to, LockFlags::None))) {
      device.UnlockVertexBuffer(store.vertices3d);
      device.ReleaseVertexBuffer(larger);
      return false;
    }
    std::memcpy(to, from, bytes);
    device.UnlockVertexBuffer(larger);
    device.UnlockVertexBuffer(store.vertices3d);
  }
  device.ReleaseVertexBuffer(store.vertices3d);
  store.vertices3d = larger;
  store.capacity3d = capacity;
  return true;
}

}  // namespace

bool CreateGeometryStore(GeometryStore& store, GraphicsDevice& device) {
  store = GeometryStore{};
  if (Failed(device.CreateVertexBuffer(kStoreGrowthStep * kStride3d, Usage::None, kFvfMesh, Pool::Managed,
                                       &store.vertices3d)))
    return false;
  if (Failed(device.CreateVertexBuffer(kStoreVertexCapacity2d * kStride2d, Usage::None, kFvfScreen,
                                       Pool::Managed, &store.vertices2d))) {
    device.ReleaseVertexBuffer(store.vertices3d);
    store.vertices3d = {};
    return false;
  }
  store.capacity3d = kStoreGrowthStep;
  store.capacity2d = kStoreVertexCapacity2d;
  return true;
}

void ReleaseGeometryStore(GeometryStore& store, GraphicsDevice& device) {
  for (MeshRecord& record : store.records)
    if (record.indexBuffer) device.ReleaseIndexBuffer(record.indexBuffer);
  if (store.vertices3d) device.ReleaseVertexBuffer(store.vertices3d);
  if (store.vertices2d) device.ReleaseVertexBuffer(store.vertices2d);
  store = GeometryStore{};
}

int AddMesh(GeometryStore& store, GraphicsDevice& device, const MeshData& mesh, const std::string& name,
            StoreRefusal* why) {
  if (why) *why = StoreRefusal::None;
  if (!store.vertices3d) return Refuse(why, StoreRefusal::NoBuffer);
  if (store.meshCount >= kMeshRecordCount) return Refuse(why, StoreRefusal::NoFreeRecord);
  const size_t count = mesh.vertices.size();
  if (mesh.indices.empty() || mesh.indices.size() % 3 != 0 || count == 0 || count > 0x10000)
    return Refuse(why, StoreRefusal::BadMesh);
  for (uint16_t index : mesh.indices)
    if (index >= count) return Refuse(why, StoreRefusal::BadMesh);
  // Catalogue meshes keep to their limit; only the level goes past it.
  const uint32_t needed = store.vertexCount3d + static_cast<uint32_t>(count);
  if (needed > kStoreVertexCapacity) return Refuse(why, StoreRefusal::NoRoomForVertices);
  if (needed > store.capacity3d && !Grow3d(store, device, needed))
    return Refuse(why, StoreRefusal::DeviceFailed);

  IndexBufferHandle ib = MakeIndexBuffer(device, mesh.indices, IndexFormat::Index16);
  if (!ib) return Refuse(why, StoreRefusal::DeviceFailed);
  if (!WriteVertices(store, device, mesh.vertices.data(), static_cast<uint32_t>(count))) {
    device.ReleaseIndexBuffer(ib);
    return Refuse(why, StoreRefusal::DeviceFailed);
  }
  const int index = static_cast<int>(store.meshCount);
  MeshRecord& record = store.records[index];
  record.name = name.substr(0, 255);
  record.firstVertex = store.vertexCount3d;
  record.indexBuffer = ib;
  record.vertexCount = static_cast<uint32_t>(count);
  record.faceCount = static_cast<uint32_t>(mesh.indices.size() / 3);
  store.vertexCount3d += record.vertexCount;
  store.faceTotal3d += record.faceCount;
  store.vertexStride = kStride3d;
  store.vertexFormat = kFvfMesh;
  ++store.meshCount;
  return index;
}

int ReplaceLevelMesh(GeometryStore& store, GraphicsDevice& device, const std::vector<VertexPNT>& vertices,
                     const std::vector<uint32_t>& indices, StoreRefusal* why) {
  if (why) *why = StoreRefusal::None;
  if (!store.vertices3d) return Refuse(why, StoreRefusal::NoBuffer);
  int slot = store.levelMesh;
  if (slot >= 0) {
    // Give back the previous level's index buffer and, when it is the last
    // thing in the 3-D buffer (as it always is once the catalogue is loaded),
    // its vertex range.
    MeshRecord& old = store.records[slot];
    if (old.indexBuffer) device.ReleaseIndexBuffer(old.indexBuffer);
    if (old.firstVertex + old.vertexCount == store.vertexCount3d) {
      store.vertexCount3d = old.firstVertex;
      store.faceTotal3d -= std::min(store.faceTotal3d, old.faceCount);
    }
    old = MeshRecord{};
    old.name = "level";
    old.firstVertex = store.vertexCount3d;
  } else {
    if (store.meshCount >= kMeshRecordCount) return Refuse(why, StoreRefusal::NoFreeRecord);
    slot = static_cast<int>(store.meshCount++);
    store.levelMesh = slot;
    store.records[slot] = MeshRecord{"level", store.vertexCount3d, {}, 0, 0};
  }
  MeshRecord& record = store.records[slot];
  // An empty level has an empty record, which the draw skips.
  if (vertices.empty() || indices.empty()) return slot;
  if (indices.size() % 3 != 0) return Refuse(why, StoreRefusal::BadMesh);
  for (uint32_t index : indices)
    if (index >= vertices.size()) return Refuse(why, StoreRefusal::BadMesh);
  const uint64_t needed = uint64_t{store.vertexCount3d} + vertices.size();
  if (needed > kMaxStoreVertices) return Refuse(why, StoreRefusal::NoRoomForVertices);
  if (needed > store.capacity3d && !Grow3d(store, device, static_cast<uint32_t>(needed)))
    return Refuse(why, StoreRefusal::DeviceFailed);

  IndexBufferHandle ib;
  if (vertices.size() <= 0x10000) {
    std::vector<uint16_t> narrow(indices.begin(), indices.end());
    ib = MakeIndexBuffer(device, narrow, IndexFormat::Index16);
  } else {
    ib = MakeIndexBuffer(device, indices, IndexFormat::Index32);
  }
  if (!ib) return Refuse(why, StoreRefusal::DeviceFailed);
  if (!WriteVertices(store, device, vertices.data(), static_cast<uint32_t>(vertices.size()))) {
    device.ReleaseIndexBuffer(ib);
    return Refuse(why, StoreRefusal::DeviceFailed);
  }
  record.firstVertex = store.vertexCount3d;
  record.indexBuffer = ib;
  record.vertexCount = static_cast<uint32_t>(vertices.size());
  record.faceCount = static_cast<uint32_t>(indices.size() / 3);
  store.vertexCount3d += record.vertexCount;
  store.faceTotal3d += record.faceCount;
  return slot;
}

void BindMeshStream(GraphicsDevice& device, const GeometryStore& store) {
  device.SetFVF(store.vertexFormat);
  device.SetStreamSource(0, store.vertices3d, 0, store.vertexStride);
}

bool DrawMesh(GraphicsDevice& device, const GeometryStore& store, int record) {
  return DrawMeshFaces(device, store, record, 0);
}

bool DrawMeshFaces(GraphicsDevice& device, const GeometryStore& store, int record, uint32_t first) {
  if (record < 0 || record >= kMeshRecordCount) return false;
  const MeshRecord& mesh = store.records[record];
  if (!mesh.indexBuffer || first >= mesh.faceCount) return false;
  device.SetIndices(mesh.indexBuffer);
  device.DrawIndexedPrimitive(PrimitiveType::TriangleList, static_cast<int32_t>(mesh.firstVertex), 0,
                              mesh.vertexCount, 3 * first, mesh.faceCount - first);
  return true;
}

bool ReorderMeshFaces(GeometryStore& store, GraphicsDevice& device, int record,
                      const std::vector<uint16_t>& indices, uint32_t opaqueFaces) {
  // The level's record may hold 32-bit indices; only catalogue meshes are reordered.
  if (record < 0 || record >= kMeshRecordCount || record == store.levelMesh) return false;
  MeshRecord& mesh = store.records[record];
  if (!mesh.indexBuffer || indices.size() != 3 * static_cast<size_t>(mesh.faceCount) ||
      opaqueFaces > mesh.faceCount)
    return false;
  for (uint16_t index : indices)
    if (index >= mesh.vertexCount) return false;
  void* data = nullptr;
  const uint32_t bytes = static_cast<uint32_t>(indices.size() * sizeof(uint16_t));
  if (Failed(device.LockIndexBuffer(mesh.indexBuffer, 0, bytes, &data, LockFlags::None))) return false;
  std::memcpy(data, indices.data(), bytes);
  device.UnlockIndexBuffer(mesh.indexBuffer);
  mesh.opaqueFaces = opaqueFaces;
  return true;
}

}  // namespace nb
