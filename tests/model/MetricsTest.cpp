#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "model/DaysMetrics.h"
#include "model/Metrics.h"

using tw::DateTime;
using tw::DaysMetrics;
using tw::Metrics;

namespace {

std::vector<std::string> names(const Metrics& m) {
  std::vector<std::string> out;
  for (const tw::Metric& x : m.GetAll()) out.push_back(x.name);
  return out;
}

std::vector<std::string> names(const DaysMetrics& d) {
  std::vector<std::string> out;
  for (const tw::Category& c : d.categories()) out.push_back(c.sCategory);
  return out;
}

std::shared_ptr<Metrics> metricsOf(std::initializer_list<std::pair<const char*, double>> adds) {
  auto m = std::make_shared<Metrics>();
  for (const auto& [name, value] : adds) m->Add(name, value);
  return m;
}

const DateTime kDay1 = DateTime::fromParts(2003, 1, 5);
const DateTime kDay2 = DateTime::fromParts(2003, 1, 6);

}  // namespace

TEST(Metrics, NamesMatchWithoutRegardToCaseKeepingTheFirstSpelling) {
  Metrics m;
  m.Add("Design", 30);
  m.Add("design", 15);
  EXPECT_EQ(names(m), std::vector<std::string>{"Design"});
  EXPECT_EQ(m.GetValue("DESIGN"), 45);
  EXPECT_EQ(m.GetValue("Admin"), 0);
  EXPECT_TRUE(Metrics().GetAll().empty());
}

TEST(Metrics, TheNewNameIsThePattern) {
  Metrics m;
  m.Add("Alpha", 1);
  m.Add("A*", 10);
  EXPECT_EQ(names(m), std::vector<std::string>{"Alpha"});
  EXPECT_EQ(m.GetValue("Alpha"), 11);

  Metrics n;
  n.Add("A*", 1);
  n.Add("Alpha", 5);
  EXPECT_EQ(names(n), (std::vector<std::string>{"A*", "Alpha"}));
  // A pattern finds the first stored name it matches.
  EXPECT_EQ(n.GetValue("A*"), 1);
  EXPECT_EQ(n.GetValue("?lpha"), 5);
  EXPECT_EQ(n.GetValue("Al*"), 5);
}

TEST(Metrics, OrderOfFirstAddition) {
  Metrics m;
  for (const char* name : {"b", "a", "B", "c", "A", ""}) m.Add(name, 1);
  EXPECT_EQ(names(m), (std::vector<std::string>{"b", "a", "c", ""}));
  EXPECT_EQ(m.GetValue("b"), 2);
}

TEST(Metrics, EmptyNameCollectsEntriesWithoutCategory) {
  Metrics m;
  m.Add("", 10);
  m.Add("x", 1);
  m.Add("", 5);
  EXPECT_EQ(m.GetValue(""), 15);
  EXPECT_EQ(m.GetAll().size(), 2u);
}

TEST(Metrics, NamesWithWildcardCharactersCollectUnderThemselves) {
  Metrics m;
  for (const char* name : {"[x]", "[X]", "Project #1", "project #1", "[bad", "[BAD"}) {
    m.Add(name, 10);
  }
  EXPECT_EQ(names(m), (std::vector<std::string>{"[x]", "Project #1", "[bad"}));
  EXPECT_EQ(m.GetValue("[x]"), 20);
  EXPECT_EQ(m.GetValue("Project #1"), 20);
  EXPECT_EQ(m.GetValue("[bad"), 20);
}

TEST(DaysMetrics, CategoriesInOrderOfFirstAppearance) {
  DaysMetrics d;
  d.addDay(kDay1, metricsOf({{"Projects", 90}, {"Admin", 5}}));
  d.addDay(kDay2, metricsOf({{"admin", 20}, {"Zeta", 1}, {"PROJECTS", 3}}));
  EXPECT_EQ(names(d), (std::vector<std::string>{"Projects", "Admin", "Zeta"}));
  EXPECT_EQ(d.getMetric(kDay1, "projects"), 90);
  EXPECT_EQ(d.getMetric(kDay2, "Admin"), 20);
  EXPECT_EQ(d.getMetric(kDay2, "Nothing"), 0);
}

TEST(DaysMetrics, EarlierPatternCategoriesCoverLaterNames) {
  DaysMetrics d;
  d.addDay(kDay1, metricsOf({{"Proj*", 10}, {"[bad", 1}}));
  d.addDay(kDay2, metricsOf({{"Projects", 20}, {"[BAD", 2}, {"Alpha", 3}}));
  EXPECT_EQ(names(d), (std::vector<std::string>{"Proj*", "[bad", "Alpha"}));
}

TEST(DaysMetrics, DayMustEqualExactly) {
  DaysMetrics d;
  d.addDay(kDay1, metricsOf({{"A", 10}}));
  EXPECT_EQ(d.getMetric(kDay2, "A"), 0);
  EXPECT_EQ(d.getMetric(kDay1.addSeconds(3600), "A"), 0);
}

TEST(DaysMetrics, FirstRecordOfADayWins) {
  DaysMetrics d;
  d.addDay(kDay1, metricsOf({{"A", 10}}));
  d.addDay(kDay1, metricsOf({{"a", 99}, {"B", 1}}));
  EXPECT_EQ(d.getMetric(kDay1, "A"), 10);
  EXPECT_EQ(d.getMetric(kDay1, "B"), 0);
  EXPECT_EQ(names(d), (std::vector<std::string>{"A", "B"}));
}

TEST(DaysMetrics, SharesTheDaysMetrics) {
  DaysMetrics d;
  auto m = metricsOf({{"A", 10}});
  d.addDay(kDay1, m);
  m->Add("A", 5);
  EXPECT_EQ(d.getMetric(kDay1, "A"), 15);
}

TEST(DaysMetrics, TotalBeyondThirtyTwoBitsOverflows) {
  DaysMetrics d;
  d.addDay(kDay1, metricsOf({{"A", 3e9}, {"B", 2147483647}}));
  EXPECT_THROW(d.getMetric(kDay1, "A"), std::overflow_error);
  EXPECT_EQ(d.getMetric(kDay1, "B"), 2147483647);
}
