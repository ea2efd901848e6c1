// bench_dwg DATADIR: the DWG reader's figures, on the sample drawings of
// ../shared/drawings/dwg (QUILL_DRAWINGS names the folder; skipped when absent).
//   dwg_read_rate            megabytes of the largest sample DWG read into a database
//                            per second, best of 5 (goal >= 43: a DWG is about a third
//                            of its DXF twin, which is read at 130 MB/s)
//   dwg_vs_dxf_open_<ver>    opening each sample DWG against opening its DXF twin
//                            (time ratio, best of 5 each; goal <= 1: no slower)
// One line per figure: NAME: VALUE UNIT (goal: GOAL) ok|MISS.
#include "arx/db/AcDbDatabase.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
using Clock = std::chrono::steady_clock;

void report(const std::string& name, double value, const char* unit, const char* goal, bool ok)
{
  std::printf("%s: %.*f %s (goal: %s) %s\n", name.c_str(), value < 10.0 ? 2 : 1, value, unit, goal,
              ok ? "ok" : "MISS");
  std::fflush(stdout);
}

// The best time of `runs` opens of `path`, in milliseconds; negative when it fails.
double bestOpen(const std::string& path, int runs)
{
  double best = -1.0;
  for (int i = 0; i < runs; ++i) {
    AcDbDatabase db(false);
    const Clock::time_point t0 = Clock::now();
    const Acad::ErrorStatus es = db.readDwgFile(path.c_str());
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    if (es != Acad::eOk)
      return -1.0;
    if (best < 0.0 || ms < best)
      best = ms;
  }
  return best;
}

long fileSize(const std::string& path)
{
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr)
    return -1;
  std::fseek(f, 0, SEEK_END);
  const long size = std::ftell(f);
  std::fclose(f);
  return size;
}
} // namespace

int main()
{
  const char* folder = std::getenv("QUILL_DRAWINGS");
  if (folder == nullptr || fileSize(std::string(folder) + "/dwg/example_2000.dwg") < 0) {
    std::printf("bench_dwg: the sample drawings (../shared/drawings) are absent; skipped\n");
    return 0;
  }
  const std::string base = std::string(folder) + "/dwg/example_";
  const char* const versions[] = {"r13", "r14", "2000", "2004", "2007", "2010", "2013", "2018"};
  // The largest sample DWG.
  std::string largest;
  long largestSize = -1;
  for (const char* v : versions) {
    const long size = fileSize(base + v + ".dwg");
    if (size > largestSize) {
      largestSize = size;
      largest = base + v + ".dwg";
    }
  }
  const double ms = bestOpen(largest, 5);
  if (ms > 0.0)
    report("dwg_read_rate", largestSize / 1e3 / ms, "MB/s", ">= 43",
           largestSize / 1e3 / ms >= 43.0);
  else
    std::printf("dwg_read_rate: n/a MB/s (goal: >= 43) MISS\n");
  for (const char* v : versions) {
    const double dwg = bestOpen(base + v + ".dwg", 5);
    const double dxf = bestOpen(base + v + ".dxf", 5);
    const std::string name = std::string("dwg_vs_dxf_open_") + v;
    if (dwg < 0.0 || dxf <= 0.0)
      std::printf("%s: n/a x (goal: <= 1) MISS\n", name.c_str());
    else
      report(name, dwg / dxf, "x", "<= 1", dwg <= dxf);
  }
  return 0;
}
