#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <stdexcept>
#include <vector>

#include "reporting/ReportPrinter.h"
#include "reporting/SaveDialog.h"
#include "tracking/DialogRunner.h"
#include "tracking/MessageBoxes.h"
#include "tracking/WindowServices.h"

namespace tw::testing {

struct RecordedMessage {
  QString text;
  QString title;
  MessageBoxes::Icon icon;
};

// Records every message; an optional hook runs while the "modal" box is open.
class RecordingMessageBoxes : public MessageBoxes {
 public:
  using MessageBoxes::show;
  void show(const QString& text, const QString& title, Icon icon) override {
    messages.push_back({text, title, icon});
    if (onShow) onShow(messages.back());
  }
  std::vector<RecordedMessage> messages;
  std::function<void(const RecordedMessage&)> onShow;
};

// Answers each save dialog with the next scripted path ("" = cancel).
class ScriptedSaveDialog : public SaveDialog {
 public:
  QString getSaveFileName(QWidget*, const QString& filter, const QString& defaultSuffix,
                          const QString& fileName) override {
    filters.push_back(filter);
    suffixes.push_back(defaultSuffix);
    offered.push_back(fileName);
    if (answers.empty()) return {};
    QString a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
  std::vector<QString> answers;
  std::vector<QString> filters, suffixes, offered;
};

class RecordingPrinter : public ReportPrinter {
 public:
  void print(const QString& text) override {
    if (!failure.isEmpty()) throw std::runtime_error(failure.toStdString());
    printed.push_back(text);
  }
  std::vector<QString> printed;
  QString failure;
};

// Runs the hook instead of a modal loop; returns the hook's result (0 when there is none).
class ScriptedDialogRunner : public DialogRunner {
 public:
  int exec(QDialog& dialog) override {
    shown.push_back(dialog.windowTitle());
    return onExec ? onExec(dialog) : 0;
  }
  std::vector<QString> shown;
  std::function<int(QDialog&)> onExec;
};

struct FakeWindowServices {
  RecordingMessageBoxes messages;
  ScriptedSaveDialog saveDialog;
  RecordingPrinter printer;
  ScriptedDialogRunner dialogs;
  WindowServices services{messages, saveDialog, printer, dialogs};
};

}  // namespace tw::testing
