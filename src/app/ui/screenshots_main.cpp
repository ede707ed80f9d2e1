// Renders every window and page of the program from the sample tables into
// PNG files, on any Qt platform (also offscreen, without a display).
// Usage: tralvin1d-screenshots [output folder]   (default: screenshots)
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "app/ui/main_window.h"
#include "app/ui/screenshots_settings_job.h"
#include "app/ui/small_windows.h"
#include "base/product.h"
#include "labels/ui/print_label_screenshot.h"
#include "tables/ui/import_export_screenshots.h"
#include "tables/ui/table_page.h"
#include "tables/ui/type_editor.h"
#include "tables/ui/type_setup_dialog.h"
#include "texts/ui/select_language.h"

namespace {

using tralvin::ui::TSDIAppForm;

struct Shots {
  QDir out;
  TSDIAppForm* window = nullptr;
  QString samples;  // folder of the sample tables
  QStringList written;

  void Save(QWidget* widget, const QString& name) {
    QApplication::processEvents();
    const QString file = out.filePath(name + ".png");
    if (widget->grab().save(file)) {
      written << file;
    } else {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    }
  }
  void SavePage(const char* page, const QString& name) {
    window->PageControl()->setCurrentWidget(window->Page(page));
    Save(window, name);
  }
};

void MainPages(Shots& s) {
  s.SavePage("TabSheetSheets", "stocks");
  s.SavePage("TabSheetParts", "pieces");
  s.SavePage("TabSheetReport", "report");
  s.SavePage("TabSheetSetup", "settings");
}

void TypeDropDown(Shots& s) {
  s.window->PageControl()->setCurrentWidget(s.window->Page("TabSheetParts"));
  tralvin::ui::TablePage* page = s.window->PartsPage();
  page->SetCurrentCell({tralvin::kPartColType, 2});
  s.Save(s.window, "pieces_type_editor");
  page->SetCurrentCell({tralvin::kPartColLength, 2});
}

void SmallWindows(Shots& s) {
  tralvin::ui::TComeInForm start;
  start.Timer1->stop();
  start.Label4->setText("Version " + QString::fromUtf8(tralvin::kVersionText));
  start.show();
  s.Save(&start, "start_window");

  tralvin::ui::TAboutBox about;
  about.ProductName->setText(QString::fromUtf8(tralvin::kProductName));
  about.Version->setText("version : " + QString::fromUtf8(tralvin::kVersionText));
  about.Notice->setText("Cutting optimisation for bars, profiles, pipes and timber");
  about.Comments->hide();
  about.Label1->hide();
  about.show();
  s.Save(&about, "about");

  tralvin::ui::TFormSaveSelectGrids save;
  save.CheckBoxSaveSheets->setChecked(true);
  save.CheckBoxSaveParts->setChecked(true);
  save.show();
  s.Save(&save, "shutdown_save_tables");

  tralvin::ui::TFormSetupTypeString types(s.window->State().types, "unused.typ");
  types.ApplyCaptions(s.window->State().captions);
  types.show();
  s.Save(&types, "type_setup");
}

void LabelWindow(Shots& s) { s.written << tralvin::ui::WritePrintLabelScreenshot(s.out.path()); }

void ImportExportWindows(Shots& s) {
  s.written << tralvin::ui::SaveImportExportScreenshots(s.out.path());
}

// The Stocks page in German (a start folder whose default.cap is the bundled
// German file), the caption editing group and the language window.
void Captions(Shots& s) {
  QTemporaryDir german;
  QFile::copy(QString(TRALVIN_SOURCE_DIR) + "/share/captions/German.cap",
              german.filePath("default.cap"));
  for (const char* name : {"sample.stk", "sample.dst"}) {
    QFile::copy(s.samples + "/" + name,
                german.filePath(QString(name).replace("sample", "default")));
  }
  {
    TSDIAppForm window(tralvin::RunStartupSteps(german.path().toStdString(), {}));
    window.resize(s.window->size());
    window.show();
    window.PageControl()->setCurrentWidget(window.Page("TabSheetSheets"));
    s.Save(&window, "stocks_german");
    window.hide();
  }

  s.window->PageControl()->setCurrentWidget(s.window->Page("TabSheetSetup"));
  s.window->findChild<QCheckBox*>("CheckBoxCustomCaption")->setChecked(true);
  auto* keys = s.window->findChild<QComboBox*>("ComboBoxInterfaceCaption");
  const int item = keys->findText("Load File Button");
  keys->setCurrentIndex(item);
  emit keys->activated(item);
  s.Save(s.window->findChild<QWidget*>("CaptionSettingsSection"), "caption_editing");
  s.Save(s.window, "settings_custom_captions");
  s.window->findChild<QCheckBox*>("CheckBoxCustomCaption")->setChecked(false);

  tralvin::ui::TFormSelectLanguage languages;
  languages.findChild<QListWidget*>("lstSelectLanguage")->setCurrentRow(13);
  languages.show();
  s.Save(&languages, "select_language");
}

// The Settings page, a running job with its progress bar and Stop, and the
// Report page after Stop, in a window of their own over a long search.
void SettingsJobReport(Shots& s) {
  s.written << tralvin::ui::SaveSettingsJobReportScreenshots(s.out.absolutePath());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Shots shots;
  shots.out = QDir(
      QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("screenshots")).absolutePath());
  shots.out.mkpath(".");
  shots.samples = QString(TRALVIN_SOURCE_DIR) + "/samples";
  // The sample tables through the start-up steps, from an empty start folder.
  // The sample tables copied into an empty start folder, so the file name
  // boxes show plain names.
  QTemporaryDir startFolder;
  for (const char* name : {"sample.stk", "sample.dst", "sample.opt"}) {
    QFile::copy(shots.samples + "/" + name, startFolder.filePath(name));
  }
  QDir::setCurrent(startFolder.path());
  const std::vector<std::string> params = {"-stk:sample.stk", "-dst:sample.dst",
                                           "-option:sample.opt"};
  tralvin::StartupState state = tralvin::RunStartupSteps(startFolder.path().toStdString(), params);
  state.types.MaterialTypes = {"Aluminium", "Steel"};
  state.types.SelectedTypes = {"Aluminium", "Steel"};
  TSDIAppForm window(std::move(state));
  window.Types().PutTypeIntoList(window.State().types.MaterialTypes);
  window.resize(1000, 680);
  window.show();
  shots.window = &window;

  // One function per window or page; each saves its pictures.
  const std::vector<std::function<void(Shots&)>> steps = {
      MainPages,   TypeDropDown,      SmallWindows, ImportExportWindows,
      LabelWindow, SettingsJobReport, Captions};
  for (const auto& step : steps) step(shots);

  for (const QString& file : shots.written) std::printf("%s\n", qPrintable(file));
  return 0;
}
