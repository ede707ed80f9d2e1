// Reads every #include under src/ and reports those that break the layer order.
#include "layers/layer_rules.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>

namespace tralvin::layers {

namespace {

constexpr int kTopRank = 1000;

// The rank of a file's layer from its path relative to the source root:
// "tables/ui/x.cpp" is a window, "batch/x.cpp" the batch runner.
struct Place {
  std::string layer;  // "base" … "app", "batch" or "ui"
  int rank = -1;      // -1: not a known layer
};

Place PlaceOf(const std::filesystem::path& relative) {
  std::vector<std::string> parts;
  for (const auto& p : relative) parts.push_back(p.string());
  if (parts.size() >= 3 && parts[1] == "ui") return {"ui", kTopRank};
  if (parts.empty()) return {};
  if (parts[0] == "batch") return {"batch", kTopRank};
  for (size_t i = 0; i < kLayerOrder.size(); ++i) {
    if (parts[0] == kLayerOrder[i]) return {parts[0], static_cast<int>(i)};
  }
  return {parts[0], -1};
}

bool IsQtHeader(const std::string& name) {
  return name.starts_with("Q") || name.starts_with("qt") || name.starts_with("QtCore") ||
         name.find("/Q") != std::string::npos;
}

}  // namespace

std::vector<Violation> FindLayerViolations(const std::filesystem::path& sourceRoot) {
  static const std::regex includeLine(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  std::vector<Violation> found;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(sourceRoot)) {
    if (!entry.is_regular_file()) continue;
    const auto ext = entry.path().extension();
    if (ext == ".h" || ext == ".cpp" || ext == ".hpp") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& path : files) {
    const auto relative = std::filesystem::relative(path, sourceRoot);
    const Place from = PlaceOf(relative);
    std::ifstream in(path);
    std::string text;
    int lineNumber = 0;
    while (std::getline(in, text)) {
      ++lineNumber;
      std::smatch m;
      if (!std::regex_search(text, m, includeLine)) continue;
      const std::string name = m[2];
      auto report = [&](std::string reason) {
        found.push_back({relative.generic_string(), lineNumber, text, std::move(reason)});
      };
      if (m[1] == "<") {
        const bool qtAllowed =
            std::find(kQtLayers.begin(), kQtLayers.end(), from.layer) != kQtLayers.end();
        if (!qtAllowed && IsQtHeader(name)) report("a core layer includes Qt");
        continue;
      }
      const Place to = PlaceOf(std::filesystem::path(name));
      if (from.rank < 0) {
        report("the file is in no known layer");
      } else if (to.rank < 0) {
        report("includes a folder that is no layer");
      } else if (to.layer == from.layer) {
        continue;
      } else if (to.rank >= from.rank) {
        report("includes " + to.layer + ", which is not below " + from.layer);
      }
    }
  }
  return found;
}

}  // namespace tralvin::layers
