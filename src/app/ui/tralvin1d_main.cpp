// The program body: the start-up steps, the main window, the start window and
// the message loop. With "-hide:yes" it ends after the start-up steps.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "app/startup.h"
#include "app/switches.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "app/ui/small_windows.h"
#include "base/ascii_case.h"
#include "base/product.h"

namespace {

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "tralvin1d: no display (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                 "Run the batch runner tralvin1d-batch with the same switches instead, or set\n"
                 "QT_QPA_PLATFORM=offscreen for a run without a window.\n");
    return 1;
  }
  // StartFolder: the working folder at program start.
  const std::string startFolder = QDir::currentPath().toStdString();
  std::vector<std::string> params;
  for (int i = 1; i < argc; ++i) params.emplace_back(argv[i]);

  // A file size limit (ulimit -f) makes a save fail with its reason instead
  // of ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(tralvin::kProductName));
  try {
    tralvin::ui::TSDIAppForm window(tralvin::RunStartupSteps(startFolder, params));
    window.ShowStartupWarnings();
    window.FinishStartup();
    if (tralvin::AsciiLower(tralvin::GetParaValue(params, "-hide:")) == "yes") {
      // Nothing is shown and nothing is saved.
      return window.State().AutoRun && window.LastJobDone().failed ? 1 : 0;
    }
    tralvin::ui::TComeInForm start;
    start.Label1->setText(QString::fromUtf8(tralvin::kProductName));
    start.Label4->setText("Version " + QString::fromUtf8(tralvin::kVersionText));
    start.exec();
    window.show();
    return QApplication::exec();
  } catch (const std::exception& e) {
    tralvin::ui::ShowWarning(
        nullptr, "load program exception information[" + QString::fromUtf8(e.what()) + "]");
    return 1;
  }
}
