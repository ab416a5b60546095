#pragma once

namespace tw {

class DialogRunner;
class MessageBoxes;
class ReportPrinter;
class SaveDialog;

// The seams through which the windows reach the user's desktop. The program fills them with
// the Qt implementations (app/); tests fill them with recorders and scripted answers
// (tests/support/FakeWindowServices.h).
struct WindowServices {
  MessageBoxes& messages;
  SaveDialog& saveDialog;
  ReportPrinter& printer;
  DialogRunner& dialogs;
};

}  // namespace tw
