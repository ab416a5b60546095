#include "gui/prefs/AccountPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <vector>

#include "core/IniUpdate.h"
#include "core/Settings.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/WindowError.h"
#include "gui/prefs/BackgroundCall.h"
#include "gui/prefs/TaskListChoice.h"
#include "sync/HttpClient.h"
#include "sync/Keyring.h"

namespace tw {
namespace {

// A look at the server waits at most this long for each answer.
constexpr long kTestSeconds = 20;

// The time log left to the synchronisation: the calendar "timelog" of the calendar home, made
// when it is missing.
QString foundOrMadeTimeLog() {
  return AccountPage::tr("“Time log”, found or made on the server");
}

QString sentence(QString text) {
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  return text;
}

}  // namespace

AccountPage::AccountPage(DnsResolver& dns, MessageBoxes& messages, QWidget* parent)
    : QWidget(parent), dns_(dns), messages_(messages), call_(new BackgroundCall(this)) {
  build();
  loadAccount();
}

AccountPage::~AccountPage() {
  cancel();
}

void AccountPage::build() {
  server_ = new QLineEdit(this);
  server_->setObjectName(QStringLiteral("server"));
  server_->setPlaceholderText(tr("https://…, a host name or your e-mail address"));
  user_ = new QLineEdit(this);
  user_->setObjectName(QStringLiteral("user"));
  password_ = new QLineEdit(this);
  password_->setObjectName(QStringLiteral("password"));
  password_->setEchoMode(QLineEdit::Password);
  test_ = new QPushButton(tr("&Test connection"), this);
  test_->setObjectName(QStringLiteral("test"));
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("status"));
  status_->setWordWrap(true);
  status_->setTextFormat(Qt::PlainText);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  taskLists_ = new TaskListChoice(this);
  timelog_ = new QComboBox(this);
  timelog_->setObjectName(QStringLiteral("timelog"));
  save_ = new QPushButton(tr("&Save account"), this);
  save_->setObjectName(QStringLiteral("save"));
  syncNow_ = new QPushButton(tr("S&ynchronise now"), this);
  syncNow_->setObjectName(QStringLiteral("syncNow"));
  for (QPushButton* b : {test_, save_, syncNow_}) b->setAutoDefault(false);

  auto* form = new QFormLayout;
  form->addRow(tr("Server:"), server_);
  form->addRow(tr("User name:"), user_);
  form->addRow(tr("Password:"), password_);
  form->addRow(QString(), test_);
  form->addRow(tr("Task lists:"), taskLists_);
  form->addRow(tr("Time log:"), timelog_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(save_);
  buttons->addWidget(syncNow_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(status_, 1, Qt::AlignTop);
  layout->addLayout(buttons);

  for (QLineEdit* field : {server_, user_, password_}) field->installEventFilter(this);
  connect(test_, &QPushButton::clicked, this, &AccountPage::test);
  connect(save_, &QPushButton::clicked, this, &AccountPage::save);
  connect(syncNow_, &QPushButton::clicked, this, &AccountPage::syncRequested);
  connect(call_, &BackgroundCall::finished, this, [this](const QString& failure) {
    test_->setText(tr("&Test connection"));
    if (found_)
      tested(failure);
    else
      saved(failure);
  });
}

// Enter in a field tests the account (it changes nothing), rather than closing the dialog.
bool AccountPage::eventFilter(QObject* watched, QEvent* event) {
  const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
  if (!key || (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter))
    return QWidget::eventFilter(watched, event);
  test();
  return true;
}

void AccountPage::loadAccount() {
  try {
    if (const std::optional<SyncConfig> config = SyncConfig::loadDefault()) saved_ = *config;
  } catch (const std::exception& e) {
    say(tr("The account's settings cannot be read: %1").arg(WindowError::describe(e)));
  }
  server_->setText(QString::fromStdString(saved_.url));
  user_->setText(QString::fromStdString(saved_.username));
  if (!saved_.url.empty())
    password_->setPlaceholderText(saved_.passwordCommand.empty() && saved_.passwordFile.empty()
                                      ? tr("as kept in the keyring")
                                      : tr("from password_command or password_file"));
  taskLists_->showSaved(saved_);
  timelog_->clear();
  if (!saved_.timelog.empty())
    timelog_->addItem(QString::fromStdString(saved_.timelog),
                      QString::fromStdString(saved_.timelog));
  timelog_->addItem(foundOrMadeTimeLog(), QString());
  save_->setEnabled(false);
  syncNow_->setEnabled(!saved_.url.empty());
}

void AccountPage::test() {
  if (call_->running()) {
    call_->cancel();
    return;
  }
  found_ = std::make_shared<ServiceFinder::Found>();
  SyncConfig account = saved_;
  account.username = user_->text().trimmed().toStdString();
  const std::string typed = password_->text().toStdString();
  const std::string address = server_->text().trimmed().toStdString();
  const bool sameAccount = account.url == address && account.username == saved_.username;
  call_->start([found = found_, account, typed, address, sameAccount,
                &dns = dns_](const std::atomic<bool>& cancelled) {
    // Without a password typed, the account's own (its command, file or keyring).
    const std::string password = typed.empty() && sameAccount ? account.password() : typed;
    HttpClient::Limits limits;
    limits.seconds = kTestSeconds;
    limits.caFile = account.caFile;
    HttpClient http(account.username, password, 1, limits);
    http.stopWhen([&cancelled] { return cancelled.load(); });
    *found = ServiceFinder(dns, http).find(address);
  });
  test_->setText(tr("Cancel &test"));
  save_->setEnabled(false);
  say(tr("Looking for the calendars of %1…").arg(server_->text().trimmed()));
}

void AccountPage::tested(const QString& failure) {
  if (!failure.isEmpty()) {
    found_.reset();
    say(sentence(failure));
    return;
  }
  const ServiceFinder::Found& f = *found_;
  QStringList names;
  for (const DavClient::Calendar& c : f.calendars)
    names << (c.name.empty() ? QString::fromStdString(c.url) : QString::fromStdString(c.name));
  say(tr("Connected to %1. Your calendars are at %2: %3.")
          .arg(QString::fromStdString(f.url), QString::fromStdString(f.home),
               names.isEmpty() ? tr("none yet") : names.join(QStringLiteral(", "))));
  taskLists_->offer(f.calendars, f.home, saved_);
  fillTimeLog();
  save_->setEnabled(true);
}

// The calendars found that take events, and the one left to the synchronisation. The one
// chosen before stays chosen; else the synchronisation's (the time log fills a calendar with
// events: never one of the user's by itself).
void AccountPage::fillTimeLog() {
  const QString chosen = timelog_->currentData().toString();
  timelog_->clear();
  for (const DavClient::Calendar& c : found_->calendars) {
    if (!c.components.empty() &&
        std::find(c.components.begin(), c.components.end(), "VEVENT") == c.components.end())
      continue;
    timelog_->addItem(
        c.name.empty() ? QString::fromStdString(c.url) : QString::fromStdString(c.name),
        QString::fromStdString(c.url));
  }
  timelog_->addItem(foundOrMadeTimeLog(), QString());
  const int again = chosen.isEmpty() ? -1 : timelog_->findData(chosen);
  timelog_->setCurrentIndex(again >= 0 ? again : timelog_->count() - 1);
}

void AccountPage::save() {
  if (!found_ || call_->running()) return;
  const std::string url = found_->home;
  const std::string user = user_->text().trimmed().toStdString();
  const std::string password = password_->text().toStdString();
  const auto chosen = [](QComboBox* box) -> std::optional<std::string> {
    const QString url = box->currentData().toString();
    if (url.isEmpty()) return std::nullopt;
    return url.toStdString();
  };
  std::vector<IniUpdate::Change> changes{{"server", "url", url},
                                         {"server", "username", user},
                                         {"server", "timelog", chosen(timelog_)}};
  for (IniUpdate::Change& change : taskLists_->changes()) changes.push_back(std::move(change));
  // A password typed goes to the keyring, which then gives it; else the account's own way
  // to it stays (also when it came from the old sync.ini).
  const auto kept = [&password](const std::string& value) -> std::optional<std::string> {
    if (!password.empty() || value.empty()) return std::nullopt;
    return value;
  };
  changes.push_back({"server", "password_command", kept(saved_.passwordCommand)});
  changes.push_back({"server", "password_file", kept(saved_.passwordFile)});
  if (!saved_.caFile.empty()) changes.push_back({"server", "ca_file", saved_.caFile});
  found_.reset();
  save_->setEnabled(false);
  say(tr("Saving the account…"));
  call_->start([url, user, password, changes](const std::atomic<bool>&) {
    if (!password.empty()) Keyring::store(url, user, password);
    IniUpdate::write(Settings::defaultPath(), changes);
  });
}

void AccountPage::saved(const QString& failure) {
  if (!failure.isEmpty()) {
    say(tr("The account was not saved: %1").arg(failure));
    messages_.show(tr("The account was not saved: %1").arg(failure), MessageBoxes::Icon::Warning);
    return;
  }
  const bool typed = !password_->text().isEmpty();
  password_->clear();
  loadAccount();
  say(typed ? tr("The account is saved; its password is in the keyring.")
            : tr("The account is saved."));
  emit accountChanged();
}

void AccountPage::showSyncStatus(const QString& text) {
  say(text);
}

void AccountPage::say(const QString& text) {
  status_->setText(text);
}

void AccountPage::cancel() {
  call_->cancel();
}

}  // namespace tw
