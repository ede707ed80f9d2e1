// The Print Label buttons of the main window.
#include "labels/ui/label_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <algorithm>

#include "app/ui/main_window.h"
#include "labels/ui/print_label_form.h"
#include "labels/ui/print_table_labels.h"
#include "tables/ui/table_page.h"

namespace tralvin::ui {

TFormPrintLabel* AddLabelButtons(TSDIAppForm& window, QPrinter& printer) {
  auto* form = new TFormPrintLabel(window.State().settings, &printer, &window);
  form->setModal(true);
  const struct {
    const char* button;
    LabelTable table;
    TablePage* page;
  } buttons[] = {{"ButtonPrintSheetLabel", LabelTable::Stocks, window.SheetsPage()},
                 {"ButtonPrintPartLabel", LabelTable::Pieces, window.PartsPage()}};
  for (const auto& b : buttons) {
    if (b.page == nullptr) continue;
    auto* button = new QPushButton(
        QString::fromStdString(window.State().captions.Text("sPrintLabel")), b.page);
    button->setObjectName(b.button);
    // Beside the page's own buttons, before the row's closing stretch.
    QHBoxLayout* bar = b.page->ButtonBar();
    bar->insertWidget(std::max(0, bar->count() - 1), button);
    QObject::connect(button, &QPushButton::clicked, form, [&window, form, b] {
      b.page->FinishEditing();
      if (auto failure = PrintTableLabels(&window, *form, window.State(), b.table)) {
        b.page->SelectFailureCell(failure->cell);
      }
    });
  }
  return form;
}

}  // namespace tralvin::ui
