#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "core/IniUpdate.h"
#include "sync/DavClient.h"
#include "sync/SyncConfig.h"

class QComboBox;
class QListWidget;
class QListWidgetItem;

namespace tw {

// Which of the server's task lists Tallyworks shows (check boxes), and the one new tasks go
// to, which is always among those shown. Before the server was asked, the lists as saved.
class TaskListChoice : public QWidget {
  Q_OBJECT

 public:
  explicit TaskListChoice(QWidget* parent = nullptr);

  // The lists of the saved account; nothing can be chosen until the server was asked.
  void showSaved(const SyncConfig& saved);
  // The task lists among the calendars found in home; those saved stay chosen, else the first
  // one found (or a new list when there is none).
  void offer(const std::vector<DavClient::Calendar>& calendars, const std::string& home,
             const SyncConfig& saved);
  // The settings that keep the choice: [server] tasks and task_lists.
  std::vector<IniUpdate::Change> changes() const;

 private:
  void addList(const QString& name, const std::string& url, bool shown);
  void followDefault();
  void keepDefaultShown(QListWidgetItem* item);
  QString defaultUrl() const;

  QListWidget* lists_ = nullptr;
  QComboBox* default_ = nullptr;
};

}  // namespace tw
