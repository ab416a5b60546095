#include "store/JournalItem.h"

#include <algorithm>
#include <limits>

#include "model/Clock.h"
#include "store/Attachments.h"
#include "store/Connection.h"
#include "store/JournalItemFields.h"
#include "store/Statement.h"
#include "store/StoreError.h"
#include "store/TaskItemFields.h"
#include "store/Transaction.h"

namespace tw {

struct JournalItem::State {
  std::shared_ptr<Connection> connection;
  Fields fields;
  class Attachments attachments;
  // A saved item reads its attachments from the store on first use; only then does Save
  // write them back.
  bool attachmentsLoaded = false;
  bool timing = false;
  DateTime timerStart;
};

JournalItem::JournalItem(std::shared_ptr<Connection> connection, Fields fields)
    : state_(std::make_unique<State>()) {
  state_->connection = std::move(connection);
  state_->attachmentsLoaded = fields.id == 0;
  state_->fields = std::move(fields);
}

JournalItem::~JournalItem() = default;

std::string JournalItem::Subject() const {
  return state_->fields.subject;
}
void JournalItem::setSubject(const std::string& v) {
  state_->fields.subject = v;
}
std::string JournalItem::Categories() const {
  return state_->fields.categories;
}
void JournalItem::setCategories(const std::string& v) {
  state_->fields.categories = v;
}
std::string JournalItem::Type() const {
  return state_->fields.type;
}
void JournalItem::setType(const std::string& v) {
  state_->fields.type = v;
}
DateTime JournalItem::Start() const {
  return state_->fields.start;
}
void JournalItem::setStart(DateTime v) {
  state_->fields.start = v;
}
std::string JournalItem::Companies() const {
  return state_->fields.companies;
}
void JournalItem::setCompanies(const std::string& v) {
  state_->fields.companies = v;
}
std::string JournalItem::Body() const {
  return state_->fields.body;
}
void JournalItem::setBody(const std::string& v) {
  state_->fields.body = v;
}
bool JournalItem::timerRunning() const {
  return state_->timing;
}
std::int64_t JournalItem::id() const {
  return state_->fields.id;
}

std::int32_t JournalItem::Duration() const {
  const std::int64_t saved = state_->fields.duration;
  if (!state_->timing) return state_->fields.duration;
  const std::int64_t elapsed = Clock::current().now().seconds() - state_->timerStart.seconds();
  // A clock set back does not take time away.
  const std::int64_t total = saved + std::max<std::int64_t>(elapsed, 0) / 60;
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(total, std::numeric_limits<std::int32_t>::max()));
}

void JournalItem::setDuration(std::int32_t minutes) {
  state_->fields.duration = minutes;
  if (state_->timing) state_->timerStart = Clock::current().now();
}

void JournalItem::StartTimer() {
  if (state_->timing) return;
  state_->timing = true;
  state_->timerStart = Clock::current().now();
}

void JournalItem::StopTimer() {
  if (!state_->timing) return;
  state_->fields.duration = Duration();
  state_->timing = false;
}

Attachments& JournalItem::Attachments() {
  if (!state_->attachmentsLoaded) {
    Statement s(*state_->connection, Connection::Access::Read,
                "SELECT t.id, t.subject, t.categories, t.status FROM attachments a"
                " JOIN tasks t ON t.id = a.task WHERE a.journal = ?1 ORDER BY a.position");
    s.bind(1, state_->fields.id);
    class Attachments loaded;
    while (s.step()) {
      TaskItem::Fields f{s.integer(0), std::string(s.text(1)), std::string(s.text(2)),
                         static_cast<int>(s.integer(3))};
      loaded.Add(std::make_shared<TaskItem>(state_->connection, std::move(f)), olEmbeddedTask);
    }
    state_->attachments = std::move(loaded);
    state_->attachmentsLoaded = true;
  }
  return state_->attachments;
}

namespace {

void writeAttachments(Connection& c, std::int64_t journal, const Attachments& attachments) {
  Statement(c, Connection::Access::Write, "DELETE FROM attachments WHERE journal = ?1")
      .bind(1, journal)
      .run();
  Statement insert(c, Connection::Access::Write,
                   "INSERT INTO attachments(journal, position, task) VALUES(?1, ?2, ?3)");
  for (long i = 1; i <= attachments.Count(); ++i) {
    insert.bind(1, journal).bind(2, std::int64_t{i}).bind(3, attachments.Item(i)->id()).run();
    insert.reset();
  }
}

}  // namespace

void JournalItem::Save() {
  Connection& c = *state_->connection;
  const Fields& f = state_->fields;
  const std::int32_t duration = Duration();
  Transaction tx(c);
  Statement s(c, Connection::Access::Write,
              f.id == 0 ? Fields::kInsert
                        : "UPDATE journal SET subject = ?1, categories = ?2, type = ?3,"
                          " start = ?4, duration = ?5, companies = ?6, body = ?7 WHERE id = ?8");
  s.bind(1, f.subject).bind(2, f.categories).bind(3, f.type).bind(4, f.start.seconds());
  s.bind(5, std::int64_t{duration}).bind(6, f.companies).bind(7, f.body);
  if (f.id != 0) s.bind(8, f.id);
  s.run();
  if (f.id != 0 && c.changes() == 0)
    c.failWith("the journal item \"" + f.subject + "\" is no longer in the store");
  const std::int64_t id = f.id == 0 ? c.lastInsertId() : f.id;
  if (state_->attachmentsLoaded) writeAttachments(c, id, state_->attachments);
  tx.commit();
  state_->fields.id = id;
}

std::shared_ptr<JournalItem> asJournalItem(const std::shared_ptr<StoreItem>& item) {
  auto journal = std::dynamic_pointer_cast<JournalItem>(item);
  if (!journal) throw StoreError("The item is not a journal item.");
  return journal;
}

}  // namespace tw
