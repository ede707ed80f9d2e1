// Print Setup and the painting of the report's pages.
#include "results/ui/report_printing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "app/ui/current_printer.h"
#include "render/drawing_painter.h"
#include "results/report_print.h"

namespace tralvin::ui {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The printer font as a fixed-pitch font, so the report's columns line up
// even when the named font is not installed.
QFont PrinterFont(const ReportPrintText& text) {
  QFont font(text.fontName);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSizeF(std::max(1, text.fontSize));
  return font;
}

}  // namespace

bool PrintSetupClick(QWidget* parent) {
  QPrintDialog dialog(&CurrentPrinter(), parent);
  dialog.setWindowTitle("Print Setup");
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  return dialog.exec() == QDialog::Accepted;
}

int PaintReport(QPrinter& printer, const ReportPrintText& text) {
  QPainter painter;
  if (!painter.begin(&printer)) return -1;
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  const QRectF area(0, 0, page.width(), page.height());

  // The printer font, made smaller when the widest line would run off the page.
  QFont font = PrinterFont(text);
  painter.setFont(font);
  qreal widest = 0;
  for (const std::string& line : text.items) {
    widest = std::max(widest, QFontMetricsF(font, &printer).horizontalAdvance(Q(line)));
  }
  for (const std::string& line : text.titleLines) {
    widest = std::max(widest, QFontMetricsF(font, &printer).horizontalAdvance(Q(line)));
  }
  if (widest > area.width() && widest > 0) {
    font.setPointSizeF(std::max(2.0, font.pointSizeF() * area.width() / widest * 0.98));
    painter.setFont(font);
  }
  const QFontMetricsF metrics(font, &printer);
  const qreal lineHeight = metrics.lineSpacing();
  const int linesPerPage = std::max(1, static_cast<int>(area.height() / lineHeight));

  const std::vector<PrintedReportPage> pages =
      PaginateReport(text.items, text.titleLines, linesPerPage);
  // The cutting diagrams follow on pages of their own, under the same title
  // lines and numbered on from the report's pages.
  const int headerLines = static_cast<int>(text.titleLines.size()) + 1;
  const qreal diagramTop = headerLines * lineHeight;
  const std::vector<DrawingPage> diagramPages = DiagramPages(
      text.diagrams, text.measure, area.width(),
      std::max(lineHeight, area.height() - diagramTop - 2 * lineHeight), printer.resolution());
  const size_t total = pages.size() + diagramPages.size();
  auto footer = [&](size_t index) {
    const QString f = QString("Page %1 of %2").arg(index + 1).arg(total);
    const qreal footerY = area.height() - metrics.descent();
    painter.drawText(QPointF(area.width() - metrics.horizontalAdvance(f), footerY), f);
  };
  auto header = [&](const std::vector<std::string>& lines) {
    qreal y = metrics.ascent();
    for (const std::string& line : lines) {
      painter.drawText(QPointF(0, y), Q(line));
      y += lineHeight;
    }
    return y;
  };
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) printer.newPage();
    qreal y = header(pages[i].header);
    for (const std::string& line : pages[i].lines) {
      painter.drawText(QPointF(0, y), Q(line));
      y += lineHeight;
    }
    footer(i);
  }
  for (size_t i = 0; i < diagramPages.size(); ++i) {
    if (i > 0 || !pages.empty()) printer.newPage();
    header(text.titleLines);
    render::PaintDrawing(painter, diagramPages[i], QPointF(0, diagramTop));
    painter.setFont(font);
    footer(pages.size() + i);
  }
  painter.end();
  return static_cast<int>(total);
}

int WriteReportPdf(const QString& fileName, const ReportPrintText& text) {
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setPageLayout(CurrentPrinter().pageLayout());
  pdf.setOutputFileName(fileName);
  pdf.setDocName("Cutting report");
  return PaintReport(pdf, text);
}

}  // namespace tralvin::ui
