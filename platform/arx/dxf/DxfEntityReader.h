// DxfEntityReader: turns the group codes of one DXF entity into a database entity.
// begin() with the entity's type, add() each of its tags, then make(): one small
// switch per entity kind maps the collected codes to the class's fields, and
// coordinates kept in the object coordinate system by the file are mapped to
// world coordinates where the host's class holds world coordinates.
#pragma once

#include "arx/db/DrawingBuilder.h"
#include "arx/dxf/DxfTagReader.h"
#include "arx/dxf/DxfTextDecoder.h"
#include "arx/hatch/HatchPattern.h"

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class AcDb2dPolyline;
class AcDb3dPolyline;

class DxfEntityReader {
public:
  enum Kind {
    kUnknown,
    kLine,
    kPoint,
    kCircle,
    kArc,
    kEllipse,
    kLwPolyline,
    kPolyline,
    kVertex,
    kSeqEnd,
    kSpline,
    kLeader,
    kText,
    kAttDef,
    kAttrib,
    kMText,
    kShape,
    kSolid,
    kTrace,
    kFace,
    kRay,
    kXline,
    kInsert,
    kTable,
    kDimension,
    kHatch,
    kMline,
    kViewport,
    kOleFrame,
    kOle2Frame,
    kImage,
    kWipeout,
    kProxy,
    kRegion,
    k3dSolid,
    kBody
  };

  DxfEntityReader(DrawingBuilder& builder, DxfTextDecoder& text);

  // Starts an entity whose "0" tag is `type`.
  void begin(const DxfTag& type);
  void add(const DxfTag& tag)
  {
    // Handles, subclass markers and owners (most of an entity's tags) are not kept.
    if (tag.code != 5 && tag.code != 100 && tag.code != 330)
      addKept(tag);
  }
  Kind kind() const { return m_kind; }
  // True when the entity lies in paper space (67 = 1).
  bool inPaperSpace() const { return m_paperSpace; }
  // The entity made from the tags (new, not yet in a database); null for the kinds
  // that are parts of others (VERTEX, SEQEND, ATTRIB).
  AcDbEntity* make();
  // Appends the vertex just read to a polyline being read.
  void appendVertexTo(AcDb2dPolyline* polyline);
  void appendVertexTo(AcDb3dPolyline* polyline);
  // Appends the attribute just read to the reference it follows.
  void appendAttributeTo(class AcDbBlockReference* reference);
  // Gives the references made so far whose block was not yet defined their block,
  // when the drawing has it by now; the others keep a null block id.
  void resolveBlocks();
  // Forgets the layer names seen so far (the text's code page has changed, so the
  // same bytes may name another layer).
  void forgetLayers();

private:
  void addKept(const DxfTag& tag);
  // Coordinate `code` (10..37) of a single point.
  void storePoint(int code, double value)
  {
    const int k = code % 10;
    AcGePoint3d& p = m_points[k];
    if (!hasPoint(10 + k))
      p = AcGePoint3d::kOrigin;
    (code < 20 ? p.x : code < 30 ? p.y : p.z) = value;
    m_pointSet |= 1u << k;
  }
  bool hasPoint(int code) const { return (m_pointSet >> (code - 10)) & 1u; }
  AcGePoint3d point(int code) const { return hasPoint(code) ? m_points[code - 10] : AcGePoint3d(); }
  bool hasReal(int code) const { return (m_realSet >> (code - 38)) & 1u; }
  double real(int code, double fallback = 0.0) const;
  bool hasInt(int code) const { return (m_intSet >> (code - 60)) & 1ull; }
  long long integer(int code, long long fallback = 0) const;
  double angle(int code) const; // degrees in the file, radians here
  AcGePoint3d ocsToWorld(const AcGePoint3d& p) const;
  void common(AcDbEntity* entity);
  void addHatchTag(const DxfTag& tag);
  AcDbEntity* makeText(class AcDbText* text);
  AcDbEntity* makeHatch();
  AcDbEntity* makeImage(class AcDbRasterImage* image);
  // The id of block `name`, or null (the entity waits for resolveBlocks()).
  AcDbObjectId blockId(AcDbEntity* entity);
  // The interned layer of the file's text `text`, once an entity on it was made; null before.
  const char* knownLayer(const char* text, std::size_t length);

  struct PendingBlock {
    AcDbEntity* entity; // a reference or dimension, owned by the database
    std::string name;   // the block it names
  };
  std::vector<PendingBlock> m_pending;

  // The layers entities were made on, by the file's text of their name (ASCII
  // bytes, not yet decoded): an entity names one of a few layers, so after the
  // first entity on a layer the name is neither copied, decoded nor looked up in
  // the database again. Each text is held by m_layerTexts.
  std::unordered_map<std::string_view, const char*> m_layers;
  std::deque<std::string> m_layerTexts;
  struct RecentLayer {
    std::string_view text;       // held by m_layerTexts
    const char* layer = nullptr; // its layer; null for a free slot
  };
  static constexpr unsigned kRecentLayers = 64;
  RecentLayer m_recentLayers[kRecentLayers]; // the last layers looked up, a slot each

  DrawingBuilder& m_builder; // interns layer names
  DxfTextDecoder& m_text;    // decodes the strings
  Kind m_kind = kUnknown;
  bool m_hasLists = false;    // the kind repeats point codes (vertices, control points)
  bool m_plainPoints = false; // codes 10..37 are the coordinates of single points
  std::string m_typeName;     // the "0" value, of a kind not modelled

  // Collected values, by group code.
  AcGePoint3d m_points[10]; // 10..19 (x), 20..29 (y), 30..37 (z)
  unsigned m_pointSet = 0;  // bit k: point 1k seen
  double m_reals[22];       // 38..59
  unsigned m_realSet = 0;   // bit k: code 38 + k seen
  long long m_ints[40];     // 60..99
  unsigned long long m_intSet = 0;
  AcGeVector3d m_normal;             // 210, 220, 230
  std::string m_layerText;           // 8, as the file has it, when not yet known
  const char* m_layerName = nullptr; // 8, interned, when the name is known
  std::string m_text1;               // 1
  std::string m_text2;               // 2
  std::string m_text3;               // 3 (accumulated for multiline text)
  bool m_paperSpace = false;         // 67
  long m_trueColor = -1;             // 420: 0xRRGGBB; -1 when absent
  long long m_clipState = -1;        // 280: image clipping on (1) or off (0); -1 when absent

  // Repeated codes: each x code starts a new point.
  std::vector<AcGePoint3d> m_list10, m_list11, m_list14;
  std::vector<double> m_list42; // bulges (lightweight polylines), by vertex

  // Hatch state.
  std::vector<HatchLoop> m_loops;
  std::vector<HatchPatternLine> m_pattern;
  int m_hatchPhase = 0; // 0 header, 1 boundary, 2 pattern, 3 seeds
  double m_hatchElevation = 0.0;
  bool m_hatchSolid = false;
};
