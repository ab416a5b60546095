#include "CliFixture.h"

namespace tw::test {
namespace {

class BillingCommandsTest : public CliTest {
 protected:
  // Acme at 250.00 EUR an hour, rounded up to 15 minutes per task and day; Page layout timed
  // 50 and 7 minutes on 3 November 2026, Admin (not billable) 30 minutes on the 4th.
  void SetUp() override {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"task", "add", "Page layout", "--categories", "Acme, Design"},
             {"task", "add", "Admin", "--categories", "acme"},
             {"client", "add", "Acme", "--rate", "250", "--currency", "EUR", "--round", "15",
              "--round-mode", "up", "--round-per", "day"},
             {"task", "edit", "admin", "--billable", "no"},
             {"journal", "add", "--subject", "Page layout", "--start", "2026-11-03T09:00",
              "--minutes", "50", "--body", "Cover, \"draft\""},
             {"journal", "add", "--subject", "Page layout", "--start", "2026-11-03T10:00",
              "--minutes", "7"},
             {"journal", "add", "--subject", "Admin", "--start", "2026-11-04T09:00", "--minutes",
              "30"}})
      ASSERT_EQ(run(args), 0) << err.str();
    uid = output({"journal", "list", "--from", "2026-11-03", "--to", "2026-11-03"}).substr(0, 36);
  }

  std::vector<std::string> bill(const std::string& format, const std::string& per = "task") {
    return {"bill",       "--client", "ACME", "--from", "2026-11-01", "--to",
            "2026-11-30", "--format", format, "--per",  per};
  }

  std::string uid;
};

TEST_F(BillingCommandsTest, TheCsvBillHasPlainAmountsACurrencyColumnAndEndsInTheTotal) {
  EXPECT_EQ(
      output(bill("csv", "entry")),
      "Client,Task,Kind,Day,Start,Notes,Seconds,Billed seconds,Billed hours,Rate,Amount,"
      "Currency\r\n"
      "Acme,Page layout,work,2026-11-03,2026-11-03T09:00:00,\"Cover, \"\"draft\"\"\",3000,"
      "3000,0.83,250.00,208.33,EUR\r\n"
      "Acme,Page layout,work,2026-11-03,2026-11-03T10:00:00,,420,420,0.12,250.00,29.17,EUR\r\n"
      "Acme,Page layout,rounding,2026-11-03,,,0,180,0.05,250.00,12.50,EUR\r\n"
      "Acme,Admin,not billed,,,,1800,0,0.00,,,EUR\r\n"
      "Acme,,total,,,,3420,3600,1.00,,250.00,EUR\r\n");
  const std::string html = output(bill("html"));
  EXPECT_NE(html.find("<title>Bill: Acme, 1\u201330 Nov 2026</title>"), std::string::npos);
  EXPECT_EQ(html.find("<script"), std::string::npos);
}

TEST_F(BillingCommandsTest, InvoicedEntriesRefuseEveryCommandThatWouldChangeThem) {
  output({"bill", "--client", "acme", "--from", "2026-11-01", "--to", "2026-11-15",
          "--mark-invoiced"});
  const std::string locked = "invoiced for Acme, 1\u201315 Nov 2026";
  const CommandCase cases[] = {
      {{"journal", "edit", uid, "--minutes", "40"}, "", 1, locked},
      {{"client", "remove", "acme"}, "", 1, "invoiced periods"},
      {{"invoiced", "--undo", "--client", "acme"}, "", 2, "needs --client, --from and --to"},
      {{"client", "add", "Globex", "--rate", "1.005", "--currency", "EUR"}, "", 1, "decimals"},
      {{"client", "add", "Globex", "--rate", "1", "--currency", "EUR", "--round", "7"},
       "",
       1,
       "Rounding"},
  };
  for (const CommandCase& c : cases) expectCase(c);
  EXPECT_EQ(output({"invoiced"}), "Acme, 1\u201315 Nov 2026\n");
  output({"invoiced", "--undo", "--client", "Acme", "--from", "2026-11-01", "--to", "2026-11-15"});
  output({"journal", "edit", uid, "--minutes", "40"});
}

TEST_F(BillingCommandsTest, ClientAddAndBillTakeTheSettingsDefaults) {
  expectCase({{"client", "add", "Globex", "--rate", "80"}, "", 1, "no default currency"});
  for (const auto& [name, value] : {std::pair{"billing.currency", "usd"},
                                    {"billing.round_minutes", "30"},
                                    {"billing.billable", "no"},
                                    {"billing.lines", "entry"}})
    output({"settings", name, value});
  output({"client", "add", "Globex", "--rate", "80", "--round-mode", "up"});
  EXPECT_NE(output({"client", "list"})
                .find("Globex\t80.00 USD\trounding 30 min up, each entry\tnot billable\n"),
            std::string::npos);
  const std::vector<std::string> perEntry = bill("csv", "entry");
  EXPECT_EQ(output({perEntry.begin(), perEntry.end() - 2}), output(perEntry));
}

}  // namespace
}  // namespace tw::test
