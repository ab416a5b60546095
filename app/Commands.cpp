// The work of each command; CommandLine.cpp reads the arguments.
#include <fstream>
#include <istream>
#include <ostream>
#include <stdexcept>

#include "app/CommandLine.h"
#include "app/JournalLines.h"
#include "app/OutputFile.h"
#include "reporting/Report.h"
#include "store/Application.h"
#include "store/Items.h"
#include "store/JournalBatch.h"
#include "store/JournalReader.h"
#include "store/MAPIFolder.h"
#include "store/NameSpace.h"
#include "store/TaskItem.h"

namespace tw {
namespace {

MAPIFolder folderOf(Application& app, int folder) {
  return app.GetNamespace("MAPI").GetDefaultFolder(folder);
}

bool isOpen(int status) {
  return status != olTaskComplete && status != olTaskWaiting && status != olTaskDeferred;
}

bool blank(const std::string& line) {
  return line.find_first_not_of(" \t\r") == std::string::npos;
}

}  // namespace

void CommandLine::taskAdd(const std::string& subject, const std::string& categories, int status) {
  Application app;
  auto task = asTaskItem(folderOf(app, olFolderTasks).Items().Add(olTaskItem));
  task->setSubject(subject);
  task->setCategories(categories);
  task->setStatus(status);
  task->Save();
}

void CommandLine::taskList(bool all) {
  Application app;
  folderOf(app, olFolderTasks).Items().forEach([&](const std::shared_ptr<StoreItem>& item) {
    auto task = asTaskItem(item);
    if (all || isOpen(task->Status()))
      out_ << task->Subject() << '\t' << task->Categories() << '\t' << task->Status() << '\n';
    return true;
  });
}

void CommandLine::taskStatus(const std::string& subject, int status) {
  Application app;
  Items tasks = folderOf(app, olFolderTasks).Items().Restrict("[Subject] = '" + [&] {
    std::string quoted;
    for (char c : subject) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted;
  }() + "'");
  const long count = tasks.Count();
  if (count == 0) throw std::runtime_error("There is no task \"" + subject + "\".");
  for (long i = 1; i <= count; ++i) {
    auto task = asTaskItem(tasks.Item(i));
    task->setStatus(status);
    task->Save();
  }
}

void CommandLine::journalImport(const std::string& file) {
  std::ifstream opened;
  if (file != "-") {
    opened.open(file, std::ios::binary);
    if (!opened) throw std::runtime_error("The file \"" + file + "\" cannot be read.");
  }
  std::istream& lines = file == "-" ? in_ : opened;
  Application app;
  JournalBatch batch(folderOf(app, olFolderJournal));
  std::string line;
  for (long number = 1; std::getline(lines, line); ++number) {
    if (blank(line)) continue;
    try {
      batch.add(JournalLines::parse(line));
    } catch (const std::invalid_argument& e) {
      throw std::runtime_error("line " + std::to_string(number) + ": " + e.what() +
                               "; nothing was imported.");
    }
  }
  if (lines.bad())
    throw std::runtime_error("Reading \"" + file + "\" failed; nothing was imported.");
  batch.commit();
}

void CommandLine::journalExport(const std::string& file) {
  Application app;
  const JournalReader reader(folderOf(app, olFolderJournal));
  std::string line;
  if (file.empty()) {
    reader.read(
        [&](const std::shared_ptr<JournalEntry>& e) { out_ << JournalLines::format(*e) << '\n'; });
    out_.flush();
    return;
  }
  OutputFile output(file);
  reader.read([&](const std::shared_ptr<JournalEntry>& e) {
    output.write(JournalLines::format(*e));
    output.write("\n");
  });
  output.commit();
}

void CommandLine::report(const std::string& from, const std::string& to,
                         const std::string& category, const std::string& output, bool csv) {
  Report report;
  {
    Application app;
    JournalReader(folderOf(app, olFolderJournal)).read([&](std::shared_ptr<JournalEntry> e) {
      report.Add(std::move(e));
    });
  }
  report.Category = category;
  report.startdate = from;
  report.enddate = to;
  const std::string text = csv ? report.CSV() : report.Generate();
  if (output.empty()) {
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    out_.flush();
    if (!out_) throw std::runtime_error("Writing to standard output failed.");
    return;
  }
  OutputFile file(output);
  file.write(text);
  file.commit();
}

}  // namespace tw
