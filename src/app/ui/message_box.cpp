// The one way windows show a message box, so that tests can answer it instead of a user.
#include "app/ui/message_box.h"

#include <QApplication>

#include "base/product.h"

namespace tralvin::ui {

namespace {

MessageAnswerer& Answerer() {
  static MessageAnswerer answerer;
  return answerer;
}

QMessageBox::StandardButton FirstButton(QMessageBox::StandardButtons buttons) {
  for (unsigned bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1) {
    if (buttons & bit) return static_cast<QMessageBox::StandardButton>(bit);
  }
  return QMessageBox::NoButton;
}

}  // namespace

QMessageBox::StandardButton ShowMessage(QWidget* parent, const MessageRequest& request) {
  if (Answerer()) return Answerer()(request);
  QMessageBox box(request.icon,
                  request.title.isEmpty() ? QString::fromUtf8(kProductName) : request.title,
                  request.text, request.buttons, parent);
  if (request.defaultButton != QMessageBox::NoButton) box.setDefaultButton(request.defaultButton);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void ShowWarning(QWidget* parent, const QString& text) {
  ShowMessage(parent, {QMessageBox::Warning, {}, text, QMessageBox::Yes, QMessageBox::Yes});
}

QMessageBox::StandardButton AskQuestion(QWidget* parent, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) {
  return ShowMessage(parent, {QMessageBox::Question, {}, text, buttons, defaultButton});
}

void SetMessageAnswerer(MessageAnswerer answerer) { Answerer() = std::move(answerer); }

MessageRecorder::MessageRecorder(QMessageBox::StandardButton answer) {
  SetMessageAnswerer([this, answer](const MessageRequest& request) {
    requests_.push_back(request);
    if (answer != QMessageBox::NoButton && (request.buttons & answer)) return answer;
    return FirstButton(request.buttons);
  });
}

MessageRecorder::~MessageRecorder() { SetMessageAnswerer({}); }

QStringList MessageRecorder::Texts() const {
  QStringList texts;
  for (const MessageRequest& r : requests_) texts.push_back(r.text);
  return texts;
}

}  // namespace tralvin::ui
