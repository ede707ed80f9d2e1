// Drawing pages written as a PDF document, one PDF page per drawing page.
#pragma once

#include <string>
#include <vector>

#include "base/drawing.h"

namespace tralvin::render {

// Writes `pages` to `fileName`; each PDF page has the size of its drawing page
// (width and height over unitsPerInch, in inches) and no margins. The file is
// written under a temporary name and renamed, so a failure leaves no partial
// file. Returns the failure's text, empty on success. Needs a QGuiApplication.
std::string WriteDrawingPdf(const std::string& fileName, const std::vector<DrawingPage>& pages,
                            const std::string& title);

// Creates a QGuiApplication on the offscreen platform while it lives when the
// process has none, so that fonts and painting work without a display.
class OffscreenGuiApplication {
 public:
  OffscreenGuiApplication();
  ~OffscreenGuiApplication();
  OffscreenGuiApplication(const OffscreenGuiApplication&) = delete;
  OffscreenGuiApplication& operator=(const OffscreenGuiApplication&) = delete;

 private:
  struct Impl;
  Impl* impl_ = nullptr;
};

}  // namespace tralvin::render
