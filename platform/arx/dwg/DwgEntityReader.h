// DwgEntityReader: turns one open DWG entity into a database entity, with the same
// classes and fields as DxfEntityReader gives its DXF twin. One decoder per object
// type (a table by fixed type, and by DXF name for the class types); the entities
// that belong to others (vertices, attributes, SEQEND) are reported as such.
#pragma once

#include "arx/db/DrawingBuilder.h"
#include "arx/dwg/DwgObjectReader.h"
#include "arx/dxf/DxfTextDecoder.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class DwgEntityReader {
public:
  // What the loader does with a decoded entity.
  enum Role {
    kEntity,    // an entity of its block
    kPolyline,  // a polyline whose vertices follow (see vertices)
    kReference, // a block reference whose attributes follow (see vertices)
    kVertex,    // a vertex of the polyline being read
    kAttribute, // an attribute of the reference being read
    kPart       // a SEQEND or mesh vertex: not in the block
  };
  struct Result {
    AcDbEntity* entity = nullptr; // new, not yet in a database; null for parts
    Role role = kEntity;
    // What a polyline or reference owns (its vertices or attributes): the first and
    // last (R13-R2000) or all of them (R2004 on).
    std::uint64_t firstVertex = 0;
    std::uint64_t lastVertex = 0;
    std::vector<std::uint64_t> vertices;
  };

  DwgEntityReader(DrawingBuilder& builder, DxfTextDecoder& text,
                  const std::unordered_map<std::uint64_t, const char*>& layers,
                  const std::unordered_map<std::uint64_t, AcDbObjectId>& blocks)
      : m_builder(builder), m_text(text), m_layers(layers), m_blocks(blocks)
  {
  }

  // Decodes the open entity `o` (its common data read into `common`). False with
  // `fault` set when its data is damaged.
  bool read(DwgObject& o, const DwgEntityCommon& common, const DwgClass* cls, Result& out,
            DwgFault& fault);

  // The decoders, one per type, as the dispatch tables name them.
  using Decoder = AcDbEntity* (DwgEntityReader::*)(DwgObject&, Result&);
  AcDbEntity* text(DwgObject& o, Result& out);
  AcDbEntity* attribute(DwgObject& o, Result& out);
  AcDbEntity* attributeDefinition(DwgObject& o, Result& out);
  AcDbEntity* part(DwgObject& o, Result& out);
  AcDbEntity* insert(DwgObject& o, Result& out);
  AcDbEntity* minsert(DwgObject& o, Result& out);
  AcDbEntity* vertex2d(DwgObject& o, Result& out);
  AcDbEntity* vertex3d(DwgObject& o, Result& out);
  AcDbEntity* polyline2d(DwgObject& o, Result& out);
  AcDbEntity* polyline3d(DwgObject& o, Result& out);
  AcDbEntity* polylineMesh(DwgObject& o, Result& out);
  AcDbEntity* arc(DwgObject& o, Result& out);
  AcDbEntity* circle(DwgObject& o, Result& out);
  AcDbEntity* line(DwgObject& o, Result& out);
  AcDbEntity* dimension(DwgObject& o, Result& out);
  AcDbEntity* point(DwgObject& o, Result& out);
  AcDbEntity* face(DwgObject& o, Result& out);
  AcDbEntity* quadrilateral(DwgObject& o, Result& out); // SOLID and TRACE
  AcDbEntity* shape(DwgObject& o, Result& out);
  AcDbEntity* viewport(DwgObject& o, Result& out);
  AcDbEntity* ellipse(DwgObject& o, Result& out);
  AcDbEntity* spline(DwgObject& o, Result& out);
  AcDbEntity* region(DwgObject& o, Result& out);
  AcDbEntity* solid3d(DwgObject& o, Result& out);
  AcDbEntity* body(DwgObject& o, Result& out);
  AcDbEntity* ray(DwgObject& o, Result& out);
  AcDbEntity* xline(DwgObject& o, Result& out);
  AcDbEntity* oleFrame(DwgObject& o, Result& out);
  AcDbEntity* mtext(DwgObject& o, Result& out);
  AcDbEntity* leader(DwgObject& o, Result& out);
  AcDbEntity* mline(DwgObject& o, Result& out);
  AcDbEntity* ole2Frame(DwgObject& o, Result& out);
  AcDbEntity* lwPolyline(DwgObject& o, Result& out);
  AcDbEntity* hatch(DwgObject& o, Result& out);
  AcDbEntity* proxy(DwgObject& o, Result& out);
  AcDbEntity* image(DwgObject& o, Result& out);
  AcDbEntity* wipeout(DwgObject& o, Result& out);
  AcDbEntity* table(DwgObject& o, Result& out);

private:
  std::string string(DwgObject& o);
  AcDbObjectId block(std::uint64_t handle) const;
  void owned(DwgObject& o, std::uint32_t count, Result& out);
  AcDbEntity* readText(DwgObject& o, class AcDbText* t, bool attribute);
  AcDbEntity* readImage(DwgObject& o, class AcDbRasterImage* image);
  AcDbEntity* readInsert(DwgObject& o, Result& out, bool multiple);

  DrawingBuilder& m_builder;
  DxfTextDecoder& m_text;
  const std::unordered_map<std::uint64_t, const char*>& m_layers;
  const std::unordered_map<std::uint64_t, AcDbObjectId>& m_blocks;
  const char* m_unknownName = nullptr; // the DXF name of an entity without a decoder
};
