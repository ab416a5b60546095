#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/DateTime.h"
#include "store/StoreItem.h"

namespace tw {

class Connection;
class TaskItem;

// One journal item. Fields are held in memory and written by Save (one transaction).
class JournalItem : public StoreItem {
 public:
  std::string Subject() const override;
  void setSubject(const std::string& v);
  std::string Categories() const override;
  void setCategories(const std::string& v);
  std::string Type() const;
  void setType(const std::string& v);
  DateTime Start() const;
  void setStart(DateTime v);
  // Whole minutes: the saved minutes plus, while the timer runs, the whole minutes elapsed
  // since StartTimer (read from Clock::current()).
  std::int32_t Duration() const;
  void setDuration(std::int32_t minutes);
  std::string Companies() const;
  void setCompanies(const std::string& v);
  std::string Body() const;
  void setBody(const std::string& v);

  // Attachments().Add(task, 3): the attachment is recorded with the item at its next Save.
  class Attachments& Attachments();

  // Stores the item and its current Duration. Throws StoreError when the store does not
  // answer or the item is no longer in it.
  void Save() override;
  void StartTimer();
  void StopTimer();
  bool timerRunning() const;
  std::int64_t id() const override;

  // The store's own construction; callers obtain items from Items.
  struct Fields;
  JournalItem(std::shared_ptr<Connection> connection, Fields fields);
  ~JournalItem() override;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The journal item behind a folder element; throws StoreError when it is another kind of item.
std::shared_ptr<JournalItem> asJournalItem(const std::shared_ptr<StoreItem>& item);

}  // namespace tw
