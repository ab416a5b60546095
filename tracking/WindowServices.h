#pragma once

namespace tw {

class MessageBoxes;

// The seams through which the windows reach the user's desktop. The program fills them with
// the Qt implementations (app/); tests fill them with recorders and scripted answers.
struct WindowServices {
  MessageBoxes& messages;
};

}  // namespace tw
