#pragma once

namespace tw {

class Clock;
class DialogRunner;
class MessageBoxes;
class ReportPrinter;
class SaveDialog;

// The seams through which the windows reach the user's desktop and the time of day. The
// program fills them with the Qt implementations and the system clock; tests fill them with
// recorders, scripted answers and a hand-driven clock.
struct WindowServices {
  MessageBoxes& messages;
  SaveDialog& saveDialog;
  ReportPrinter& printer;
  DialogRunner& dialogs;
  const Clock& clock;
};

}  // namespace tw
