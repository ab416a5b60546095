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

TEST(Metrics, NamesMatchWithoutRegardToCaseInOrderOfFirstAddition) {
  Metrics m;
  EXPECT_TRUE(m.GetAll().empty());
  for (const char* name : {"Design", "b", "", "design", "B", "DESIGN", ""}) m.Add(name, 10);
  EXPECT_EQ(names(m), (std::vector<std::string>{"Design", "b", ""}));
  EXPECT_EQ(m.GetValue("DESIGN"), 30);
  EXPECT_EQ(m.GetValue(""), 20);
  EXPECT_EQ(m.GetValue("Admin"), 0);
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

TEST(Metrics, NamesWithWildcardCharactersCollectUnderThemselves) {
  Metrics m;
  for (const char* name : {"[x]", "[X]", "Project #1", "project #1", "[bad", "[BAD"}) {
    m.Add(name, 10);
  }
  EXPECT_EQ(names(m), (std::vector<std::string>{"[x]", "Project #1", "[bad"}));
  for (const char* name : {"[x]", "Project #1", "[bad"}) EXPECT_EQ(m.GetValue(name), 20) << name;
}

TEST(DaysMetrics, CategoriesInOrderOfFirstAppearanceAndEarlierPatternsCoverLaterNames) {
  DaysMetrics d;
  d.addDay(kDay1, metricsOf({{"Projects", 90}, {"Admin", 5}, {"Z*", 1}, {"[bad", 1}}));
  d.addDay(kDay2, metricsOf({{"admin", 20}, {"Zeta", 1}, {"PROJECTS", 3}, {"[BAD", 2}, {"B", 4}}));
  EXPECT_EQ(names(d), (std::vector<std::string>{"Projects", "Admin", "Z*", "[bad", "B"}));
  EXPECT_EQ(d.getMetric(kDay1, "projects"), 90);
  EXPECT_EQ(d.getMetric(kDay2, "Admin"), 20);
  EXPECT_EQ(d.getMetric(kDay2, "Nothing"), 0);
}

TEST(DaysMetrics, DayMustEqualExactlyAndItsFirstSharedRecordWins) {
  DaysMetrics d;
  auto first = metricsOf({{"A", 10}});
  d.addDay(kDay1, first);
  d.addDay(kDay1, metricsOf({{"a", 99}, {"B", 1}}));
  first->Add("A", 5);
  EXPECT_EQ(d.getMetric(kDay1, "A"), 15);
  EXPECT_EQ(d.getMetric(kDay1, "B"), 0);
  EXPECT_EQ(names(d), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(d.getMetric(kDay2, "A"), 0);
  EXPECT_EQ(d.getMetric(kDay1.addSeconds(3600), "A"), 0);
}

TEST(DaysMetrics, TotalBeyondThirtyTwoBitsOverflows) {
  DaysMetrics d;
  d.addDay(kDay1, metricsOf({{"A", 3e9}, {"B", 2147483647}}));
  EXPECT_THROW(d.getMetric(kDay1, "A"), std::overflow_error);
  EXPECT_EQ(d.getMetric(kDay1, "B"), 2147483647);
}
