#include <gtest/gtest.h>

#include "billing/BillCsv.h"
#include "billing/BillHtml.h"
#include "billing/BillText.h"
#include "tests/support/TextEdits.h"

namespace tw::writers_test {

DateTime day(int d) {
  return DateTime::fromParts(2026, 11, d);
}

// Design per day at 100.00 EUR with a rounding line, and a subject and notes a file or server
// could have sent.
Bill bill() {
  Bill b;
  b.request = {"Acme", day(1), day(30), BillRequest::Per::Entry};
  b.client = {1, "Acme", "EUR", {15, RoundingRule::Mode::Up, RoundingRule::Place::TaskDay}, true};
  Bill::Line work{Bill::Line::Kind::Work,
                  day(3),
                  day(3).addMinutes(540),
                  "=cmd|' /c calc'!A1",
                  std::nullopt,
                  3000,
                  3000,
                  10000,
                  8333};
  Bill::Line rounding{
      Bill::Line::Kind::Rounding, day(3), {}, "", std::nullopt, 0, 600, 10000, 1667};
  b.sections = {{"<script>alert(\"x\")</script> & Co", {work, rounding}, 3000, 3600, 10000}};
  b.unbilled = {{"Admin", 1800}};
  b.problems = {{Bill::Problem::Kind::OpenTimer, day(3), "2026-11-03 09:00 \"Design\" is timed"}};
  b.seconds = 3000;
  b.billedSeconds = 3600;
  b.amount = 10000;
  b.unbilledSeconds = 1800;
  return b;
}

TEST(BillText, ATableOfLinesSubtotalsAndTheTotal) {
  EXPECT_EQ(BillText::write(bill(), MoneyFormat::plain()),
            "Bill: Acme, 1\u201330 Nov 2026\n"
            "EUR; rounding 15 min up, each task per day; lines per entry\n\n"
            "Task                                   Hours  h:mm        Rate      Amount\n"
            "<script>alert(\"x\")</script> & Co\n"
            "  2026-11-03 09:00 =cmd|' /c calc'!A1   0.83  0:50  100.00 EUR   83.33 EUR\n"
            "  rounding 2026-11-03                   0.17  0:10  100.00 EUR   16.67 EUR\n"
            "  subtotal                              1.00  1:00              100.00 EUR\n"
            "Total                                   1.00  1:00              100.00 EUR\n\n"
            "Timed 0:50, billed 1:00 (rounding +0:10)\n\n"
            "Not billed (0:30):\n  Admin  0:30\n\n"
            "Problems:\n  2026-11-03 09:00 \"Design\" is timed\n");
}

TEST(BillHtml, EveryTextIsEscapedAndNothingIsFetched) {
  const std::string html = BillHtml::write(bill(), MoneyFormat::plain());
  EXPECT_FALSE(test::has(html, "<script>"));
  EXPECT_TRUE(test::has(html, "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; Co"));
  for (const char* outside : {"src=", "href=", "url(", "@import"})
    EXPECT_FALSE(test::has(html, outside)) << outside;
}

TEST(BillCsv, TextsAreQuotedAndNeverRunAsFormulas) {
  const std::string csv = BillCsv::write(bill());
  EXPECT_TRUE(test::has(csv, ",\"<script>alert(\"\"x\"\")</script> & Co\",rounding,"));
  EXPECT_TRUE(test::has(csv, ",'=cmd|' /c calc'!A1,"));
  EXPECT_EQ(csv.substr(csv.rfind("\r\n", csv.size() - 3) + 2),
            "Acme,,total,,,,3000,3600,1.00,,100.00,EUR\r\n");
}

}  // namespace tw::writers_test
