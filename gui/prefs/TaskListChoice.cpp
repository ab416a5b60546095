#include "gui/prefs/TaskListChoice.h"

#include <QComboBox>
#include <QFormLayout>
#include <QListWidget>
#include <QUrl>
#include <algorithm>

#include "sync/Href.h"

namespace tw {
namespace {

// The list's address; items and choices keep it as their data.
constexpr int kUrlRole = Qt::UserRole;

bool contains(const std::vector<std::string>& urls, const std::string& url) {
  return std::find(urls.begin(), urls.end(), url) != urls.end();
}

bool takesTasks(const DavClient::Calendar& c) {
  return c.components.empty() || contains(c.components, "VTODO");
}

// A list saved but not (yet) seen on the server, by the last part of its address.
QString shortName(const std::string& url) {
  QString path = QUrl(QString::fromStdString(url)).path();
  while (path.endsWith(QLatin1Char('/'))) path.chop(1);
  const QString last = QUrl::fromPercentEncoding(path.section(QLatin1Char('/'), -1).toUtf8());
  return last.isEmpty() ? QString::fromStdString(url) : last;
}

// Where a new list "Tasks" is made: below home, at an address no calendar has.
std::string newListUrl(const std::vector<DavClient::Calendar>& calendars, const std::string& home) {
  const std::string base = Href::asCollection(home);
  std::string url = base + "tasks/";
  for (int n = 2; std::any_of(calendars.begin(), calendars.end(),
                              [&url](const DavClient::Calendar& c) { return c.url == url; });
       ++n)
    url = base + "tasks-" + std::to_string(n) + "/";
  return url;
}

}  // namespace

TaskListChoice::TaskListChoice(QWidget* parent) : QWidget(parent) {
  lists_ = new QListWidget(this);
  lists_->setObjectName(QStringLiteral("taskLists"));
  lists_->setMaximumHeight(lists_->fontMetrics().height() * 6);
  default_ = new QComboBox(this);
  default_->setObjectName(QStringLiteral("tasks"));
  auto* layout = new QFormLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addRow(lists_);
  layout->addRow(tr("New tasks go to:"), default_);
  connect(default_, &QComboBox::currentIndexChanged, this, &TaskListChoice::followDefault);
  connect(lists_, &QListWidget::itemChanged, this, &TaskListChoice::keepDefaultShown);
}

void TaskListChoice::showSaved(const SyncConfig& saved) {
  lists_->clear();
  default_->clear();
  for (const std::string& url : saved.shownTaskLists()) addList(shortName(url), url, true);
  if (const std::string chosen = saved.newTaskList(); !chosen.empty())
    default_->addItem(shortName(chosen), QString::fromStdString(chosen));
  else
    default_->addItem(tr("“Tasks”, found or made on the server"), QString());
  setEnabled(false);
}

void TaskListChoice::offer(const std::vector<DavClient::Calendar>& calendars,
                           const std::string& home, const SyncConfig& saved) {
  const std::vector<std::string> shown = saved.shownTaskLists();
  lists_->clear();
  default_->clear();
  for (const DavClient::Calendar& c : calendars) {
    if (!takesTasks(c)) continue;
    const QString name = c.name.empty() ? shortName(c.url) : QString::fromStdString(c.name);
    addList(name, c.url, contains(shown, c.url));
    default_->addItem(name, QString::fromStdString(c.url));
  }
  default_->addItem(tr("New task list “Tasks”"),
                    QString::fromStdString(newListUrl(calendars, home)));
  const int again = default_->findData(QString::fromStdString(saved.newTaskList()));
  default_->setCurrentIndex(again >= 0 ? again : 0);
  followDefault();
  setEnabled(true);
}

void TaskListChoice::addList(const QString& name, const std::string& url, bool shown) {
  auto* item = new QListWidgetItem(name, lists_);
  item->setData(kUrlRole, QString::fromStdString(url));
  item->setToolTip(QString::fromStdString(url));
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
  item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
}

QString TaskListChoice::defaultUrl() const {
  return default_->currentData(kUrlRole).toString();
}

// The list new tasks go to is shown.
void TaskListChoice::followDefault() {
  for (int i = 0; i < lists_->count(); ++i)
    if (lists_->item(i)->data(kUrlRole).toString() == defaultUrl())
      lists_->item(i)->setCheckState(Qt::Checked);
}

void TaskListChoice::keepDefaultShown(QListWidgetItem* item) {
  if (item->checkState() == Qt::Unchecked && item->data(kUrlRole).toString() == defaultUrl())
    item->setCheckState(Qt::Checked);
}

std::vector<IniUpdate::Change> TaskListChoice::changes() const {
  const std::string chosen = defaultUrl().toStdString();
  std::string shown = chosen;
  for (int i = 0; i < lists_->count(); ++i) {
    const std::string url = lists_->item(i)->data(kUrlRole).toString().toStdString();
    if (lists_->item(i)->checkState() == Qt::Checked && url != chosen) shown += " " + url;
  }
  const auto setting = [](const std::string& value) -> std::optional<std::string> {
    if (value.empty()) return std::nullopt;
    return value;
  };
  return {{"server", "tasks", setting(chosen)}, {"server", "task_lists", setting(shown)}};
}

}  // namespace tw
