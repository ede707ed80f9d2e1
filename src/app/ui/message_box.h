// The one way windows show a message box, so that tests can answer it instead of a user.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

namespace tralvin::ui {

// One message box as a window asks for it.
struct MessageRequest {
  QMessageBox::Icon icon = QMessageBox::Warning;
  QString title;
  QString text;
  QMessageBox::StandardButtons buttons = QMessageBox::Yes;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Shows `request` modally over `parent` and returns the button pressed. While an
// answerer is installed, it is asked instead and no box appears.
QMessageBox::StandardButton ShowMessage(QWidget* parent, const MessageRequest& request);

// The warning box of a failed job, validation or file operation: one "Yes" button.
void ShowWarning(QWidget* parent, const QString& text);

// A question with the given buttons; returns the one pressed.
QMessageBox::StandardButton AskQuestion(QWidget* parent, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton);

// Tests install an answerer; every box is then passed to it and never shown.
using MessageAnswerer = std::function<QMessageBox::StandardButton(const MessageRequest&)>;
void SetMessageAnswerer(MessageAnswerer answerer);

// For tests: records every box shown while it lives and answers each with the
// first of its buttons (or `answer` when that is one of them).
class MessageRecorder {
 public:
  explicit MessageRecorder(QMessageBox::StandardButton answer = QMessageBox::NoButton);
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  const QList<MessageRequest>& Requests() const { return requests_; }
  QStringList Texts() const;
  void Clear() { requests_.clear(); }

 private:
  QList<MessageRequest> requests_;
};

}  // namespace tralvin::ui
