// The export file-type window TFormExportFileTypeSelect: "CSV" or "EXCEL",
// and whether the column titles are written. It draws the core's
// ExportChoice; the window is created once, so the check box keeps its state.
#pragma once

#include <QDialog>

#include "tables/export_choice.h"

class QCheckBox;
class QPushButton;

namespace tralvin {
class CaptionTable;
}

namespace tralvin::ui {

class TFormExportFileTypeSelect : public QDialog {
  Q_OBJECT

 public:
  explicit TFormExportFileTypeSelect(QWidget* parent = nullptr);

  ExportChoice& Choice() { return choice_; }
  const ExportChoice& Choice() const { return choice_; }

  // Before every showing: the window caption (the export button's) and the
  // check box caption.
  void Prepare(const QString& caption, const CaptionTable& captions);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  ExportChoice choice_;
  QPushButton* buttonExportTXTFile_ = nullptr;
  QPushButton* buttonExportEXCELFile_ = nullptr;
  QCheckBox* checkBoxExportColumnTitle_ = nullptr;
};

}  // namespace tralvin::ui
