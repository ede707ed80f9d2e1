// The language window: 27 items, OK and Cancel rules; choosing "German"
// relabels the window at once and writes default.cap, so the next start
// comes up in German.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/startup.h"
#include "app/ui/main_window.h"
#include "texts/ui/caption_applier.h"
#include "texts/ui/select_language.h"

using tralvin::StartupState;
using tralvin::ui::TFormSelectLanguage;

namespace {

// The pages and a few buttons of the main window, named as there.
std::unique_ptr<QWidget> MakeHost(StartupState& state) {
  auto host = std::make_unique<QWidget>();
  auto* tabs = new QTabWidget(host.get());
  tabs->setObjectName("AllPageControl");
  for (const char* name : {"TabSheetSheets", "TabSheetParts", "TabSheetReport", "TabSheetSetup"}) {
    auto* page = new QWidget;
    page->setObjectName(name);
    new QVBoxLayout(page);
    tabs->addTab(page, name);
  }
  auto* open = new QPushButton("Load", tabs->widget(0));
  open->setObjectName("SheetsOpen");
  auto* partsOpen = new QPushButton("Load", tabs->widget(1));
  partsOpen->setObjectName("PartsOpen");
  tralvin::ui::RefreshCaptionWidgets(host.get(), state);
  return host;
}

QStringList TabTexts(QWidget* host) {
  auto* tabs = host->findChild<QTabWidget*>("AllPageControl");
  QStringList texts;
  for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
  return texts;
}

// Answers the next modal language window: selects `row` (none for -1) and
// presses `button`.
void AnswerWith(int row, const char* button) {
  QTimer::singleShot(0, [row, button] {
    auto* form = qobject_cast<TFormSelectLanguage*>(QApplication::activeModalWidget());
    QVERIFY(form != nullptr);
    auto* list = form->findChild<QListWidget*>("lstSelectLanguage");
    list->clearSelection();
    if (row >= 0) list->setCurrentRow(row);
    QTest::mouseClick(form->findChild<QPushButton*>(button), Qt::LeftButton);
  });
}

}  // namespace

class TestSelectLanguage : public QObject {
  Q_OBJECT

 private slots:
  void theListAndItsButtons() {
    TFormSelectLanguage form;
    QCOMPARE(form.windowTitle(), QString("FormSelectLanguage"));
    auto* list = form.findChild<QListWidget*>("lstSelectLanguage");
    QCOMPARE(list->count(), 27);
    QCOMPARE(list->item(0)->text(), QString("English"));
    QCOMPARE(list->item(9)->text(), QString("English"));
    QCOMPARE(list->item(13)->text(), QString("German"));
    QCOMPARE(list->item(26)->text(), QString("Turkish"));
    QVERIFY(form.findChild<QPushButton*>("btnOK")->isDefault());
  }

  void germanRelabelsAtOnceAndAtTheNextStart() {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    StartupState state = tralvin::RunStartupSteps(folder, {});
    std::unique_ptr<QWidget> host = MakeHost(state);
    QCOMPARE(TabTexts(host.get()), QStringList({"Stocks", "Pieces", "Report", "Settings"}));

    TFormSelectLanguage form;
    AnswerWith(13, "btnOK");
    QVERIFY(tralvin::ui::btnSelectLanguageClick(form, state.captions, folder, host.get()));
    QCOMPARE(form.SelectedLanguage, QString("German"));
    tralvin::ui::RefreshCaptionWidgets(host.get(), state);
    QCOMPARE(TabTexts(host.get()),
             QStringList({"Rohmaterial", "Teile", "Bericht", "Einstellungen"}));
    QCOMPARE(host->findChild<QPushButton*>("SheetsOpen")->text(), QString("Laden"));
    QCOMPARE(host->findChild<QPushButton*>("PartsOpen")->text(), QString("Laden"));
    QCOMPARE(state.sheets.Cell(0, 0), std::string("Bezeichnung"));
    QVERIFY(QFile::exists(dir.filePath("default.cap")));

    // The next start in that folder comes up in German.
    StartupState next = tralvin::RunStartupSteps(folder, {});
    std::unique_ptr<QWidget> nextHost = MakeHost(next);
    QCOMPARE(TabTexts(nextHost.get()),
             QStringList({"Rohmaterial", "Teile", "Bericht", "Einstellungen"}));
    QCOMPARE(next.parts.Cell(2, 0), std::string("Länge"));
    tralvin::ui::TSDIAppForm window(tralvin::RunStartupSteps(folder, {}));
    QCOMPARE(TabTexts(&window), QStringList({"Rohmaterial", "Teile", "Bericht", "Einstellungen"}));

    // Either "English" item returns to the built-in texts.
    for (int row : {0, 9}) {
      AnswerWith(13, "btnOK");
      QVERIFY(tralvin::ui::btnSelectLanguageClick(form, next.captions, folder, nullptr));
      QCOMPARE(next.captions.Text("Tab Report"), std::string("Bericht"));
      AnswerWith(row, "btnOK");
      QVERIFY(tralvin::ui::btnSelectLanguageClick(form, next.captions, folder, nullptr));
      QCOMPARE(next.captions.Text("Tab Report"), std::string("Report"));
    }
  }

  // In the main window: the Settings page's "Select Language" button, and the
  // edit group's Confirm, relabel the window at once.
  void mainWindowSettingsPage() {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    tralvin::ui::TSDIAppForm window(tralvin::RunStartupSteps(folder, {}));
    window.show();
    auto* language = window.findChild<QPushButton*>("btnSelectLanguage");
    QVERIFY(language != nullptr);
    QCOMPARE(language->parentWidget()->parentWidget(), window.Page("TabSheetSetup"));
    AnswerWith(13, "btnOK");
    QTest::mouseClick(language, Qt::LeftButton);
    QCOMPARE(TabTexts(&window), QStringList({"Rohmaterial", "Teile", "Bericht", "Einstellungen"}));
    QCOMPARE(window.State().sheets.Cell(0, 0), std::string("Bezeichnung"));
    QVERIFY(QFile::exists(dir.filePath("default.cap")));

    auto* combo = window.findChild<QComboBox*>("ComboBoxInterfaceCaption");
    const int item = combo->findText("Tab Report");
    combo->setCurrentIndex(item);
    emit combo->activated(item);
    auto* caption = window.findChild<QLineEdit*>("EditModifyCaption");
    QCOMPARE(caption->text(), QString("Bericht"));
    caption->setText("Zuschnittliste");
    QTest::mouseClick(window.findChild<QPushButton*>("ButtonConfirmCaption"), Qt::LeftButton);
    QCOMPARE(TabTexts(&window).at(2), QString("Zuschnittliste"));
    // Hidden before it is destroyed: the window's grids read its state while
    // they are hidden, and the state goes first.
    window.hide();
  }

  void okWithoutSelectionAndCancelChooseNothing() {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    tralvin::CaptionTable table;
    TFormSelectLanguage form;
    AnswerWith(-1, "btnOK");
    QVERIFY(!tralvin::ui::btnSelectLanguageClick(form, table, folder, nullptr));
    QCOMPARE(form.SelectedLanguage, QString());
    AnswerWith(13, "btnCancel");
    QVERIFY(!tralvin::ui::btnSelectLanguageClick(form, table, folder, nullptr));
    QCOMPARE(form.SelectedLanguage, QString());
    QVERIFY(!QFile::exists(dir.filePath("default.cap")));
    QCOMPARE(table.Text("Tab Report"), std::string("Report"));

    // A language without a caption file changes nothing but writes default.cap.
    AnswerWith(26, "btnOK");
    QVERIFY(tralvin::ui::btnSelectLanguageClick(form, table, folder, nullptr));
    QCOMPARE(form.SelectedLanguage, QString("Turkish"));
    QCOMPARE(table.Text("Tab Report"), std::string("Report"));
    QVERIFY(QFile::exists(dir.filePath("default.cap")));
  }
};

QTEST_MAIN(TestSelectLanguage)
#include "test_select_language.moc"
