#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <utility>

namespace tw::test {

// Runs SQL on the file through a connection of its own, as another program would.
class RawDatabase {
 public:
  explicit RawDatabase(const std::string& path) { sqlite3_open(path.c_str(), &db_); }
  ~RawDatabase() { sqlite3_close(db_); }
  RawDatabase(const RawDatabase&) = delete;
  RawDatabase& operator=(const RawDatabase&) = delete;

  void exec(const char* sql) {
    ASSERT_EQ(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db_);
  }

  // A column (the first by default) of the first row the query answers.
  std::string text(const char* sql, int column = 0) {
    std::pair<int, std::string> out{column, ""};
    const auto first = [](void* o, int, char** values, char**) {
      auto& [wanted, text] = *static_cast<std::pair<int, std::string>*>(o);
      text = values[wanted] ? values[wanted] : "";
      return 1;
    };
    sqlite3_exec(db_, sql, first, &out, nullptr);
    return out.second;
  }

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace tw::test
