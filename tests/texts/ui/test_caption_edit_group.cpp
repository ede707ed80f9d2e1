// The caption editing group: choosing an entry fills the boxes by kind,
// Confirm changes that entry alone, Load and Save go through the file dialog,
// Set As Default writes default.cap, and "Custom Captions" shows the group.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "app/ui/message_box.h"
#include "texts/caption_file.h"
#include "texts/ui/caption_edit_group.h"

using tralvin::CaptionTable;
using tralvin::ui::CaptionEditGroup;

class TestCaptionEditGroup : public QObject {
  Q_OBJECT

  static void Choose(CaptionEditGroup& group, const QString& key) {
    auto* combo = group.findChild<QComboBox*>("ComboBoxInterfaceCaption");
    const int index = combo->findText(key);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
  static QLineEdit* Edit(CaptionEditGroup& g, const char* name) {
    return g.findChild<QLineEdit*>(name);
  }
  static void Click(CaptionEditGroup& g, const char* name) {
    QTest::mouseClick(g.findChild<QPushButton*>(name), Qt::LeftButton);
  }

 private slots:
  void choosingAndConfirming() {
    CaptionTable table;
    CaptionEditGroup group(table, QDir::tempPath());
    group.show();
    QSignalSpy changed(&group, &CaptionEditGroup::captionsChanged);
    QCOMPARE(group.findChild<QComboBox*>("ComboBoxInterfaceCaption")->count(), 144);

    Choose(group, "Load File Button");
    QCOMPARE(Edit(group, "EditModifyCaption")->text(), QString("Load"));
    QCOMPARE(Edit(group, "EditModifyHint")->text(),
             QString("Load a table file and replace all existing data"));
    Edit(group, "EditModifyCaption")->clear();
    QTest::keyClicks(Edit(group, "EditModifyCaption"), "Laden");
    Click(group, "ButtonConfirmCaption");
    QCOMPARE(table.Text("Load File Button"), std::string("Laden"));
    QCOMPARE(changed.count(), 1);

    // A text entry hides the hint box; a tool button the caption box.
    Choose(group, "TRUE Caption");
    QVERIFY(Edit(group, "EditModifyHint")->isHidden());
    QVERIFY(!Edit(group, "EditModifyCaption")->isHidden());
    Choose(group, "Help Tool Button");
    QVERIFY(Edit(group, "EditModifyCaption")->isHidden());
    QCOMPARE(Edit(group, "EditModifyHint")->text(), QString("Help"));

    // A group heading empties and shows both boxes; Confirm changes nothing.
    Choose(group, "----------TAB-------------------");
    QVERIFY(!Edit(group, "EditModifyCaption")->isHidden());
    QVERIFY(!Edit(group, "EditModifyHint")->isHidden());
    QCOMPARE(Edit(group, "EditModifyHint")->text(), QString());
    QTest::keyClicks(Edit(group, "EditModifyCaption"), "x");
    const CaptionTable before = table;
    Click(group, "ButtonConfirmCaption");
    for (size_t i = 0; i < table.Entries().size(); ++i) {
      QCOMPARE(table.Entries()[i].caption, before.Entries()[i].caption);
    }

    // A click in a box selects its whole text.
    Choose(group, "Tab Report");
    QTest::mouseClick(Edit(group, "EditModifyCaption"), Qt::LeftButton);
    QCOMPARE(Edit(group, "EditModifyCaption")->selectedText(), QString("Report"));
  }

  void loadSaveAndDefault() {
    QTemporaryDir dir;
    CaptionTable table;
    CaptionEditGroup group(table, dir.path());
    QSignalSpy changed(&group, &CaptionEditGroup::captionsChanged);
    QString answer;
    QStringList asked;
    group.SetFileDialog([&](QWidget*, bool save, const QString& title, const QString& filter) {
      asked << QString("%1|%2|%3").arg(save).arg(title, filter);
      return answer;
    });
    // Cancelled: nothing happens.
    Click(group, "ButtonLoadCaption");
    QCOMPARE(changed.count(), 0);
    QFile f(dir.filePath("mine.cap"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[CAPTION]\r\nTab Report=Bericht\r\n");
    f.close();
    answer = dir.filePath("mine.cap");
    Click(group, "ButtonLoadCaption");
    QCOMPARE(table.Text("Tab Report"), std::string("Bericht"));
    QCOMPARE(changed.count(), 1);

    answer = dir.filePath("saved.cap");
    Click(group, "ButtonSaveCaption");
    QCOMPARE(changed.count(), 1);  // saving does not refresh
    CaptionTable back;
    tralvin::LoadCaptionFile(back, answer.toStdString());
    QCOMPARE(back.Text("Tab Report"), std::string("Bericht"));
    QCOMPARE(asked, QStringList({"0|open a file|open a file(*.cap)",
                                 "0|open a file|open a file(*.cap)", "1|save as|save as(*.cap)"}));

    Click(group, "ButtonSetAsDefaultCaption");
    CaptionTable fromDefault;
    tralvin::LoadCaptionFile(fromDefault, dir.filePath("default.cap").toStdString());
    QCOMPARE(fromDefault.Text("Tab Report"), std::string("Bericht"));

    // A file that cannot be written is reported, not passed over.
    tralvin::ui::MessageRecorder boxes;
    answer = dir.filePath("no/such/folder/x.cap");
    Click(group, "ButtonSaveCaption");
    QCOMPARE(boxes.Texts().size(), 1);
    QVERIFY(boxes.Texts().front().startsWith("Unable to write to"));
  }

  void customCaptionsShowsTheGroup() {
    QWidget page;
    CaptionTable table;
    auto* group = new CaptionEditGroup(table, QDir::tempPath(), &page);
    QCheckBox* box = tralvin::ui::MakeCustomCaptionCheckBox(group, &page);
    page.show();
    QCOMPARE(box->objectName(), QString("CheckBoxCustomCaption"));
    QVERIFY(!group->isVisible());
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(group->isVisible());
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!group->isVisible());
  }
};

QTEST_MAIN(TestCaptionEditGroup)
#include "test_caption_edit_group.moc"
