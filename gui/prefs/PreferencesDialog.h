#pragma once

#include <QDialog>

namespace tw {

class AccountPage;
class DnsResolver;
class GeneralPage;
class MessageBoxes;

// Preferences, from the main window's menu and the tray: a general page and the calendar
// account. Changes apply at once; Close (and Enter, Escape) only closes, cancelling a look at
// the server under way without waiting for it.
class PreferencesDialog : public QDialog {
  Q_OBJECT

 public:
  PreferencesDialog(DnsResolver& dns, MessageBoxes& messages, QWidget* parent = nullptr);

  GeneralPage& general() { return *general_; }
  AccountPage& account() { return *account_; }
  // Opens on the calendar account.
  void showAccount();

 protected:
  void done(int result) override;

 private:
  GeneralPage* general_;
  AccountPage* account_;
};

}  // namespace tw
