#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "sync/ServiceFinder.h"
#include "sync/SyncConfig.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tw {

class BackgroundCall;
class DnsResolver;
class MessageBoxes;
class TaskListChoice;

// The Preferences' calendar account: the server (an address, a host name or an e-mail
// address, found as ServiceFinder says), the user name and the password, which goes to the
// keyring and never into a file. "Test connection" looks for the account and its calendars off
// the window's thread and says what it found or what failed; the task lists shown, the one new
// tasks go to and the time log are then chosen from the calendars found, or made new by the
// next synchronisation. "Save"
// keeps the account in the settings file ([server]) and the password in the keyring.
class AccountPage : public QWidget {
  Q_OBJECT

 public:
  AccountPage(DnsResolver& dns, MessageBoxes& messages, QWidget* parent = nullptr);
  ~AccountPage() override;

  // Cancels a look at the server or a save under way; returns at once.
  void cancel();

 signals:
  // The account was saved.
  void accountChanged();
  void syncRequested();

 public slots:
  // What the synchronisation did, as it says it.
  void showSyncStatus(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build();
  void loadAccount();
  void test();
  void tested(const QString& failure);
  void fillTimeLog();
  void save();
  void saved(const QString& failure);
  void say(const QString& text);

  DnsResolver& dns_;
  MessageBoxes& messages_;
  BackgroundCall* call_ = nullptr;
  std::shared_ptr<ServiceFinder::Found> found_;
  // The account as saved (its password command or file and certificate stay).
  SyncConfig saved_;
  QLineEdit* server_ = nullptr;
  QLineEdit* user_ = nullptr;
  QLineEdit* password_ = nullptr;
  QPushButton* test_ = nullptr;
  QLabel* status_ = nullptr;
  TaskListChoice* taskLists_ = nullptr;
  QComboBox* timelog_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* syncNow_ = nullptr;
};

}  // namespace tw
