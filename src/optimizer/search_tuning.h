// The tuning numbers of the staged run and the best-plan search, each with
// the reason it has its value. Changing one changes the plans.
#pragma once

#include <cstdint>

namespace tralvin::tuning {

// Passes of one search: kBasePasses plus kPassesPerSpeedStep per speed step,
// so the slowest speed tries six times as many trial plans as the fastest.
inline constexpr int kBasePasses = 20;
inline constexpr int kPassesPerSpeedStep = 5;
// A new family of weights is drawn every kPassesPerFamily passes; the passes
// between learn from the trial plans of the family.
inline constexpr int kPassesPerFamily = 5;
// The search stops after this many passes without a better plan ...
inline constexpr int kStagnantPasses = 20;
// ... once it has tried at least this many passes (or at once on a pool too
// large to search again cheaply).
inline constexpr int kMinPassesBeforeStop = 30;
inline constexpr int kLargePoolPatterns = 32768;
// With improvement passes pending the stage only seeds them: a short search.
inline constexpr int kPendingStagnantPasses = 3;

// Fewer pieces than this per kind on average counts as "few pieces per kind":
// weights are multiplied by kFewPiecesWeightFactor and utilisation weighs
// more (its 8th power instead of its square).
inline constexpr double kFewPiecesPerKind = 8.0;
inline constexpr int64_t kFewPiecesWeightFactor = 30;
// Weight families drawn in turn (quantity, average quantity, area powers ...);
// the last ones spread the average quantity by a random 0 .. spread - 1.
inline constexpr int kWeightFamilies = 10;
inline constexpr int32_t kWideWeightSpread = 100;

// Regenerated pools a pass may use before it fails; the last one would never
// be used, so the pass fails when it is reached.
inline constexpr int kMaxRegenerations = 22;
// Regenerated pools larger than this are ordered by stock and utilisation so
// that the scan meets the well-filled patterns first.
inline constexpr int kSortRegeneratedAbove = 1024;
// Patterns listed per stock and stage: kPatternsPerSpeedStep per speed step.
inline constexpr int kPatternsPerSpeedStep = 128;
// A stock's list stops after the pattern that goes past this (see
// TSeeds::FindAllSchemes); every enumeration of the list must stop alike.
inline constexpr int ListingLimit(int speed) { return (speed + 1) * kPatternsPerSpeedStep; }

// Added to costs and scaled scores so that a zero never divides or ties.
inline constexpr double kCostEpsilon = 0.0001;
// Two plans whose costs or utilisations differ by less than this relative
// amount are equal; the tie rule then decides (the cost is divided by itself
// plus kCompareCostEpsilon so that a zero cost divides safely).
inline constexpr double kCompareTolerance = 0.0001;
inline constexpr double kCompareCostEpsilon = 0.01;
// A pattern already cut in this pass is preferred by this factor (bundle
// optimisation: strongly, to cut few distinct patterns).
inline constexpr double kRepeatBonus = 1.1;
inline constexpr double kBundleRepeatBonus = 99.0;
// Relative differences below these count as equal in the tie-break: closeness
// (way 2), utilisation, stock area.
inline constexpr double kClosenessTolerance = 0.05;
inline constexpr double kUtilTolerance = 0.004;
inline constexpr double kAreaTolerance = 0.05;
// Every kTakeBackEvery-th bar of a first pool takes back one bar of the
// poorest pattern cut so far, so early poor choices are undone.
inline constexpr int kTakeBackEvery = 5;
// Only patterns valued below this are taken back. Utilisation lies below it;
// the cost-scaled values of cost optimisation lie above it, so cost
// optimisation never takes back.
inline constexpr double kTakeBackCeiling = 999.0;

// A stage of more than StageSize kinds takes the first kStageHeadKinds active
// kinds, then more until the pieces' area reaches kStageAreaInStocks largest
// stocks (and at least kStageHeadKinds more), then up to kStageTailKinds of
// the smallest kinds as fillers with no requirement.
inline constexpr int kStageHeadKinds = 8;
inline constexpr double kStageAreaInStocks = 3.0;
inline constexpr int kStageTailKinds = 16;
// Problems split into stages are re-run this many times on the better half of
// the plan so far.
inline constexpr int kImprovementPasses = 2;

}  // namespace tralvin::tuning
