// The Print Label buttons of the Stocks and Pieces pages.
#include "labels/ui/print_table_labels.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include "app/startup.h"
#include "app/ui/message_box.h"
#include "labels/ui/print_label_form.h"

namespace tralvin::ui {

namespace {

// Date in the short and time in the long form of the system's locale.
std::pair<std::string, std::string> LocaleDateTime() {
  const QLocale locale = QLocale::system();
  return {locale.toString(QDate::currentDate(), QLocale::ShortFormat).toStdString(),
          locale.toString(QTime::currentTime(), QLocale::LongFormat).toStdString()};
}

}  // namespace

std::optional<GridFailure> PrintTableLabels(QWidget* parent, TFormPrintLabel& form,
                                            StartupState& state, LabelTable table) {
  return PrintTableLabels(parent, form, state, table, [](TFormPrintLabel& f) { f.exec(); });
}

std::optional<GridFailure> PrintTableLabels(QWidget* parent, TFormPrintLabel& form,
                                            StartupState& state, LabelTable table,
                                            const std::function<void(TFormPrintLabel&)>& show) {
  StringGrid& grid = table == LabelTable::Stocks ? state.sheets : state.parts;
  LabelSource source = ReadLabelSource(table, grid, state.bestDimensionMode, state.settings,
                                       state.captions, LocaleDateTime);
  if (source.failure) {
    ShowWarning(parent, QString::fromStdString(source.failure->message));
    return source.failure;
  }
  form.ApplyCaptions(state.captions);
  form.SetLabelData(std::move(source.data));
  int& remembered = RememberedLabelScheme(state.settings, table);
  form.SelectSchemeItem(remembered);
  show(form);
  remembered = form.SchemeItem();
  return std::nullopt;
}

}  // namespace tralvin::ui
