// How each source's items become entries: subject, categories in their stated order, notes,
// local start and exact length, read in Europe/Berlin.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "core/DateText.h"
#include "core/TimeZone.h"
#include "import/CsvReader.h"
#include "import/GtimelogReader.h"
#include "import/TimewarriorReader.h"
#include "import/ical/KtimetrackerReader.h"
#include "tests/support/ScopedTimeZone.h"

namespace tw::test {
namespace {

struct Mapping {
  const char* source;
  std::string text;
  CsvColumns::Choices choices;
  // Each work entry as "subject | categories | local start | seconds | notes", one a line.
  const char* entries;
};

std::string entriesOf(const Mapping& m) {
  std::istringstream in(m.text);
  InputText input(in, "the input");
  const std::string source = m.source;
  const ForeignJournal journal = source == "timewarrior"    ? TimewarriorReader::read(input)
                                 : source == "gtimelog"     ? GtimelogReader::read(input)
                                 : source == "ktimetracker" ? KtimetrackerReader::read(input)
                                                            : CsvReader::read(input, m.choices);
  std::string out;
  for (const ForeignEntry& e : journal.entries) {
    if (e.kind != ForeignEntry::Kind::Work) continue;
    std::string categories;
    for (const std::string& c : e.categories) categories += (categories.empty() ? "" : ", ") + c;
    out += e.subject + " | " + categories + " | " + DateText::iso(e.start.local(e.utcOffset)) +
           " | " + std::to_string(e.seconds) + (e.running ? " running" : "") + " | " + e.body +
           "\n";
  }
  return out;
}

const std::string kIcs =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
    "BEGIN:VTODO\r\nUID:t1\r\nSUMMARY:Acme\r\nEND:VTODO\r\n"
    "BEGIN:VTODO\r\nUID:t2\r\nSUMMARY:Brochure\r\nRELATED-TO:t1\r\nEND:VTODO\r\n"
    "BEGIN:VTODO\r\nUID:t3\r\nSUMMARY:Proofs\r\nRELATED-TO:t2\r\nPERCENT-COMPLETE:100\r\n"
    "END:VTODO\r\n"
    "BEGIN:VEVENT\r\nUID:e2\r\nSUMMARY:Old name\r\nRELATED-TO:t3\r\nDTSTART:20240328T130000Z\r\n"
    "DTEND:20240328T140000Z\r\nX-KDE-ktimetracker-duration:3599\r\nDESCRIPTION:checked\r\n"
    "COMMENT:twice\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:e1\r\nSUMMARY:Gone\r\nRELATED-TO:nowhere\r\n"
    "DTSTART:20240328T090000\r\nDTEND:20240328T093000\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:e3\r\nRELATED-TO:t1\r\nDTSTART:20240329T080000\r\n"
    "X-KDE-ktimetracker-duration:0\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n";

class MappingTest : public ::testing::Test {
 protected:
  ScopedTimeZone zone_{"Europe/Berlin"};
};

TEST_F(MappingTest, EachSourceGivesSubjectCategoriesNotesStartAndLength) {
  const Mapping cases[] = {
      {"timewarrior",
       "[{\"start\":\"20240331T004500Z\",\"end\":\"20240331T013000Z\",\"tags\":[\"b\",\"a\"],"
       "\"annotation\":\"n\"},\n{\"start\":\"20240401T060000Z\"}]",
       {},
       "b, a | b, a | 2024-03-31T01:45:00 | 2700 | n\n"
       "Untagged |  | 2024-04-01T08:00:00 | 0 running | \n"},
      {"gtimelog",
       "2024-03-28 23:00: arrived\n2024-03-29 01:30: Acme: deploy -- z ** a\n"
       "2024-03-29 09:00: arrived\n2024-03-29 09:30: mail:\n",
       {},
       "mail: | mail | 2024-03-29T09:00:00 | 1800 | \n"},
      {"gtimelog",
       "2024-03-28 23:00: arrived\n2024-03-29 01:30: Acme: deploy -- z y\n",
       {},
       "Acme: deploy | Acme, y, z | 2024-03-28T23:00:00 | 9000 | \n"},
      {"ktimetracker",
       kIcs,
       {},
       "Gone |  | 2024-03-28T09:00:00 | 1800 | \n"
       "Proofs | Acme, Brochure | 2024-03-28T14:00:00 | 3599 | checked\ntwice\n"
       "Acme |  | 2024-03-29T08:00:00 | 0 running | \n"},
      {"csv",
       "Project;Client;Description;Task;Tags;Billable;Start Date;Start Time;End Date;End Time;"
       "Duration (h);Duration (decimal)\n"
       "Site;Acme;Header;Design;a, b;Yes;03/28/2024;01:30 PM;03/28/2024;02:15 PM;00:45:00;0.75\n"
       "Site;;Footer;;;No;03/28/2024;11:00 PM;;01:00 AM;;\n",
       {},
       "Design | Site, Acme, a, b, Billable | 2024-03-28T13:30:00 | 2700 | Header\n"
       "Footer | Site | 2024-03-28T23:00:00 | 7200 | \n"},
      {"csv",
       "Date,Client,Project,Notes,Hours\n28.03.2024,Acme,Site,Header,\"1,5\"\n",
       {},
       "Header | Site, Acme | 2024-03-28T00:00:00 | 5400 | \n"},
      {"csv",
       "When,What,Length\n2024-03-31T01:30:00Z,Deploy,2:00\n2024-03-28 09:00,Mail,0.25\n",
       {{CsvColumns::Start, "When"},
        {CsvColumns::Description, "What"},
        {CsvColumns::Duration, "Length"}},
       "Deploy |  | 2024-03-31T03:30:00 | 7200 | \n"
       "Mail |  | 2024-03-28T09:00:00 | 900 | \n"},
  };
  for (const Mapping& m : cases) EXPECT_EQ(entriesOf(m), m.entries) << m.source << "\n" << m.text;
}

}  // namespace
}  // namespace tw::test
