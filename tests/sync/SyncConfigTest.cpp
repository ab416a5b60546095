#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "sync/SyncConfig.h"
#include "sync/SyncError.h"
#include "tests/support/FailureOf.h"
#include "tests/support/TempFolder.h"

namespace tw {
namespace {

TEST(SyncConfigTest, TheServerSectionIsReadAsWritten) {
  const SyncConfig c = SyncConfig::parse(
      "; Tallyworks\n[Server]\r\nURL = https://example.org/dav/calendars/alice/ \n"
      "username=alice\n# comment\npassword_command = pass show caldav\n\n"
      "tasks = https://example.org/t\ntimelog = https://example.org/l/\n"
      "task_lists = https://example.org/a https://example.org/a/\thttps://example.org/t/\n"
      "[other]\nx = 1\n",
      "sync.ini");
  EXPECT_EQ(c.url, "https://example.org/dav/calendars/alice/");
  EXPECT_EQ(c.username, "alice");
  EXPECT_EQ(c.passwordCommand, "pass show caldav");
  EXPECT_EQ(c.tasks, "https://example.org/t/");
  EXPECT_EQ(c.timelog, "https://example.org/l/");
  EXPECT_EQ(c.shownTaskLists(),
            (std::vector<std::string>{"https://example.org/a/", "https://example.org/t/"}));
}

TEST(SyncConfigTest, MistakesAreNamedWithTheirLine) {
  const struct {
    std::string text;
    const char* message;
  } kCases[] = {
      {"[server]\nurl = x\npasword_file = p\n", "[server] has no setting \"pasword_file\""},
      {"[server]\nusername = alice\n", "needs url ="},
      {"[server]\nurl = x\npassword_file = p\npassword_command = c\n", "not both"},
      {"[server]\nurl = ftp://example.org/dav/\n", "url = ftp://example.org/dav/ is not"},
      {"[server]\nurl = file:///home/alice/cal/\n", "give an http:// or https:// address"},
      {"[server]\nurl = https://example.org/\ntasks = file:///t/\n", "tasks = file:///t/"},
      {"[server]\nurl = example.org/dav\n", "is not the address of a calendar server"},
      {"[server]\nurl = https://alice:secret@/\n", "https://alice@/"},
      {"[server]\nurl = https://e.org/\ntask_lists = https://e.org/a/ ftp://e.org/b/\n",
       "task_lists = ftp://e.org/b/ is not"},
      {"[server]\nurl = https://e.org/\ntask_lists =" +
           [] {
             std::string many;
             for (int i = 0; i < 65; ++i) many += " https://e.org/" + std::to_string(i) + "/";
             return many;
           }(),
       "names more than 64 lists"},
  };
  for (const auto& c : kCases) {
    const std::string e = test::failureOf<SyncError>([&] { SyncConfig::parse(c.text, "x"); });
    EXPECT_NE(e.find(c.message), std::string::npos) << c.text << ": " << e;
  }
}

// Passwords come from the first line of a command's output or of a file only its owner may
// read; a failing command is reported without its output.
TEST(SyncConfigTest, PasswordsComeFromACommandOrAPrivateFile) {
  test::TempFolder folder;
  SyncConfig c;
  EXPECT_EQ(c.password(), "");
  c.passwordCommand = "printf 'secret\\nsecond line'";
  EXPECT_EQ(c.password(), "secret");
  c.passwordCommand = "echo $((6 * 7)); exit 3";
  const std::string failed = test::failureOf<SyncError>([&] { c.password(); });
  EXPECT_NE(failed.find("exit status 3"), std::string::npos) << failed;
  EXPECT_EQ(failed.find("42"), std::string::npos) << failed;
  c.passwordCommand.clear();
  c.passwordFile = folder.file("password");
  test::writeBytes(c.passwordFile, "secret\n");
  chmod(c.passwordFile.c_str(), 0640);
  EXPECT_THROW(c.password(), SyncError);
  chmod(c.passwordFile.c_str(), 0600);
  EXPECT_EQ(c.password(), "secret");
  c.passwordFile = folder.path();
  EXPECT_NE(test::failureOf<SyncError>([&] { c.password(); }).find("is a folder"),
            std::string::npos);
}

// An empty password is refused with a message, never sent; a command that does not finish is
// stopped after its time, and whatever it started with it.
TEST(SyncConfigTest, EmptyPasswordsAndHangingCommandsAreRefused) {
  test::TempFolder folder;
  const struct {
    const char* command;
    const char* file;
    const char* message;
  } kCases[] = {
      {"printf '\\nsecret'", nullptr, "printed no password (its first line is empty)"},
      {"true", nullptr, "printed no password"},
      {"sleep 30 & sleep 30", nullptr, "gave no password within 1 s; it was stopped"},
      {nullptr, "\nsecret\n", "holds no password (its first line is empty)"},
      {nullptr, "", "holds no password"},
  };
  for (const auto& c : kCases) {
    SyncConfig config;
    config.passwordSeconds = 1;
    if (c.command) config.passwordCommand = c.command;
    if (c.file) {
      config.passwordFile = folder.file("password");
      test::writeBytes(config.passwordFile, c.file);
      chmod(config.passwordFile.c_str(), 0600);
    }
    const std::string e = test::failureOf<SyncError>([&] { config.password(); });
    EXPECT_NE(e.find(c.message), std::string::npos) << (c.command ? c.command : c.file) << e;
  }
}

// Without a configuration there is no account, and nothing to synchronise with.
TEST(SyncConfigTest, WithoutAConfigurationNothingHappens) {
  test::TempFolder folder;
  setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);
  EXPECT_EQ(SyncConfig::defaultPath(), folder.file("tallyworks/tallyworks.ini"));
  EXPECT_FALSE(SyncConfig::loadDefault());
  std::filesystem::create_directories(folder.file("tallyworks"));
  test::writeBytes(folder.file("tallyworks/tallyworks.ini"), "[idle]\nminutes = 5\n");
  EXPECT_FALSE(SyncConfig::loadDefault());
  // The account is in the settings file once it has a [server] section, until then in the
  // sync.ini of earlier versions.
  std::filesystem::create_directories(folder.file("tallyworks"));
  for (const auto& [settings, expected] : {std::pair{"[idle]\nminutes = 5\n", "sync.ini"},
                                           {"[server]\nurl = http://a/\n", "tallyworks.ini"}}) {
    test::writeBytes(folder.file("tallyworks/sync.ini"), "[server]\nurl = http://b/\n");
    test::writeBytes(folder.file("tallyworks/tallyworks.ini"), settings);
    EXPECT_EQ(SyncConfig::defaultPath(), folder.file("tallyworks/") + expected);
  }
  unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace tw
