// The include direction of the source tree, and that the check finds planted faults.
#include <gtest/gtest.h>

#include <sstream>

#include "common/test_files.h"
#include "layers/layer_rules.h"

namespace tralvin::layers {
namespace {

using testing_files::ScratchFolder;
using testing_files::WriteText;

std::string Describe(const std::vector<Violation>& found) {
  std::ostringstream out;
  for (const auto& v : found)
    out << v.file << ":" << v.line << ": " << v.reason << ": " << v.text << "\n";
  return out.str();
}

TEST(Layers, SourceTreeIncludesOnlyLowerLayers) {
  const auto found = FindLayerViolations(std::filesystem::path(TRALVIN_SOURCE_DIR) / "src");
  EXPECT_TRUE(found.empty()) << Describe(found);
}

TEST(Layers, PlantedWrongIncludesAreFound) {
  ScratchFolder root;
  const auto dir = [&](const std::string& d) {
    std::filesystem::create_directories(root.File(d));
    return root.File(d) + "/";
  };
  WriteText(dir("base") + "ok.h", "#include <string>\n#include \"base/other.h\"\n");
  WriteText(dir("tables") + "ok.cpp", "#include \"base/ok.h\"\n#include \"texts/t.h\"\n");
  WriteText(dir("tables") + "up.cpp", "// fine\n#include \"app/settings.h\"\n");
  WriteText(dir("results") + "qt.cpp", "#include <QString>\n");
  WriteText(dir("app") + "window.cpp", "  #  include \"app/ui/main_window.h\"\n");
  WriteText(dir("app/ui") + "w.cpp",
            "#include <QWidget>\n#include \"tables/ui/g.h\"\n#include \"app/job.h\"\n");
  WriteText(dir("batch") + "b.cpp", "#include \"app/job.h\"\n#include \"app/ui/w.h\"\n");
  WriteText(dir("texts") + "peer.cpp", "#include \"optimizer/x.h\"\n");
  WriteText(dir("misc") + "m.cpp", "#include \"base/ok.h\"\n");
  WriteText(dir("render") + "r.cpp", "#include <QPainter>\n#include \"base/drawing.h\"\n");
  WriteText(dir("app") + "paint.cpp", "#include \"render/r.h\"\n");
  WriteText(dir("batch") + "pdf.cpp", "#include \"render/r.h\"\n");

  const auto found = FindLayerViolations(root.Path());
  std::vector<std::string> places;
  for (const auto& v : found) places.push_back(v.file + ":" + std::to_string(v.line));
  EXPECT_EQ(places, (std::vector<std::string>{"app/paint.cpp:1", "app/window.cpp:1",
                                              "batch/b.cpp:2", "misc/m.cpp:1", "results/qt.cpp:1",
                                              "tables/up.cpp:2", "texts/peer.cpp:1"}))
      << Describe(found);
}

}  // namespace
}  // namespace tralvin::layers
