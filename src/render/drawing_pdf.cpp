// Drawing pages written as a PDF document.
#include "render/drawing_pdf.h"

#include <stdlib.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

#include "render/drawing_painter.h"

namespace tralvin::render {

namespace {

QPageLayout LayoutOf(const DrawingPage& page) {
  const double upi = page.unitsPerInch > 0 ? page.unitsPerInch : 72.0;
  const double w = page.width / upi, h = page.height / upi;
  const QPageSize size(QSizeF(std::min(w, h), std::max(w, h)), QPageSize::Inch);
  return QPageLayout(size, w > h ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(0, 0, 0, 0));
}

}  // namespace

std::string WriteDrawingPdf(const std::string& fileName, const std::vector<DrawingPage>& pages,
                            const std::string& title) {
  if (pages.empty()) return "no page to write";
  const std::string temporary = fileName + ".tmp" + std::to_string(getpid());
  {
    QPdfWriter writer(QString::fromStdString(temporary));
    writer.setTitle(QString::fromStdString(title));
    writer.setCreator(QStringLiteral("Tralvin 1D"));
    writer.setPageLayout(LayoutOf(pages.front()));
    QPainter painter;
    if (!painter.begin(&writer)) return "Unable to write to " + fileName;
    for (size_t i = 0; i < pages.size(); ++i) {
      if (i > 0) {
        writer.setPageLayout(LayoutOf(pages[i]));
        writer.newPage();
      }
      PaintDrawing(painter, pages[i]);
    }
    painter.end();
  }
  std::error_code ec;
  std::filesystem::rename(temporary, fileName, ec);
  if (ec) {
    std::filesystem::remove(temporary, ec);
    return "Unable to write to " + fileName;
  }
  return {};
}

struct OffscreenGuiApplication::Impl {
  std::string runtimeDir;  // a private runtime folder when the session has none
  int argc = 1;
  char name[16] = "tralvin1d";
  char* argv[2] = {name, nullptr};
  std::unique_ptr<QGuiApplication> app;
};

OffscreenGuiApplication::OffscreenGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  impl_ = new Impl;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Without a session (cron, ssh) Qt warns about the missing runtime folder on
  // standard error, which scripts read; a private one keeps it quiet.
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tralvin-runtime-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
      impl_->runtimeDir = pattern;
      qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(pattern));
    }
  }
  impl_->app = std::make_unique<QGuiApplication>(impl_->argc, impl_->argv);
}

OffscreenGuiApplication::~OffscreenGuiApplication() {
  if (impl_ == nullptr) return;
  impl_->app.reset();
  if (!impl_->runtimeDir.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(impl_->runtimeDir, ec);
    qunsetenv("XDG_RUNTIME_DIR");
  }
  delete impl_;
}

}  // namespace tralvin::render
