#include "store/Items.h"

#include <algorithm>
#include <regex>

#include "model/Clock.h"
#include "store/Connection.h"
#include "store/JournalItemFields.h"
#include "store/NameSpace.h"
#include "store/Statement.h"
#include "store/StoreError.h"
#include "store/TaskItemFields.h"

namespace tw {
namespace {

constexpr long kFirstPage = 64;
constexpr long kLargestPage = 4096;

bool isJournal(int folder) {
  return folder == olFolderJournal;
}

std::string selectFrom(int folder) {
  return isJournal(folder)
             ? "SELECT id, subject, categories, type, start, duration, companies, body"
               " FROM journal"
             : "SELECT id, subject, categories, status FROM tasks";
}

std::shared_ptr<StoreItem> itemOf(const std::shared_ptr<Connection>& c, int folder,
                                  const Statement& s) {
  if (!isJournal(folder)) {
    return std::make_shared<TaskItem>(
        c, TaskItem::Fields{s.integer(0), std::string(s.text(1)), std::string(s.text(2)),
                            static_cast<int>(s.integer(3))});
  }
  return std::make_shared<JournalItem>(
      c, JournalItem::Fields{s.integer(0), std::string(s.text(1)), std::string(s.text(2)),
                             std::string(s.text(3)), DateTime::fromSeconds(s.integer(4)),
                             static_cast<std::int32_t>(s.integer(5)), std::string(s.text(6)),
                             std::string(s.text(7))});
}

}  // namespace

Items::Items(std::shared_ptr<Connection> connection, int folder)
    : connection_(std::move(connection)), folder_(folder) {}

long Items::Count() const {
  const char* table = isJournal(folder_) ? "journal" : "tasks";
  // The folder's size is kept up to date by the store itself, so no scan is needed.
  const std::string sql =
      restrictColumn_.empty()
          ? std::string("SELECT n FROM counts WHERE folder = '") + table + "'"
          : std::string("SELECT count(*) FROM ") + table + " WHERE " + restrictColumn_ + " = ?1";
  Statement s(*connection_, Connection::Access::Read, sql.c_str());
  if (!restrictColumn_.empty()) s.bind(1, restrictValue_);
  s.step();
  return static_cast<long>(s.integer(0));
}

void Items::Sort(const std::string& property, bool descending) {
  std::string p = property;
  std::transform(p.begin(), p.end(), p.begin(), [](unsigned char ch) { return std::tolower(ch); });
  if (p != "[start]")
    throw StoreError("Items can be sorted only by \"[Start]\", not \"" + property + "\".");
  if (!isJournal(folder_)) throw StoreError("Task items have no \"[Start]\" to sort by.");
  sorted_ = true;
  descending_ = descending;
  page_.clear();
}

Items Items::Restrict(const std::string& filter) const {
  static const std::regex form(R"(^\s*\[(\w+)\]\s*=\s*'((?:[^']|'')*)'\s*$)");
  std::smatch m;
  std::string column;
  if (std::regex_match(filter, m, form)) {
    column = m[1].str();
    std::transform(column.begin(), column.end(), column.begin(),
                   [](unsigned char ch) { return std::tolower(ch); });
  }
  if (!(column == "subject" || (column == "type" && isJournal(folder_))) ||
      !restrictColumn_.empty())
    throw StoreError("The filter \"" + filter +
                     "\" is not understood; use [Type] = 'TEXT' or [Subject] = 'TEXT' once.");
  Items view(connection_, folder_);
  view.sorted_ = sorted_;
  view.descending_ = descending_;
  view.restrictColumn_ = column;
  view.restrictValue_ = std::regex_replace(m[2].str(), std::regex("''"), "'");
  return view;
}

std::shared_ptr<StoreItem> Items::Add(int itemType) {
  if (isJournal(folder_) && itemType == olJournalItem) {
    JournalItem::Fields f;
    f.start = Clock::current().now();
    return std::make_shared<JournalItem>(connection_, std::move(f));
  }
  if (!isJournal(folder_) && itemType == olTaskItem)
    return std::make_shared<TaskItem>(connection_, TaskItem::Fields{});
  throw StoreError("This folder cannot hold a new item of type " + std::to_string(itemType) + ".");
}

void Items::readPage(long first, const Position* after, long size) const {
  std::string where;
  if (!restrictColumn_.empty()) where = restrictColumn_ + " = ?1";
  if (after) {
    if (!where.empty()) where += " AND ";
    where += !sorted_      ? "id > ?2"
             : descending_ ? "start <= ?3 AND (start < ?3 OR id > ?2)"
                           : "(start, id) > (?3, ?2)";
  }
  std::string sql = selectFrom(folder_);
  if (!where.empty()) sql += " WHERE " + where;
  sql += !sorted_      ? " ORDER BY id"
         : descending_ ? " ORDER BY start DESC, id"
                       : " ORDER BY start, id";
  sql += " LIMIT ?4 OFFSET ?5";
  Statement s(*connection_, Connection::Access::Read, sql.c_str());
  if (!restrictColumn_.empty()) s.bind(1, restrictValue_);
  if (after) s.bind(2, after->id).bind(3, after->start);
  s.bind(4, std::int64_t{size}).bind(5, std::int64_t{after ? 0 : first - 1});
  std::vector<std::shared_ptr<StoreItem>> rows;
  Position last;
  while (s.step()) {
    rows.push_back(itemOf(connection_, folder_, s));
    last = {isJournal(folder_) ? s.integer(4) : 0, s.integer(0)};
  }
  page_ = std::move(rows);
  pageFirst_ = first;
  pageLast_ = last;
}

std::shared_ptr<StoreItem> Items::Item(long index) const {
  const long pageEnd = pageFirst_ + static_cast<long>(page_.size());
  if (index >= 1 && (page_.empty() || index < pageFirst_ || index >= pageEnd)) {
    if (!page_.empty() && index == pageEnd) {
      const Position after = pageLast_;
      readPage(index, &after, std::min(static_cast<long>(page_.size()) * 2, kLargestPage));
    } else {
      readPage(index, nullptr, kFirstPage);
    }
  }
  if (index < 1 || page_.empty() || index < pageFirst_ ||
      index >= pageFirst_ + static_cast<long>(page_.size()))
    throw StoreError("There is no item " + std::to_string(index) + " in the folder (it holds " +
                     std::to_string(Count()) + ").");
  return page_[static_cast<std::size_t>(index - pageFirst_)];
}

void Items::forEach(const std::function<bool(const std::shared_ptr<StoreItem>&)>& visit) const {
  Items view = *this;
  view.sorted_ = false;
  view.readPage(1, nullptr, kLargestPage);
  while (!view.page_.empty()) {
    const std::vector<std::shared_ptr<StoreItem>> rows = std::move(view.page_);
    const Position after = view.pageLast_;
    for (const auto& item : rows)
      if (!visit(item)) return;
    if (static_cast<long>(rows.size()) < kLargestPage) return;
    view.readPage(1, &after, kLargestPage);
  }
}

std::shared_ptr<StoreItem> Items::find(std::int64_t id) const {
  std::string sql = selectFrom(folder_) + " WHERE id = ?2";
  if (!restrictColumn_.empty()) sql += " AND " + restrictColumn_ + " = ?1";
  Statement s(*connection_, Connection::Access::Read, sql.c_str());
  if (!restrictColumn_.empty()) s.bind(1, restrictValue_);
  s.bind(2, id);
  return s.step() ? itemOf(connection_, folder_, s) : nullptr;
}

}  // namespace tw
