// Setting captions and hints on controls found by objectName.
#include "texts/ui/caption_applier.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>
#include <utility>

#include "app/refresh_caption.h"
#include "texts/caption_refresh.h"

namespace tralvin::ui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The tab widget that shows `page` as one of its pages, and its index.
QTabWidget* TabOf(const QObject* page, int& index) {
  const auto* widget = qobject_cast<const QWidget*>(page);
  if (widget == nullptr) return nullptr;
  for (QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* tabs = qobject_cast<QTabWidget*>(up)) {
      index = tabs->indexOf(const_cast<QWidget*>(widget));
      return index >= 0 ? tabs : nullptr;
    }
  }
  return nullptr;
}

// The label whose buddy is `edit` (the caption of a labelled edit box).
QLabel* BuddyLabelOf(const QLineEdit* edit) {
  QWidget* top = edit->window();
  for (QLabel* label : top->findChildren<QLabel*>()) {
    if (label->buddy() == edit) return label;
  }
  return nullptr;
}

// Menu items that run an action are that action in Qt; it carries the
// action's name (the standard edit actions, Exit and About).
constexpr std::pair<const char*, const char*> kMenuItemActions[] = {
    {"FileExitItem", "FileExit1"}, {"CutItem", "EditCut1"},         {"CopyItem", "EditCopy1"},
    {"PasteItem", "EditPaste1"},   {"HelpAboutItem", "HelpAbout1"},
};

QList<QObject*> Named(QWidget* root, const std::string& name) {
  const QString objectName = Q(name);
  QList<QObject*> found;
  if (root->objectName() == objectName) found.append(root);
  found.append(root->findChildren<QObject*>(objectName));
  if (found.isEmpty()) {
    for (const auto& [item, action] : kMenuItemActions) {
      if (name != item) continue;
      for (QAction* a : root->findChildren<QAction*>(action)) found.append(a);
    }
  }
  return found;
}

}  // namespace

void SetControlCaption(QObject* control, const QString& caption) {
  int index = -1;
  if (QTabWidget* tabs = TabOf(control, index)) {
    tabs->setTabText(index, caption);
  } else if (auto* menu = qobject_cast<QMenu*>(control)) {
    menu->setTitle(caption);
  } else if (auto* action = qobject_cast<QAction*>(control)) {
    action->setText(caption);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(caption);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(caption);
  } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
    group->setTitle(caption);
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    if (QLabel* label = BuddyLabelOf(edit)) label->setText(caption);
  }
}

void SetControlHint(QObject* control, const QString& hint) {
  int index = -1;
  if (QTabWidget* tabs = TabOf(control, index)) {
    tabs->setTabToolTip(index, hint);
  } else if (auto* action = qobject_cast<QAction*>(control)) {
    action->setToolTip(hint);
  } else if (auto* widget = qobject_cast<QWidget*>(control)) {
    widget->setToolTip(hint);
    // A tool button takes its action's tool tip again whenever the action
    // changes (enabled, text), so the action carries the hint too.
    if (auto* tool = qobject_cast<QToolButton*>(widget)) {
      if (QAction* action = tool->defaultAction()) action->setToolTip(hint);
    }
  }
}

QString ControlCaption(const QObject* control) {
  int index = -1;
  if (QTabWidget* tabs = TabOf(control, index)) return tabs->tabText(index);
  if (auto* menu = qobject_cast<const QMenu*>(control)) return menu->title();
  if (auto* action = qobject_cast<const QAction*>(control)) return action->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (auto* group = qobject_cast<const QGroupBox*>(control)) return group->title();
  if (auto* edit = qobject_cast<const QLineEdit*>(control)) {
    if (QLabel* label = BuddyLabelOf(edit)) return label->text();
  }
  return {};
}

QString ControlHint(const QObject* control) {
  int index = -1;
  if (QTabWidget* tabs = TabOf(control, index)) return tabs->tabToolTip(index);
  if (auto* action = qobject_cast<const QAction*>(control)) return action->toolTip();
  if (auto* widget = qobject_cast<const QWidget*>(control)) return widget->toolTip();
  return {};
}

void ApplyCaptions(QWidget* root, const CaptionTable& table) {
  if (root == nullptr) return;
  for (const CaptionEntry& entry : table.Entries()) {
    if (entry.control.empty()) continue;
    for (QObject* control : Named(root, entry.control)) {
      if (entry.kind != CaptionKind::ToolButton) SetControlCaption(control, Q(entry.caption));
      if (entry.kind != CaptionKind::MenuItem) SetControlHint(control, Q(entry.hint));
    }
  }
  for (const DerivedControlText& d : DerivedControlTexts(table)) {
    std::optional<QString> caption, hint;
    if (d.caption) caption = Q(*d.caption);
    if (d.hint) hint = Q(*d.hint);
    if (!d.source.empty()) {
      const QList<QObject*> sources = Named(root, d.source);
      if (sources.isEmpty()) continue;
      caption = ControlCaption(sources.front());
      hint = ControlHint(sources.front());
    }
    for (QObject* control : Named(root, d.control)) {
      if (caption) SetControlCaption(control, *caption);
      if (hint) SetControlHint(control, *hint);
    }
  }
}

void RefreshCaptionWidgets(QWidget* root, StartupState& state) {
  RefreshCaption(state);
  ApplyCaptions(root, state.captions);
}

}  // namespace tralvin::ui
