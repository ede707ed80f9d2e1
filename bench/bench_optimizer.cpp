// Optimiser benchmark: runs the standard search (at the fastest and the slowest
// speed) and the near-optimal method on every instance of a folder and prints,
// side by side, bars used against the optimum or a lower bound, wall time,
// peak memory and whether a time limit ended a search. Runs with their own
// stock lists optimise cost and print it against the cost bound.
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

#include "child_run.h"
#include "optimizer/near_optimal.h"
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
  double cpu_seconds = 0;  // user + system time of the run's own process
  long peak_kb = 0;
};

int64_t Scale(double v) { return std::llround(v * 1000.0); }

// Runs one instance and checks the plan: every requirement covered, no
// maximum exceeded, no bar over-filled.
Outcome RunOne(const nlohmann::json& inst, const std::vector<StockDef>& stocks, int speed,
               bool near, bool cost) {
  Outcome out;
  TOptimize2d opt;
  opt.params.blade_width = 0;
  opt.params.speed = speed;
  opt.params.cost_optimize = cost;
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
  const std::string msg = near ? tralvin::RunNearOptimal(opt) : opt.Run();
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
  const tralvin::bench::ProcessUsage usage = tralvin::bench::OwnUsage();
  out.peak_kb = usage.peak_kb;
  out.cpu_seconds = usage.cpu_seconds;
  return out;
}

// Runs in a child process so that the peak memory belongs to this run alone.
Outcome RunIsolated(const nlohmann::json& inst, const std::vector<StockDef>& stocks, int speed,
                    bool near, bool cost) {
  return tralvin::bench::RunInChild<Outcome>(
      [&] { return RunOne(inst, stocks, speed, near, cost); });
}

struct Instance {
  std::string name;
  nlohmann::json data;
  int64_t pieces = 0;
  int64_t bound = 0;  // bars: the optimum ("opt") or a lower bound ("lb")
  std::string bound_kind;
  std::vector<std::pair<std::string, std::vector<StockDef>>> runs;
};

Instance LoadInstance(const std::filesystem::path& f) {
  Instance in;
  std::ifstream file(f);
  in.data = nlohmann::json::parse(file);
  const nlohmann::json& inst = in.data;
  in.name = f.stem().string();
  for (const auto& item : inst["items"]) in.pieces += item[1].get<int64_t>();
  int64_t bound = 0;
  in.bound_kind = "opt";
  if (inst.contains("optimum_bars") && !inst["optimum_bars"].is_null()) {
    bound = inst["optimum_bars"].get<int64_t>();
  } else if (inst.contains("continuous_lb")) {
    bound = inst["continuous_lb"].get<int64_t>();
    in.bound_kind = "lb";
  } else if (inst.contains("lower_bound")) {
    bound = inst["lower_bound"].get<int64_t>();
    in.bound_kind = "lb";
  }
  in.runs.push_back(
      {"", {{"STOCK", static_cast<int64_t>(inst["stock_length"].get<double>()), in.pieces, 1, 0}}});
  if (inst.contains("stocks")) {
    std::vector<StockDef> list;
    for (const auto& s : inst["stocks"]) {
      list.push_back({s["label"].get<std::string>(),
                      static_cast<int64_t>(s["length"].get<double>()), s["qty"].get<int64_t>(),
                      Scale(s["cost"].get<double>()), s["priority"].get<int64_t>()});
    }
    in.runs.push_back({"+stocks", list});
  }
  // One stock kind of unlimited bars: without a known optimum the bound is
  // the continuous one, ceil(total piece length / stock length).
  double total_length = 0;
  for (const auto& item : inst["items"]) {
    total_length += item[0].get<double>() * item[1].get<double>();
  }
  in.bound = in.bound_kind == "opt"
                 ? bound
                 : static_cast<int64_t>(
                       std::ceil(total_length / inst["stock_length"].get<double>() - 1e-9));
  return in;
}

struct Totals {
  int64_t bars = 0, bound = 0;
  int optimum_hits = 0, optimum_count = 0;
  double cost = 0, cost_lb = 0;
  double max_sec = 0, max_cpu = 0, max_mb = 0;
  int limits = 0, bad = 0;
  void Add(const Outcome& o, const Instance& in, bool single) {
    if (single) {
      bars += o.bars;
      bound += in.bound;
      if (in.bound_kind == "opt") {
        ++optimum_count;
        if (o.bars == in.bound) ++optimum_hits;
      }
    } else if (in.data.contains("cost_lb")) {
      cost += o.cost;
      cost_lb += in.data["cost_lb"].get<double>();
    }
    max_sec = std::max(max_sec, o.seconds);
    max_cpu = std::max(max_cpu, o.cpu_seconds);
    max_mb = std::max(max_mb, static_cast<double>(o.peak_kb) / 1024.0);
    if (o.time_limit) ++limits;
    if (!o.valid) ++bad;
  }
  void Print(const char* method) const {
    std::printf(
        "%-9s one stock kind: bars %lld, bound %lld, gap %lld, optimum on %d of %d; "
        "stock lists: cost %.2f, cost bound %.2f (+%.3f %%); max %.3f s (cpu %.3f s); peak %.1f "
        "MB; "
        "time limits %d; invalid plans %d\n",
        method, static_cast<long long>(bars), static_cast<long long>(bound),
        static_cast<long long>(bars - bound), optimum_hits, optimum_count, cost, cost_lb,
        cost_lb > 0 ? (cost / cost_lb - 1.0) * 100.0 : 0.0, max_sec, max_cpu, max_mb, limits, bad);
  }
};

std::string Cell(const Outcome& o, const Instance& in, bool single) {
  char buf[160];
  if (single) {
    std::snprintf(buf, sizeof buf, "%5lld %+4lld %7.3f %7.3f %6.1f %-7s",
                  static_cast<long long>(o.bars), static_cast<long long>(o.bars - in.bound),
                  o.seconds, o.cpu_seconds, static_cast<double>(o.peak_kb) / 1024.0,
                  o.valid ? (o.time_limit ? "limit" : "valid") : "INVALID");
  } else {
    std::snprintf(buf, sizeof buf, "%5lld $%-8.2f %7.3f %7.3f %6.1f %-7s",
                  static_cast<long long>(o.bars), o.cost, o.seconds, o.cpu_seconds,
                  static_cast<double>(o.peak_kb) / 1024.0,
                  o.valid ? (o.time_limit ? "limit" : "valid") : "INVALID");
  }
  return buf;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "bench/instances";
  std::vector<int> speeds{0, 20};
  // A second argument picks one speed, or "near" for the near-optimal method alone.
  const bool near_only = argc > 2 && std::string(argv[2]) == "near";
  if (argc > 2 && !near_only) speeds = {std::atoi(argv[2])};
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    if (e.path().extension() == ".json") files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  std::vector<Instance> instances;
  for (const auto& f : files) instances.push_back(LoadInstance(f));

  // The near-optimal method does not depend on the speed: run it once.
  std::vector<std::vector<Outcome>> near(instances.size());
  for (size_t k = 0; k < instances.size(); ++k) {
    for (const auto& [suffix, stocks] : instances[k].runs) {
      near[k].push_back(RunIsolated(instances[k].data, stocks, 0, true, !suffix.empty()));
    }
  }
  if (near_only) {
    Totals tot;
    for (size_t k = 0; k < instances.size(); ++k) {
      for (size_t r = 0; r < instances[k].runs.size(); ++r) {
        const bool single = instances[k].runs[r].first.empty();
        std::printf("%-26s %s\n", (instances[k].name + instances[k].runs[r].first).c_str(),
                    Cell(near[k][r], instances[k], single).c_str());
        tot.Add(near[k][r], instances[k], single);
      }
    }
    tot.Print("near");
    return 0;
  }
  for (int speed : speeds) {
    std::printf("standard search at speed %d beside the near-optimal method\n", speed);
    std::printf("%-26s %6s %8s | %-44s | %-44s | %s\n", "instance", "pieces", "bound",
                "standard: bars gap/cost sec cpu MB plan", "near: bars gap/cost sec cpu MB plan",
                "cost bound");
    Totals std_tot, near_tot;
    for (size_t k = 0; k < instances.size(); ++k) {
      const Instance& in = instances[k];
      for (size_t r = 0; r < in.runs.size(); ++r) {
        const auto& [suffix, stocks] = in.runs[r];
        const bool single = suffix.empty();
        const Outcome o = RunIsolated(in.data, stocks, speed, false, !single);
        const Outcome& n = near[k][r];
        char bound[32];
        std::snprintf(bound, sizeof bound, "%lld%s", static_cast<long long>(in.bound),
                      single ? in.bound_kind.c_str() : "lb");
        char cost_lb[32] = "";
        if (!single && in.data.contains("cost_lb")) {
          std::snprintf(cost_lb, sizeof cost_lb, "%.2f", in.data["cost_lb"].get<double>());
        }
        std::printf("%-26s %6lld %8s | %-44s | %-44s | %s\n", (in.name + suffix).c_str(),
                    static_cast<long long>(in.pieces), bound, Cell(o, in, single).c_str(),
                    Cell(n, in, single).c_str(), cost_lb);
        std::fflush(stdout);
        std_tot.Add(o, in, single);
        near_tot.Add(n, in, single);
      }
    }
    std_tot.Print("standard");
    near_tot.Print("near");
    std::printf("\n");
  }
  return 0;
}
