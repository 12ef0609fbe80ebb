#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/vertex_formats.h"
#include "platform/graphics_device.h"

namespace nb {

// All mesh vertices live in one shared 3-D vertex buffer and all screen-quad
// vertices in one 2-D buffer; each mesh or quad keeps only its own index
// buffer and is drawn with its first vertex as the base vertex.
constexpr uint32_t kStoreVertexCapacity = 50000;  // the catalogue meshes' vertices, at most
constexpr int kMeshRecordCount = 64;              // records 0..63
constexpr int kSpriteRecordCount = 64;            // records 64..127
// The 3-D buffer starts this small and grows by whole steps as meshes arrive,
// so it holds what is loaded rather than the limit; the 2-D buffer holds the
// four vertices of every sprite record.
constexpr uint32_t kStoreGrowthStep = 4096;
constexpr uint32_t kStoreVertexCapacity2d = kSpriteRecordCount * 4;
constexpr int kFirstSpriteRecord = kMeshRecordCount;
constexpr int kStoreRecordCount = kMeshRecordCount + kSpriteRecordCount;
// The level mesh may grow the 3-D buffer past its first size, up to this.
constexpr uint32_t kMaxStoreVertices = 1u << 20;

struct MeshRecord {
  std::string name;  // the file the mesh came from (at most 255 characters)
  uint32_t firstVertex = 0;
  IndexBufferHandle indexBuffer;
  uint32_t vertexCount = 0;
  uint32_t faceCount = 0;
  uint32_t opaqueFaces = 0;  // the leading faces that sample only opaque texels
};

struct GeometryStore {
  VertexBufferHandle vertices3d;  // VertexPNT, 32 bytes
  VertexBufferHandle vertices2d;  // VertexScreen, 28 bytes
  uint32_t vertexCount3d = 0;
  uint32_t faceTotal3d = 0;
  uint32_t vertexCount2d = 0;
  uint32_t primitiveTotal2d = 0;
  uint32_t vertexStride = sizeof(VertexPNT);  // what the frames pass to SetStreamSource
  uint32_t vertexFormat = kFvfMesh;           // and to SetFVF
  uint32_t spriteCount = 0;
  uint32_t meshCount = 0;
  std::array<MeshRecord, kStoreRecordCount> records;

  uint32_t capacity3d = 0;
  uint32_t capacity2d = 0;
  int levelMesh = -1;  // the record the current level's mesh occupies
};

// Creates the two vertex buffers (managed), the 3-D one at its first step.
// False when the device refuses.
bool CreateGeometryStore(GeometryStore& store, GraphicsDevice& device);
// Releases both buffers and every record's index buffer; the store is empty after.
void ReleaseGeometryStore(GeometryStore& store, GraphicsDevice& device);

// Why a mesh could not be added (the caller words the message).
enum class StoreRefusal {
  None,
  NoBuffer,           // the store was not created
  NoFreeRecord,       // all 64 mesh records are taken
  NoRoomForVertices,  // the 3-D buffer is full
  BadMesh,            // no triangles, or an index past the vertices
  DeviceFailed,       // a buffer could not be created or locked
};

// Copies a mesh into the next free record: its vertices to the end of the
// 3-D buffer (grown when full), its 16-bit indices into a new index buffer. Returns the record
// index, or -1 (with the reason) when a limit would be passed.
int AddMesh(GeometryStore& store, GraphicsDevice& device, const MeshData& mesh, const std::string& name,
            StoreRefusal* why = nullptr);
// Gives a record its faces in a new order (`indices`: the same number of
// them, each within its vertices) with the leading `opaqueFaces` marked;
// false, the record unchanged, otherwise.
bool ReorderMeshFaces(GeometryStore& store, GraphicsDevice& device, int record,
                      const std::vector<uint16_t>& indices, uint32_t opaqueFaces);

// Puts the level's merged mesh into the store in place of the previous
// level's: the same record and the vertex range at the end of the 3-D buffer
// are reused, so any number of level starts stays within bounds. Indices go
// into a 16-bit buffer when they fit, a 32-bit one otherwise; the 3-D buffer
// grows when the level needs more room. Returns the record or -1.
int ReplaceLevelMesh(GeometryStore& store, GraphicsDevice& device, const std::vector<VertexPNT>& vertices,
                     const std::vector<uint32_t>& indices, StoreRefusal* why = nullptr);

// Stream source and vertex format of the 3-D buffer, as each frame sets them
// before its passes.
void BindMeshStream(GraphicsDevice& device, const GeometryStore& store);
// SetIndices and one indexed triangle-list draw of a mesh record. A record of
// -1 (a mesh that failed to load) or one that holds nothing is skipped: false.
bool DrawMesh(GraphicsDevice& device, const GeometryStore& store, int record);
// The same for the record's faces from `first` on, those past its end left out.
bool DrawMeshFaces(GraphicsDevice& device, const GeometryStore& store, int record, uint32_t first);

}  // namespace nb
