// Stock-table benchmark: the standard search on stock tables of hundreds and
// thousands of rows (a remnant rack beside full-length bars, a long list of
// distinct lengths). The jobs are generated from fixed seeds; every run prints
// wall and CPU time, peak memory and a fingerprint of the plan, so that a change of
// the search can be checked to give the same plans.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "child_run.h"
#include "optimizer/optimize2d.h"

namespace {

using tralvin::TOptimize2d;

// Internal units per millimetre, as the job passes lengths.
constexpr int32_t kUnit = 1000;

// A small fixed generator, so the jobs are the same on every platform.
class Lcg {
 public:
  explicit Lcg(uint64_t seed) : state_(seed) {}
  // Uniform in lo .. hi.
  int32_t Between(int32_t lo, int32_t hi) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    const uint64_t span = static_cast<uint64_t>(hi - lo + 1);
    return lo + static_cast<int32_t>((state_ >> 33) % span);
  }

 private:
  uint64_t state_;
};

struct Row {
  int32_t length_mm;
  int32_t qty;
  int32_t priority;
};

struct Job {
  std::string name;
  int speed;
  std::vector<Row> stocks;
  std::vector<Row> pieces;
};

// 500 piece kinds of 150 .. 2900 mm, 1 .. 20 pieces each.
std::vector<Row> Pieces() {
  Lcg rng(17);
  std::vector<Row> pieces;
  for (int i = 0; i < 500; ++i) pieces.push_back({rng.Between(150, 2900), rng.Between(1, 20), 0});
  return pieces;
}

// Two full-length stocks at priority 1 and `remnants` single remnants of
// 500 .. 3000 mm at priority 0 (used first).
Job RemnantRack(int remnants, int speed) {
  Job job{"rack-R" + std::to_string(remnants) + "-s" + std::to_string(speed), speed, {}, Pieces()};
  job.stocks.push_back({6000, 800, 1});
  job.stocks.push_back({12000, 400, 1});
  Lcg rng(1000 + static_cast<uint64_t>(remnants));
  for (int i = 0; i < remnants; ++i) job.stocks.push_back({rng.Between(500, 3000), 1, 0});
  return job;
}

// `rows` stock rows of lengths spread evenly over 3000 .. 12000 mm (distinct
// up to 9,001 rows), 1 .. 5 bars each.
Job DistinctLengths(int rows, int speed) {
  Job job{"rows-" + std::to_string(rows) + "-s" + std::to_string(speed), speed, {}, Pieces()};
  Lcg rng(4242);
  const int32_t span = 9000;  // 3000 .. 12000 mm
  for (int i = 0; i < rows; ++i) {
    const int32_t length = 3000 + static_cast<int32_t>(int64_t{i} * span / rows);
    job.stocks.push_back({length, rng.Between(1, 5), 0});
  }
  return job;
}

struct Outcome {
  bool ok = false;
  int64_t bars = 0;
  int32_t patterns = 0;
  uint64_t fingerprint = 0;
  double seconds = 0;
  double cpu_seconds = 0;  // user + system time of the run's own process
  long peak_kb = 0;
  bool time_limit = false;
};

// FNV-1a over the plan: per pattern its stock, bars and counts, in order.
void Mix(uint64_t& h, int64_t v) {
  for (int i = 0; i < 8; ++i) {
    h ^= static_cast<uint64_t>(v >> (8 * i)) & 0xff;
    h *= 1099511628211ULL;
  }
}

Outcome RunJob(const Job& job) {
  TOptimize2d opt;
  opt.params.blade_width = 3 * kUnit;
  opt.params.speed = job.speed;
  opt.OptimizerRandomState = 479;
  int k = 0;
  for (const Row& s : job.stocks) {
    const std::string label = "S" + std::to_string(++k);
    opt.AddSheet(label, std::to_string(s.length_mm), "1", "", "", s.length_mm * kUnit, 0, kUnit,
                 s.qty, s.priority, s.length_mm);
  }
  k = 0;
  for (const Row& p : job.pieces) {
    opt.AddPart("P" + std::to_string(++k), "", "1", "", p.length_mm * kUnit, kUnit, false, p.qty,
                p.qty);
  }
  Outcome out;
  const auto t0 = std::chrono::steady_clock::now();
  const std::string msg = opt.Run();
  out.ok = msg.empty();
  if (!out.ok) std::fprintf(stderr, "%s: %s\n", job.name.c_str(), msg.c_str());
  out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  out.time_limit = opt.TimeLimitReached;
  uint64_t h = 1469598103934665603ULL;
  for (const auto& p : opt.best_result.schemes) {
    out.bars += p.p_number;
    ++out.patterns;
    for (char c : p.p_lab) Mix(h, c);
    Mix(h, p.p_number);
    for (const auto& e : p.numbers.Items()) Mix(h, e.p_number);
  }
  out.fingerprint = h;
  const tralvin::bench::ProcessUsage usage = tralvin::bench::OwnUsage();
  out.peak_kb = usage.peak_kb;
  out.cpu_seconds = usage.cpu_seconds;
  return out;
}

// Runs in a child process so that the peak memory belongs to this run alone.
Outcome RunIsolated(const Job& job) {
  return tralvin::bench::RunInChild<Outcome>([&] { return RunJob(job); });
}

}  // namespace

// Usage: bench_stock_rows [INSTANCE_FOLDER] [--all | CASE ...]. The folder is
// ignored (make bench passes one to every benchmark). Without cases it runs
// the standard set; --all adds the slow ones (the 10,000-row table).
int main(int argc, char** argv) {
  std::vector<Job> all = {RemnantRack(50, 0),       RemnantRack(300, 0),
                          RemnantRack(1000, 0),     RemnantRack(1000, 20),
                          DistinctLengths(3000, 0), DistinctLengths(10000, 0)};
  std::vector<std::string> wanted;
  bool every = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--all") == 0) {
      every = true;
    } else if (std::strncmp(argv[i], "rack-", 5) == 0 || std::strncmp(argv[i], "rows-", 5) == 0) {
      wanted.emplace_back(argv[i]);
      // Other sizes of either table (rows-N-sS, rack-RN-sS), e.g. for profiling.
      int rows = 0;
      int speed = 0;
      const bool known =
          std::any_of(all.begin(), all.end(), [&](const Job& j) { return j.name == argv[i]; });
      if (!known && std::sscanf(argv[i], "rows-%d-s%d", &rows, &speed) == 2 && rows > 0) {
        all.push_back(DistinctLengths(rows, speed));
      } else if (!known && std::sscanf(argv[i], "rack-R%d-s%d", &rows, &speed) == 2 && rows > 0) {
        all.push_back(RemnantRack(rows, speed));
      }
    }
  }
  std::printf("%-16s %6s %6s %6s %9s %9s %8s %5s %s\n", "case", "rows", "bars", "pats", "seconds",
              "cpu_s", "peak_MB", "limit", "plan");
  for (const Job& job : all) {
    bool run = every || (wanted.empty() && job.name != "rows-10000-s0");
    for (const std::string& w : wanted) run = run || w == job.name;
    if (!run) continue;
    const Outcome o = RunIsolated(job);
    std::printf("%-16s %6zu %6lld %6d %9.3f %9.3f %8.1f %5s %016llx%s\n", job.name.c_str(),
                job.stocks.size(), static_cast<long long>(o.bars), o.patterns, o.seconds,
                o.cpu_seconds, static_cast<double>(o.peak_kb) / 1024.0, o.time_limit ? "yes" : "no",
                static_cast<unsigned long long>(o.fingerprint), o.ok ? "" : " FAILED");
    std::fflush(stdout);
  }
  return 0;
}
