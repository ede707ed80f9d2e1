// The main window of the program: the four pages Stocks, Pieces, Report and
// Settings. It binds the core's models to widgets and holds no business logic.
#pragma once

#include <QMainWindow>

namespace tralvin::ui {

class TSDIAppForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TSDIAppForm(QWidget* parent = nullptr);
};

}  // namespace tralvin::ui
