// Optimiser benchmark: runs the driver on every instance of a folder at the
// fastest and the slowest speed and prints bars used against the optimum or a
// lower bound, wall time, peak memory and whether a time limit ended a search.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "optimizer/optimize2d.h"

namespace {

using tralvin::TOptimize2d;

struct StockDef {
  std::string label;
  int64_t length;
  int64_t qty;
  int64_t cost;
  int64_t priority;
};

struct Outcome {
  int64_t bars = 0;
  double cost = 0;
  bool ok = false;
  bool valid = false;
  bool time_limit = false;
  double seconds = 0;
  long peak_kb = 0;
};

int64_t Scale(double v) { return std::llround(v * 1000.0); }

// Runs one instance and checks the plan: every requirement covered, no
// maximum exceeded, no bar over-filled.
Outcome RunOne(const nlohmann::json& inst, const std::vector<StockDef>& stocks, int speed) {
  Outcome out;
  TOptimize2d opt;
  opt.params.blade_width = 0;
  opt.params.speed = speed;
  opt.OptimizerRandomState = 479;
  for (const StockDef& s : stocks) {
    opt.AddSheet(s.label, std::to_string(s.length), "1", "", "",
                 static_cast<int32_t>(s.length * 1000), 0, 1000, static_cast<int32_t>(s.qty),
                 static_cast<int32_t>(s.priority), static_cast<int32_t>(s.cost));
  }
  int k = 0;
  for (const auto& item : inst["items"]) {
    const int32_t len = static_cast<int32_t>(Scale(item[0].get<double>()));
    const int32_t qty = item[1].get<int32_t>();
    opt.AddPart("P" + std::to_string(++k), "", "1", "", len, 1000, false, qty, qty);
  }
  const auto t0 = std::chrono::steady_clock::now();
  const std::string msg = opt.Run();
  out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  out.ok = msg.empty();
  out.time_limit = opt.TimeLimitReached;
  out.cost = opt.best_result.GetTotalCost(false, 0) / 1000.0;
  bool valid = out.ok;
  std::vector<int64_t> produced(static_cast<size_t>(opt.parts.Count()), 0);
  for (const auto& p : opt.best_result.schemes) {
    out.bars += p.p_number;
    int64_t used = 0;
    for (const auto& e : p.numbers.Items()) {
      used += static_cast<int64_t>(e.p_number) * e.p_cx;
      for (int i = 0; i < opt.parts.Count(); ++i) {
        if (opt.parts[i].p_lab == e.p_lab)
          produced[static_cast<size_t>(i)] += int64_t{e.p_number} * p.p_number;
      }
    }
    if (used > p.p_cx) valid = false;
  }
  for (int i = 0; i < opt.parts.Count(); ++i) {
    if (produced[static_cast<size_t>(i)] < opt.MinParts[i].p_number) valid = false;
    if (produced[static_cast<size_t>(i)] > opt.parts[i].p_number) valid = false;
  }
  out.valid = valid;
  struct rusage ru {};
  getrusage(RUSAGE_SELF, &ru);
  out.peak_kb = ru.ru_maxrss;
  return out;
}

// Runs in a child process so that the peak memory belongs to this run alone.
Outcome RunIsolated(const nlohmann::json& inst, const std::vector<StockDef>& stocks, int speed) {
  int fds[2];
  if (pipe(fds) != 0) return RunOne(inst, stocks, speed);
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    const Outcome o = RunOne(inst, stocks, speed);
    const ssize_t w = write(fds[1], &o, sizeof o);
    _exit(w == static_cast<ssize_t>(sizeof o) ? 0 : 1);
  }
  close(fds[1]);
  Outcome o;
  const ssize_t r = read(fds[0], &o, sizeof o);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (r != static_cast<ssize_t>(sizeof o)) o = Outcome{};
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "bench/instances";
  std::vector<int> speeds{0, 20};
  if (argc > 2) speeds = {std::atoi(argv[2])};
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    if (e.path().extension() == ".json") files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  for (int speed : speeds) {
    std::printf("speed %d\n", speed);
    std::printf("%-28s %5s %6s %6s %6s %4s %9s %8s %5s %s\n", "instance", "kinds", "pieces", "bars",
                "bound", "gap", "seconds", "peak_MB", "limit", "plan");
    int64_t tot_bars = 0, tot_bound = 0;
    double tot_sec = 0, max_sec = 0, max_mb = 0;
    int limits = 0, bad = 0;
    for (const auto& f : files) {
      std::ifstream in(f);
      const nlohmann::json inst = nlohmann::json::parse(in);
      int64_t pieces = 0;
      for (const auto& item : inst["items"]) pieces += item[1].get<int64_t>();
      int64_t bound = 0;
      std::string bound_kind = "opt";
      if (inst.contains("optimum_bars") && !inst["optimum_bars"].is_null()) {
        bound = inst["optimum_bars"].get<int64_t>();
      } else if (inst.contains("continuous_lb")) {
        bound = inst["continuous_lb"].get<int64_t>();
        bound_kind = "lb";
      } else if (inst.contains("lower_bound")) {
        bound = inst["lower_bound"].get<int64_t>();
        bound_kind = "lb";
      }
      std::vector<std::pair<std::string, std::vector<StockDef>>> runs;
      runs.push_back(
          {"",
           {{"STOCK", static_cast<int64_t>(inst["stock_length"].get<double>()), pieces, 1, 0}}});
      if (inst.contains("stocks")) {
        std::vector<StockDef> list;
        for (const auto& s : inst["stocks"]) {
          list.push_back({s["label"].get<std::string>(),
                          static_cast<int64_t>(s["length"].get<double>()), s["qty"].get<int64_t>(),
                          Scale(s["cost"].get<double>()), s["priority"].get<int64_t>()});
        }
        runs.push_back({"+stocks", list});
      }
      // One stock kind of unlimited bars: without a known optimum the bound
      // is the continuous one, ceil(total piece length / stock length).
      double total_length = 0;
      for (const auto& item : inst["items"]) {
        total_length += item[0].get<double>() * item[1].get<double>();
      }
      const int64_t single_bound =
          bound_kind == "opt" ? bound
                              : static_cast<int64_t>(std::ceil(
                                    total_length / inst["stock_length"].get<double>() - 1e-9));
      auto cost_text = [&inst](double cost) {
        char buf[96];
        if (inst.contains("cost_lb")) {
          std::snprintf(buf, sizeof buf, " cost %.0f (lb %.0f)", cost,
                        inst["cost_lb"].get<double>());
        } else {
          std::snprintf(buf, sizeof buf, " cost %.0f", cost);
        }
        return std::string(buf);
      };
      for (const auto& [suffix, stocks] : runs) {
        const Outcome o = RunIsolated(inst, stocks, speed);
        const int64_t bnd = suffix.empty() ? single_bound : bound;
        const std::string name = f.stem().string() + suffix;
        const double mb = static_cast<double>(o.peak_kb) / 1024.0;
        const bool single = suffix.empty();
        std::printf("%-28s %5zu %6lld %6lld %3lld%-3s %4lld %9.3f %8.1f %5s %s%s\n", name.c_str(),
                    inst["items"].size(), static_cast<long long>(pieces),
                    static_cast<long long>(o.bars), static_cast<long long>(bnd), bound_kind.c_str(),
                    static_cast<long long>(o.bars - bnd), o.seconds, mb,
                    o.time_limit ? "yes" : "no", o.valid ? "valid" : "INVALID",
                    single ? "" : cost_text(o.cost).c_str());
        std::fflush(stdout);
        if (single) {
          tot_bars += o.bars;
          tot_bound += bnd;
        }
        tot_sec += o.seconds;
        max_sec = std::max(max_sec, o.seconds);
        max_mb = std::max(max_mb, mb);
        if (o.time_limit) ++limits;
        if (!o.valid) ++bad;
      }
    }
    std::printf(
        "total (one stock kind): bars %lld, bound %lld, gap %lld; time %.3f s (max %.3f s); "
        "peak %.1f MB; time limits %d; invalid plans %d\n\n",
        static_cast<long long>(tot_bars), static_cast<long long>(tot_bound),
        static_cast<long long>(tot_bars - tot_bound), tot_sec, max_sec, max_mb, limits, bad);
  }
  return 0;
}
