// dxflib_read FILE: reads a DXF file with dxflib into a model of its own (dxflib
// reads through callbacks and keeps nothing) and lists its blocks, one name a line,
// then "entities: N". The model holds what the drawing database holds of the
// benchmark drawings: blocks with their entities in order, each with its layer,
// colour and geometry, polylines with their vertices and bulges.
// Exit status 1 when the file cannot be read. The dxflib side of the peer
// comparison in ./quill bench.
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Vertex {
  double x, y, z, bulge;
};

struct Entity {
  enum Kind { Point, Line, Arc, Circle, Polyline, Insert } kind;
  int layer; // index into Model::layers
  int color;
  double a[6];                  // points, centre and radius, angles: as the kind needs
  std::string blockName;        // an insert's block
  std::vector<Vertex> vertices; // a polyline's
  int flags;
};

struct Block {
  std::string name;
  double base[3];
  std::vector<Entity> entities;
};

struct Model {
  std::vector<std::string> layers;
  std::map<std::string, int> layerIndex;
  std::vector<Block> blocks; // blocks[0] is the model space's entities
};

class Reader : public DL_CreationAdapter {
public:
  explicit Reader(Model& model) : m_model(model)
  {
    m_model.blocks.push_back(Block{"*ENTITIES", {0, 0, 0}, {}});
  }

  void addLayer(const DL_LayerData& data) override { layerOf(data.name); }
  void addBlock(const DL_BlockData& data) override
  {
    m_model.blocks.push_back(Block{data.name, {data.bpx, data.bpy, data.bpz}, {}});
    m_current = m_model.blocks.size() - 1;
  }
  void endBlock() override { m_current = 0; }
  void addPoint(const DL_PointData& d) override { add(Entity::Point, {d.x, d.y, d.z}); }
  void addLine(const DL_LineData& d) override
  {
    add(Entity::Line, {d.x1, d.y1, d.z1, d.x2, d.y2, d.z2});
  }
  void addArc(const DL_ArcData& d) override
  {
    add(Entity::Arc, {d.cx, d.cy, d.cz, d.radius, d.angle1, d.angle2});
  }
  void addCircle(const DL_CircleData& d) override
  {
    add(Entity::Circle, {d.cx, d.cy, d.cz, d.radius});
  }
  void addPolyline(const DL_PolylineData& d) override
  {
    add(Entity::Polyline, {d.elevation});
    Entity& e = m_model.blocks[m_current].entities.back();
    e.flags = d.flags;
    e.vertices.reserve(d.number);
  }
  void addVertex(const DL_VertexData& d) override
  {
    auto& entities = m_model.blocks[m_current].entities;
    if (!entities.empty() && entities.back().kind == Entity::Polyline) {
      entities.back().vertices.push_back(Vertex{d.x, d.y, d.z, d.bulge});
    }
  }
  void addInsert(const DL_InsertData& d) override
  {
    add(Entity::Insert, {d.ipx, d.ipy, d.ipz, d.sx, d.sy, d.angle});
    m_model.blocks[m_current].entities.back().blockName = d.name;
  }

private:
  int layerOf(const std::string& name)
  {
    auto found = m_model.layerIndex.find(name);
    if (found != m_model.layerIndex.end()) {
      return found->second;
    }
    m_model.layers.push_back(name);
    return m_model.layerIndex[name] = static_cast<int>(m_model.layers.size()) - 1;
  }

  void add(Entity::Kind kind, std::initializer_list<double> values)
  {
    Entity e{kind, layerOf(attributes.getLayer()), attributes.getColor(), {}, {}, {}, 0};
    int i = 0;
    for (double v : values) {
      e.a[i++] = v;
    }
    m_model.blocks[m_current].entities.push_back(std::move(e));
  }

  Model& m_model;
  std::size_t m_current = 0;
};

} // namespace

int main(int argc, char** argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: dxflib_read FILE\n");
    return 2;
  }
  Model model;
  Reader reader(model);
  DL_Dxf dxf;
  if (!dxf.in(argv[1], &reader)) {
    std::fprintf(stderr, "dxflib_read: cannot read %s\n", argv[1]);
    return 1;
  }
  long entities = 0;
  for (std::size_t i = 0; i < model.blocks.size(); ++i) {
    if (i > 0) {
      std::printf("%s\n", model.blocks[i].name.c_str());
    }
    entities += static_cast<long>(model.blocks[i].entities.size());
  }
  std::printf("entities: %ld\n", entities);
  return 0;
}
