#include "store/sqlite/SqliteBillingStore.h"

#include "core/CaseFold.h"
#include "store/StoreError.h"
#include "store/sqlite/Database.h"
#include "store/sqlite/Schema.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "store/sqlite/Statement.h"
#include "store/sqlite/Transaction.h"

namespace tw {
namespace {

constexpr const char* kClientColumns =
    "id, name, currency, round_minutes, round_mode, round_place, billable";

Client readClient(const Statement& s) {
  Client c;
  c.id = s.integer(0);
  c.name = s.text(1);
  c.currency = s.text(2);
  c.rounding.minutes = static_cast<int>(s.integer(3));
  c.rounding.mode = static_cast<RoundingRule::Mode>(s.integer(4));
  c.rounding.place = static_cast<RoundingRule::Place>(s.integer(5));
  c.billable = s.integer(6) != 0;
  return c;
}

void bindClient(Statement& s, const Client& c) {
  s.bind(2, c.name).bind(3, CaseFold::key(c.name)).bind(4, c.currency);
  s.bind(5, c.rounding.minutes).bind(6, static_cast<std::int64_t>(c.rounding.mode));
  s.bind(7, static_cast<std::int64_t>(c.rounding.place)).bind(8, c.billable ? 1 : 0);
}

}  // namespace

SqliteBillingStore::SqliteBillingStore(SqliteJournalStore& store) : db_(store.database()) {}

SqliteBillingStore SqliteBillingStore::of(JournalStore& store) {
  auto* sqlite = dynamic_cast<SqliteJournalStore*>(&store);
  if (!sqlite) throw StoreError("this store keeps no clients");
  return SqliteBillingStore(*sqlite);
}

bool SqliteBillingStore::readable() {
  if (!db_.inTransaction()) db_.checkFile(false);
  return db_.schemaVersion() >= 8;
}

std::vector<Client> SqliteBillingStore::clients() {
  std::vector<Client> out;
  if (!readable()) return out;
  Statement s(
      db_, (std::string("SELECT ") + kClientColumns + " FROM clients ORDER BY name_key").c_str());
  while (s.step()) out.push_back(readClient(s));
  return out;
}

void SqliteBillingStore::refuseNameTaken(const std::string& key, std::int64_t id) {
  Statement s(db_, "SELECT name FROM clients WHERE name_key = ?1 AND id <> ?2");
  s.bind(1, key).bind(2, id);
  if (s.step()) db_.failWith("a client named \"" + std::string(s.text(0)) + "\" exists already");
}

Client SqliteBillingStore::addClient(Client c) {
  Transaction tx(db_);
  refuseNameTaken(CaseFold::key(c.name), 0);
  Statement s(db_,
              "INSERT INTO clients(name, name_key, currency, round_minutes, round_mode,"
              " round_place, billable) VALUES(?2, ?3, ?4, ?5, ?6, ?7, ?8) RETURNING id");
  bindClient(s, c);
  s.step();
  c.id = s.integer(0);
  s.run();
  tx.commit();
  return c;
}

void SqliteBillingStore::updateClient(const Client& c) {
  Transaction tx(db_);
  refuseNameTaken(CaseFold::key(c.name), c.id);
  Statement s(db_,
              "UPDATE clients SET name = ?2, name_key = ?3, currency = ?4, round_minutes = ?5,"
              " round_mode = ?6, round_place = ?7, billable = ?8 WHERE id = ?1");
  s.bind(1, c.id);
  bindClient(s, c);
  s.run();
  if (db_.changes() == 0) db_.failWith("the client \"" + c.name + "\" is no longer in the store");
  tx.commit();
}

void SqliteBillingStore::removeClient(std::int64_t id) {
  Transaction tx(db_);
  Statement periods(db_,
                    "SELECT count(*) FROM invoiced WHERE client_key ="
                    " (SELECT name_key FROM clients WHERE id = ?1)");
  periods.bind(1, id).step();
  if (periods.integer(0) > 0)
    db_.failWith("the client has invoiced periods; unmark them before removing the client");
  Statement(db_, "DELETE FROM rates WHERE client_id = ?1").bind(1, id).run();
  Statement(db_, "DELETE FROM clients WHERE id = ?1").bind(1, id).run();
  tx.commit();
}

std::vector<Rate> SqliteBillingStore::rates() {
  std::vector<Rate> out;
  if (!readable()) return out;
  Statement s(db_,
              "SELECT client_id, task_uid, from_day, minor_per_hour FROM rates"
              " ORDER BY client_id, task_uid, from_day");
  while (s.step()) {
    Rate r;
    r.clientId = s.integer(0);
    r.taskUid = s.text(1);
    if (s.integer(2) != Schema::kFromTheStart) r.from = Schema::dayOf(s.integer(2));
    r.minorPerHour = s.integer(3);
    out.push_back(std::move(r));
  }
  return out;
}

void SqliteBillingStore::putRate(const Rate& r) {
  Transaction tx(db_);
  Statement(db_,
            "INSERT OR REPLACE INTO rates(client_id, task_uid, from_day, minor_per_hour)"
            " VALUES(?1, ?2, ?3, ?4)")
      .bind(1, r.taskUid.empty() ? r.clientId : 0)
      .bind(2, r.taskUid)
      .bind(3, r.from ? Schema::dayNumber(*r.from) : Schema::kFromTheStart)
      .bind(4, r.minorPerHour)
      .run();
  tx.commit();
}

void SqliteBillingStore::removeRates(std::int64_t clientId, std::string_view taskUid) {
  Transaction tx(db_);
  Statement(db_, "DELETE FROM rates WHERE client_id = ?1 AND task_uid = ?2")
      .bind(1, taskUid.empty() ? clientId : 0)
      .bind(2, taskUid)
      .run();
  tx.commit();
}

std::optional<bool> SqliteBillingStore::taskBillable(std::string_view taskUid) {
  if (!readable()) return std::nullopt;
  Statement s(db_, "SELECT billable FROM task_billing WHERE task_uid = ?1");
  s.bind(1, taskUid);
  return s.step() ? std::optional<bool>(s.integer(0) != 0) : std::nullopt;
}

void SqliteBillingStore::setTaskBillable(std::string_view taskUid, std::optional<bool> billable) {
  Transaction tx(db_);
  if (billable)
    Statement(db_, "INSERT OR REPLACE INTO task_billing(task_uid, billable) VALUES(?1, ?2)")
        .bind(1, taskUid)
        .bind(2, *billable ? 1 : 0)
        .run();
  else
    Statement(db_, "DELETE FROM task_billing WHERE task_uid = ?1").bind(1, taskUid).run();
  tx.commit();
}

std::vector<std::pair<std::string, bool>> SqliteBillingStore::taskBillableFlags() {
  std::vector<std::pair<std::string, bool>> out;
  if (!readable()) return out;
  Statement s(db_, "SELECT task_uid, billable FROM task_billing");
  while (s.step()) out.emplace_back(std::string(s.text(0)), s.integer(1) != 0);
  return out;
}

std::vector<InvoicedPeriod> SqliteBillingStore::invoiced() {
  std::vector<InvoicedPeriod> out;
  if (!readable()) return out;
  Statement s(db_,
              "SELECT id, client, first_day, last_day, marked FROM invoiced"
              " ORDER BY client_key, first_day");
  while (s.step())
    out.push_back({s.integer(0), std::string(s.text(1)), Schema::dayOf(s.integer(2)),
                   Schema::dayOf(s.integer(3)), s.integer(4)});
  return out;
}

InvoicedPeriod SqliteBillingStore::addInvoiced(InvoicedPeriod p) {
  Transaction tx(db_);
  const std::string key = CaseFold::key(p.client);
  const std::int64_t first = Schema::dayNumber(p.first);
  const std::int64_t last = Schema::dayNumber(p.last);
  Statement overlap(db_,
                    "SELECT client, first_day, last_day FROM invoiced WHERE client_key = ?1"
                    " AND first_day <= ?3 AND last_day >= ?2");
  overlap.bind(1, key).bind(2, first).bind(3, last);
  if (overlap.step())
    db_.failWith(
        "the days overlap the period invoiced for " + std::string(overlap.text(0)) + ", " +
        InvoicedPeriod::days(Schema::dayOf(overlap.integer(1)), Schema::dayOf(overlap.integer(2))));
  Statement s(db_,
              "INSERT INTO invoiced(client, client_key, first_day, last_day, marked)"
              " VALUES(?1, ?2, ?3, ?4, ?5) RETURNING id");
  s.bind(1, p.client).bind(2, key).bind(3, first).bind(4, last).bind(5, p.marked);
  s.step();
  p.id = s.integer(0);
  s.run();
  tx.commit();
  return p;
}

void SqliteBillingStore::removeInvoiced(std::int64_t id) {
  Transaction tx(db_);
  Statement(db_, "DELETE FROM invoiced WHERE id = ?1").bind(1, id).run();
  if (db_.changes() == 0) db_.failWith("the invoiced period is no longer in the store");
  tx.commit();
}

}  // namespace tw
