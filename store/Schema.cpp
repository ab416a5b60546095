#include "store/Schema.h"

#include <array>
#include <string>

#include "store/Connection.h"
#include "store/Statement.h"
#include "store/Transaction.h"

namespace tw {
namespace {

// "TWKS": marks the file as a Tallyworks store.
constexpr std::int64_t kApplicationId = 0x54574B53;

// Step i brings a store of version i to version i + 1.
constexpr std::array<const char*, Schema::kVersion> kSteps = {
    R"sql(
CREATE TABLE journal(
  id INTEGER PRIMARY KEY,
  subject TEXT NOT NULL,
  categories TEXT NOT NULL,
  type TEXT NOT NULL,
  start INTEGER NOT NULL,
  duration INTEGER NOT NULL,
  companies TEXT NOT NULL,
  body TEXT NOT NULL);
CREATE INDEX journal_by_start ON journal(start, id);
CREATE INDEX journal_by_type ON journal(type, start, id);
CREATE INDEX journal_by_subject ON journal(subject, start, id);
CREATE TABLE tasks(
  id INTEGER PRIMARY KEY,
  subject TEXT NOT NULL,
  categories TEXT NOT NULL,
  status INTEGER NOT NULL);
CREATE TABLE attachments(
  journal INTEGER NOT NULL,
  position INTEGER NOT NULL,
  task INTEGER NOT NULL,
  PRIMARY KEY(journal, position)) WITHOUT ROWID;
CREATE TABLE counts(
  folder TEXT PRIMARY KEY,
  n INTEGER NOT NULL) WITHOUT ROWID;
INSERT INTO counts VALUES('journal', 0), ('tasks', 0);
CREATE TRIGGER journal_added AFTER INSERT ON journal
  BEGIN UPDATE counts SET n = n + 1 WHERE folder = 'journal'; END;
CREATE TRIGGER journal_removed AFTER DELETE ON journal
  BEGIN UPDATE counts SET n = n - 1 WHERE folder = 'journal'; END;
CREATE TRIGGER tasks_added AFTER INSERT ON tasks
  BEGIN UPDATE counts SET n = n + 1 WHERE folder = 'tasks'; END;
CREATE TRIGGER tasks_removed AFTER DELETE ON tasks
  BEGIN UPDATE counts SET n = n - 1 WHERE folder = 'tasks'; END;
)sql",
};

struct Header {
  std::int64_t applicationId = 0;
  int version = 0;
  std::int64_t objects = 0;
};

Header readHeader(Connection& connection) {
  Statement s(connection, Connection::Access::Read,
              "SELECT (SELECT application_id FROM pragma_application_id),"
              " (SELECT user_version FROM pragma_user_version),"
              " (SELECT count(*) FROM sqlite_master)");
  s.step();
  return {s.integer(0), static_cast<int>(s.integer(1)), s.integer(2)};
}

void checkOwner(Connection& connection, const Header& h) {
  if (h.version > Schema::kVersion)
    connection.failWith("it was written by a newer version of Tallyworks");
  if ((h.version == 0 && h.objects > 0) || (h.version > 0 && h.applicationId != kApplicationId))
    connection.failWith("it is a database of another program, not a Tallyworks store");
}

std::string journalMode(Connection& connection) {
  Statement s(connection, Connection::Access::Read, "PRAGMA journal_mode");
  return s.step() ? std::string(s.text(0)) : std::string();
}

void migrate(Connection& connection) {
  Transaction tx(connection);
  const Header h = readHeader(connection);
  checkOwner(connection, h);
  for (int v = h.version; v < Schema::kVersion; ++v) connection.execute(kSteps[v]);
  connection.execute(("PRAGMA application_id = " + std::to_string(kApplicationId)).c_str());
  connection.execute(("PRAGMA user_version = " + std::to_string(Schema::kVersion)).c_str());
  tx.commit();
}

}  // namespace

void Schema::prepare(Connection& connection) {
  const Header h = readHeader(connection);
  checkOwner(connection, h);
  if (journalMode(connection) != "wal") connection.execute("PRAGMA journal_mode = WAL");
  Statement(connection, Connection::Access::Read, "PRAGMA synchronous = FULL").run();
  if (h.version < kVersion) migrate(connection);
}

}  // namespace tw
