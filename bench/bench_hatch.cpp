// bench_hatch: how long hatch pattern lines take to make, best of 3.
//   hatch_square_lines_time  continuous 45-degree lines one unit apart across a
//                            1000 x 1000 square (goal < 100 ms)
//   hatch_square_dashes_time a dash-dot family at 135 degrees across the same
//                            square, about 500,000 dashes (goal < 2000 ms)
//   hatch_hostile_time       20,000 edges zig-zagging across a million lines whose
//                            dashes are too sparse to fill the cap: only the bound
//                            on the work keeps this short (goal < 5000 ms)
// One line per figure: NAME: VALUE UNIT (goal: GOAL) ok|MISS.
#include "arx/hatch/HatchPattern.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

HatchPatternLine family(double angleDeg, double spacing, std::vector<double> dashes = {})
{
  HatchPatternLine line;
  line.angle = angleDeg * 3.14159265358979323846 / 180.0;
  line.offset = AcGeVector2d(-std::sin(line.angle) * spacing, std::cos(line.angle) * spacing);
  line.dashes = std::move(dashes);
  return line;
}

void figure(const char* name, const HatchPatternLine& line, const HatchLoop& loop, double goalMs)
{
  double best = 1e30;
  std::size_t count = 0;
  for (int run = 0; run < 3; ++run) {
    auto t0 = std::chrono::steady_clock::now();
    count = generateHatchLines({line}, {loop}).size();
    double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    best = ms < best ? ms : best;
  }
  std::printf("%s: %.1f ms for %zu segments (goal: < %.0f ms) %s\n", name, best, count, goalMs,
              best < goalMs ? "ok" : "MISS");
}

} // namespace

int main()
{
  HatchLoop square;
  square.isPolyline = true;
  square.vertices = {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}};
  HatchLoop zigzag;
  zigzag.isPolyline = true;
  for (int i = 0; i < 20000; ++i)
    zigzag.vertices.emplace_back(i, (i % 2) ? 1000.0 : 0.0);
  figure("hatch_square_lines_time", family(45, 1), square, 100.0);
  figure("hatch_square_dashes_time", family(135, 1, {2.0, -1.0, 0.0, -1.0}), square, 2000.0);
  figure("hatch_hostile_time", family(0.0, 0.0011, {1e-6, -1e9}), zigzag, 5000.0);
  return 0;
}
