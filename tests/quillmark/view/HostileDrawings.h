// Drawings made to keep a preview busy: small files whose blocks ask for vast
// amounts of drawing (arrays of 65535 x 65535 cells, long polylines under
// thousands of references, blocks nested forty deep). They are written as DXF
// text when a test or benchmark needs them, never kept as files. Each case's block
// "TOP" is the one to preview.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace hostile {

inline std::string num(double v)
{
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", v);
  return text;
}

// A lightweight polyline of `vertices` vertices along a zigzag, each with `bulge`.
inline std::string polyline(int vertices, double bulge = 0.0)
{
  std::string s = "0\nLWPOLYLINE\n8\n0\n90\n" + std::to_string(vertices) + "\n70\n0\n";
  for (int i = 0; i < vertices; ++i) {
    s += "10\n" + num(i) + "\n20\n" + num(i % 2) + "\n";
    if (bulge != 0.0)
      s += "42\n" + num(bulge) + "\n";
  }
  return s;
}

inline std::string line(double x0, double y0, double x1, double y1, int color = 7)
{
  return "0\nLINE\n8\n0\n62\n" + std::to_string(color) + "\n10\n" + num(x0) + "\n20\n" + num(y0) +
         "\n30\n0\n11\n" + num(x1) + "\n21\n" + num(y1) + "\n31\n0\n";
}

inline std::string circle(double x, double y, double r)
{
  return "0\nCIRCLE\n8\n0\n10\n" + num(x) + "\n20\n" + num(y) + "\n30\n0\n40\n" + num(r) + "\n";
}

// A reference to `block` at (x, y); with columns or rows other than 1 a multiple
// insert spaced `spacing` apart.
inline std::string insert(const std::string& block, double x, double y, int columns = 1,
                          int rows = 1, double spacing = 10.0)
{
  std::string s =
      "0\nINSERT\n8\n0\n2\n" + block + "\n10\n" + num(x) + "\n20\n" + num(y) + "\n30\n0\n";
  if (columns != 1 || rows != 1)
    s += "70\n" + std::to_string(columns) + "\n71\n" + std::to_string(rows) + "\n44\n" +
         num(spacing) + "\n45\n" + num(spacing) + "\n";
  return s;
}

inline std::string block(const std::string& name, const std::string& entities)
{
  return "0\nBLOCK\n8\n0\n2\n" + name + "\n70\n0\n10\n0\n20\n0\n30\n0\n" + entities + "0\nENDBLK\n";
}

inline std::string drawing(const std::string& blocks)
{
  return "0\nSECTION\n2\nBLOCKS\n" + blocks +
         "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n";
}

struct Case {
  const char* name; // what the block asks for
  std::string dxf;  // the drawing; its block "TOP" is previewed
};

// `references` references of the block below per block, `depth` blocks deep, a
// line at the bottom.
inline std::string nested(int references, int depth)
{
  std::string blocks = block("L0", line(0, 0, 1, 1));
  for (int d = 1; d <= depth; ++d) {
    std::string entities;
    for (int r = 0; r < references; ++r)
      entities += insert("L" + std::to_string(d - 1), r * 0.1, 0);
    blocks += block(d == depth ? "TOP" : "L" + std::to_string(d), entities);
  }
  return drawing(blocks);
}

inline std::vector<Case> cases()
{
  std::string thousand;
  for (int i = 0; i < 1000; ++i)
    thousand += insert("LONG", 0, i);
  std::string lines;
  for (int i = 0; i < 8; ++i)
    lines += line(i, 0, i, 1, 1 + i % 7);
  return {
      {"65535 x 65535 array of a 20,000-vertex polyline",
       drawing(block("P", polyline(20000)) + block("TOP", insert("P", 0, 0, 65535, 65535)))},
      {"200,000-vertex polyline under 1,000 references",
       drawing(block("LONG", polyline(200000)) + block("TOP", thousand))},
      {"200,000-vertex polyline in a 100 x 100 array",
       drawing(block("LONG", polyline(200000)) + block("TOP", insert("LONG", 0, 0, 100, 100)))},
      {"10 references per block nested 40 deep", nested(10, 40)},
      {"65535 x 65535 array of an empty block",
       drawing(block("E", "") + block("TOP", insert("E", 0, 0, 65535, 65535)))},
      {"65535 x 65535 array of eight lines in seven colours",
       drawing(block("C", lines) + block("TOP", insert("C", 0, 0, 65535, 65535)))},
      {"65535 x 65535 array of a circle",
       drawing(block("O", circle(0, 0, 4)) + block("TOP", insert("O", 0, 0, 65535, 65535)))},
      {"65535 x 65535 array of a 2,000-vertex bulged polyline",
       drawing(block("B", polyline(2000, 0.5)) + block("TOP", insert("B", 0, 0, 65535, 65535)))},
  };
}

} // namespace hostile
