// The master LP of the near-optimal method: how many bars to cut with each
// pattern, solved by column generation (Clp for the LP, a bounded knapsack
// for the new patterns). Rows: one per piece kind (required <= produced <=
// maximum) and one per stock (bars <= quantity, with an overflow column that
// plans missing bars at a penalty). Lengths include the blade width.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace tralvin {

struct LpPiece {
  int64_t width = 0;  // length + blade
  int32_t required = 0;
  int32_t maximum = 0;
};

struct LpStock {
  int64_t width = 0;  // length + blade
  int32_t quantity = 0;
  double objective = 0;  // per bar
  double overflow = 0;   // per bar beyond `quantity`
};

struct LpPattern {
  int stock = 0;
  std::vector<int32_t> counts;  // one per piece kind
};

// A simplex basis kept across changes of the pattern list: the status of
// every row and overflow column, and which patterns (by serial number) are
// basic.
struct LpBasis {
  std::vector<int> rows;
  std::vector<int> overflow;
  std::vector<uint64_t> basic;  // ascending
};

// Limits that make every solve end after a fixed amount of work.
struct LpLimits {
  int max_rounds = 2000;                 // pricing rounds per Solve
  int simplex_iterations = 200000;       // per LP re-optimisation
  int64_t quick_knapsack_nodes = 5'000;  // per knapsack of a first try
  int64_t knapsack_nodes = 2'000'000;    // per knapsack that decides optimality
};

class CuttingLp {
 public:
  CuttingLp(std::vector<LpPiece> pieces, std::vector<LpStock> stocks, LpLimits limits = {});
  ~CuttingLp();
  CuttingLp(const CuttingLp&) = delete;
  CuttingLp& operator=(const CuttingLp&) = delete;

  // Residual demand and stock: new row bounds for the next Solve.
  void SetResidual(const std::vector<int32_t>& required, const std::vector<int32_t>& maximum,
                   const std::vector<int32_t>& quantity);
  void SetOverflowObjective(int stock, double value);
  // A forbidden pattern takes no bars, and pricing does not offer it again.
  void Forbid(int pattern, bool forbidden);

  // Column generation until no pattern improves the LP or a limit is reached.
  // With `exact`, a pricing search that finds nothing is repeated exactly so
  // that the LP optimum is proven; without it only the short search prices
  // (the objective is then at least the LP optimum). `settled`, given a lower
  // bound of the LP optimum (or minus infinity) and the current objective
  // after each pricing round, ends the generation early when it says the
  // answer is known. False when the LP could not be solved.
  bool Solve(bool exact = true, const std::function<bool(double, double)>& settled = {});
  // Re-optimises over the patterns already known, without pricing: the
  // objective is then at least the LP optimum. False when the LP could not be
  // solved.
  bool SolveKnownPatterns();

  // The basis of the last solve, to start a later solve from it again (a
  // search that backtracks returns to an earlier residual).
  LpBasis SaveBasis() const;
  void RestoreBasis(const LpBasis& basis);

  double objective() const { return objective_; }
  // True when the last Solve proved that no pattern improves the LP (the
  // objective is then the LP optimum, a valid bound).
  bool proven() const { return proven_; }
  const std::vector<LpPattern>& patterns() const { return patterns_; }
  double PatternValue(int p) const;
  double OverflowValue(int stock) const;

 private:
  void AddPattern(const LpPattern& pattern, double objective);
  // The bars of a first-fit-decreasing plan of the required pieces.
  void AddFirstFitPatterns();
  // Drops the patterns that stayed unused with a clearly positive reduced
  // cost over the last `kPurgeRounds` re-optimisations, once there are many:
  // every simplex iteration scans all columns. Pricing finds them again when
  // they are needed.
  void Purge();
  static constexpr int kPurgeRounds = 3;
  static constexpr double kPurgeReducedCost = 0.02;  // of the bar's objective
  // One pricing round: new patterns added; false when none improves.
  bool Price(int64_t node_limit, bool use_table);

  std::vector<LpPiece> pieces_;
  std::vector<LpStock> stocks_;
  std::vector<int32_t> maximum_;
  LpLimits limits_;
  std::vector<LpPattern> patterns_;
  std::vector<bool> forbidden_;
  std::vector<int> idle_;      // re-optimisations each pattern has stayed unused
  size_t kept_ = 0;            // the first patterns, never dropped
  std::vector<uint64_t> ids_;  // serial number of each pattern
  uint64_t next_id_ = 0;
  bool changed_ = true;  // columns or basis changed since the last solve
  struct Impl;
  std::unique_ptr<Impl> impl_;
  double objective_ = 0;
  // Lower bound of the LP optimum from the last pricing round.
  double lower_ = -std::numeric_limits<double>::infinity();
  bool proven_ = false;
};

}  // namespace tralvin
