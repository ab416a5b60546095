#include "gui/main/MainWindowMenu.h"

#include <QAction>
#include <QToolButton>

namespace tw {

namespace {

// A status longer than this is cut in the menu and shown whole as the entry's tooltip.
constexpr int kStatusChars = 60;

}  // namespace

MainWindowMenu::MainWindowMenu(QWidget& window)
    : QMenu(&window),
      window_(window),
      windowsEnd_(addSeparator()),
      syncStatus_(addAction(QString())),
      quit_(newEntry("quitAction", tr("&Quit"), Qt::CTRL | Qt::Key_Q, nullptr)),
      button_(new QToolButton(&window)) {
  setObjectName(QStringLiteral("mainMenu"));
  setToolTipsVisible(true);
  syncStatus_->setObjectName(QStringLiteral("syncStatusAction"));
  syncStatus_->setEnabled(false);
  syncStatus_->setVisible(false);
  insertSeparator(quit_);

  button_->setObjectName(QStringLiteral("menuButton"));
  button_->setText(QStringLiteral("\u2630"));
  button_->setToolTip(tr("Menu (F10)"));
  button_->setAccessibleName(tr("Menu"));
  connect(button_, &QToolButton::clicked, this, &MainWindowMenu::openBelowButton);
  QAction* open = newEntry("menuAction", QString(), QKeySequence(Qt::Key_F10), nullptr);
  removeAction(open);
  connect(open, &QAction::triggered, this, &MainWindowMenu::openBelowButton);

  window_.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&window_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { popup(window_.mapToGlobal(at)); });
}

QAction* MainWindowMenu::newEntry(const char* name, const QString& text, const QKeySequence& key,
                                  QAction* before) {
  auto* action = new QAction(text, this);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(key);
  insertAction(before, action);
  window_.addAction(action);
  return action;
}

void MainWindowMenu::showSyncStatus(const QString& status) {
  const QString shown = status.simplified();
  const QString cut = shown.size() > kStatusChars ? shown.left(kStatusChars - 1) + "\u2026" : shown;
  syncStatus_->setText(QString(cut).replace('&', QStringLiteral("&&")));
  syncStatus_->setToolTip(shown);
  syncStatus_->setVisible(!shown.isEmpty());
}

// Below the button, right-aligned with it: the button ends the row.
void MainWindowMenu::openBelowButton() {
  popup(button_->mapToGlobal(QPoint(button_->width() - sizeHint().width(), button_->height())));
}

}  // namespace tw
