// Checks the include direction of the source tree: every folder of src/ is a
// layer, and a file may include only its own layer and those below it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tralvin::layers {

// The layers from the ground up. The batch runner and the windows (any ui/
// folder) both stand on top and may not include each other.
// `render` paints drawing commands with Qt's painter (Qt GUI, no widgets), for the
// windows and for the batch runner's PDF output.
inline const std::vector<std::string> kLayerOrder = {"base",    "texts",  "optimizer", "tables",
                                                     "results", "labels", "app",       "render"};

// Layers that may include Qt.
inline const std::vector<std::string> kQtLayers = {"render", "ui"};

struct Violation {
  std::string file;  // relative to the source root
  int line = 0;
  std::string text;    // the include line
  std::string reason;  // why it is not allowed
};

// Every include under `sourceRoot` that reaches a layer above its file's own, a
// folder that is not a layer, or (in a core layer) Qt.
std::vector<Violation> FindLayerViolations(const std::filesystem::path& sourceRoot);

}  // namespace tralvin::layers
