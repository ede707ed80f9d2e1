// The material type setup window (TFormSetupTypeString): a name field and a
// list of types with a check box each; the checked types take part in
// optimisation. Binds the core's TypeSetupWindow model.
#pragma once

#include <QDialog>
#include <string>

#include "tables/material_types_setup.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tralvin {
class CaptionTable;
}

namespace tralvin::ui {

class TFormSetupTypeString : public QDialog {
  Q_OBJECT

 public:
  // `lists` are the program's MaterialTypes and SelectedTypes; "Save" writes
  // them to `typesFileName`.
  TFormSetupTypeString(MaterialTypeLists& lists, std::string typesFileName,
                       QWidget* parent = nullptr);

  // Window caption and hint from ButtonTypeSetup, the button captions from
  // their caption entries, the name label from GroupBoxMaterialType.
  void ApplyCaptions(const CaptionTable& captions);

  const TypeSetupWindow& Model() const { return model_; }

  // The window's operations, as its buttons call them.
  void onenter();
  void ButtonAddGlassTypeClick();
  void ButtonModifyGlassTypeClick();
  void ButtonDeleteGlassTypeClick();
  void ButtonRemoveAllGlassTypeClick();
  void ButtonSaveTypeListClick();
  void ButtonCloseTypeSetupClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void PutTypeInList();  // the list widget from the model
  void TakeFieldText();

  MaterialTypeLists& lists_;
  std::string typesFileName_;
  TypeSetupWindow model_;
  bool filling_ = false;
  QLabel* label_;
  QLineEdit* name_;
  QListWidget* list_;
  QPushButton *add_, *modify_, *delete_, *removeAll_, *save_, *close_;
};

}  // namespace tralvin::ui
