#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/DateText.h"
#include "core/ManualClock.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "tests/support/Entries.h"
#include "tests/support/TempFolder.h"
#include "tracking/TrackingSession.h"

namespace tw::test {

// A tracking session of a window on a store of its own, with a hand-driven clock (Monday
// 11 March 2024, 9:00 in the machine's zone) and a registry file in the temporary folder.
class SessionFixture : public ::testing::Test {
 protected:
  SessionFixture() {
    addTask("Page layout", "Design");
    addTask("Billing", "Admin");
    session = makeSession(ProcessIdentity::self());
  }

  std::unique_ptr<TrackingSession> makeSession(ProcessIdentity owner) {
    auto s = std::make_unique<TrackingSession>(store, clock, owner,
                                               EntryTypeRule(folder.file("tallyworks.ini")));
    s->reloadTasks();
    s->attach();
    return s;
  }

  Task addTask(const std::string& subject, const std::string& categories,
               TaskStatus status = TaskStatus::NotStarted) {
    Task t;
    t.subject = subject;
    t.categories = categories;
    t.status = status;
    return store.addTask(t);
  }

  JournalEntry addEntry(const std::string& subject, DateTime localStart, std::int64_t seconds = 0,
                        const std::string& type = "Task") {
    JournalEntry e = localEntry(subject, localStart, seconds, type);
    e.categories = type == "TWEvent" ? "Tallyworks Start" : "";
    return store.addEntry(e);
  }

  // The journal in the order stored.
  std::vector<JournalEntry> journal() { return allEntries(store); }

  std::vector<std::string> subjects() {
    std::vector<std::string> out;
    for (const JournalEntry& e : journal()) out.push_back(e.subject);
    return out;
  }
  // The journal as "subject seconds", in the order stored.
  std::vector<std::string> timeline() {
    std::vector<std::string> out;
    for (const JournalEntry& e : journal())
      out.push_back(e.subject + " " + std::to_string(e.seconds));
    return out;
  }

  // Steps of the window, separated by commas: "start TASK", "switch TASK", "pause", "stop",
  // "work SECONDS" (ticking as the window does) or "wait SECONDS" (without a tick).
  void act(const std::string& steps) {
    std::istringstream in(steps);
    for (std::string step; std::getline(in >> std::ws, step, ',');) {
      const std::string verb = step.substr(0, step.find(' '));
      const std::string rest = step.substr(std::min(step.size(), verb.size() + 1));
      if (verb == "start") session->start(rest);
      if (verb == "switch") session->switchTo(rest);
      if (verb == "pause") session->pause();
      if (verb == "stop") session->stop();
      if (verb == "work") work(std::stoll(rest));
      if (verb == "wait") clock.advance(std::stoll(rest));
    }
  }

  // Time passes while the window ticks twice a second.
  void work(std::int64_t seconds) {
    for (std::int64_t i = 0; i < seconds * 2; ++i) {
      if (i % 2 == 1) clock.advance(1);
      session->tick();
    }
  }

  static DateTime monday9() { return DateTime::fromParts(2024, 3, 11, 9, 0, 0); }

  TempFolder folder;
  ManualClock clock{monday9()};
  SqliteJournalStore store{folder.file("store.db")};
  std::unique_ptr<TrackingSession> session;
};

}  // namespace tw::test
