#include "gui/prefs/PreferencesDialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/Settings.h"
#include "gui/prefs/AccountPage.h"
#include "gui/prefs/GeneralPage.h"

namespace tw {

PreferencesDialog::PreferencesDialog(DnsResolver& dns, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent),
      general_(new GeneralPage(Settings::defaultPath(), messages)),
      account_(new AccountPage(dns, messages)) {
  setWindowTitle(tr("Preferences — Tallyworks"));
  auto* tabs = new QTabWidget(this);
  tabs->setObjectName(QStringLiteral("pages"));
  tabs->addTab(general_, tr("&General"));
  tabs->addTab(account_, tr("&Calendar account"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setDefault(true);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // Opening the account puts the cursor in its first field.
  account_->setFocusProxy(account_->findChild<QWidget*>(QStringLiteral("server")));
  connect(tabs, &QTabWidget::currentChanged, this, [this, tabs] {
    if (tabs->currentWidget() == account_) account_->setFocus();
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addWidget(buttons);
}

void PreferencesDialog::showAccount() {
  findChild<QTabWidget*>(QStringLiteral("pages"))->setCurrentWidget(account_);
}

void PreferencesDialog::done(int result) {
  account_->cancel();
  QDialog::done(result);
}

}  // namespace tw
