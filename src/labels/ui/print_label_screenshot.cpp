// The label window as a picture for the screenshots program.
#include "labels/ui/print_label_screenshot.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/startup.h"
#include "labels/ui/print_label_form.h"
#include "labels/ui/print_table_labels.h"

namespace tralvin::ui {

QString WritePrintLabelScreenshot(const QString& folder) {
  QTemporaryDir start;
  if (!start.isValid()) return {};
  QFile opt(start.filePath("default.opt"));
  if (!opt.open(QIODevice::WriteOnly)) return {};
  opt.write(
      "[LABEL_SCHEME_1]\r\nComboBoxMeasure=1\r\nEditLabelColNumber=3\r\nEditLabelRowNumber=8\r\n"
      "EditLabelHorizontalGap=2\r\nEditLabelVerticalGap=0\r\nEditWidthMarge=10\r\n"
      "EditLengthMarge=8\r\nCheckBoxTopTitle=1\r\nEditTopTitleCaption=\"Job: \"\r\n"
      "ComboBoxTopTitleData=7\r\nEditTopTitleWidth=7\r\nCheckBoxLeftTitle=0\r\n"
      "EditLeftTitleLength=20\r\nScrollBarLabelRowCount=3\r\nScrollBarLabelColCount=2\r\n"
      "StringGridLabelDataFormat_1_1=name\r\nStringGridLabelDataFormat_1_2=length\r\n"
      "StringGridLabelDataFormat_2_1=Stocks Type\r\nStringGridLabelDataFormat_2_2=note\r\n"
      "StringGridLabelDataFormat_3_1=date\r\nStringGridLabelDataFormat_3_2=time\r\n"
      "StringGridLabelDataFormat_WIDTH_1=60\r\nStringGridLabelDataFormat_WIDTH_2=80\r\n");
  opt.close();
  StartupState state(start.path().toStdString());
  state.settings.EditPrintTitle = "Order 2041";
  state.sheets.SetRowCount(5);
  state.sheets.SetRow(1, {"AL-6000", "Aluminium", "6000", "3", "", "", "rack A"});
  state.sheets.SetRow(2, {"ST-4500", "Steel", "4500", "2", "", "", "rack C"});
  state.sheets.SetRow(3, {"OAK-3000", "Oak", "3000 1/2", "1", "", "", ""});
  TFormPrintLabel form(state.settings);
  QString written;
  PrintTableLabels(nullptr, form, state, LabelTable::Stocks, [&](TFormPrintLabel& f) {
    f.resize(f.sizeHint().expandedTo(QSize(900, 640)));
    f.show();
    QApplication::processEvents();
    const QString file = QDir(folder).filePath("print_label.png");
    if (f.grab().save(file)) written = file;
    f.hide();
  });
  return written;
}

}  // namespace tralvin::ui
