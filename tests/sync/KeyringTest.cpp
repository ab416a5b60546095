// The password in the keyring, through a real Secret Service (gnome-keyring-daemon) on a
// private session bus, one for the whole executable; and `tallyworks sync` on an account whose
// password only the keyring holds.
#include "sync/Keyring.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "RadicaleServer.h"
#include "core/IniUpdate.h"
#include "sync/SyncConfig.h"
#include "sync/SyncError.h"
#include "tests/support/PrivateKeyring.h"
#include "tests/support/TextEdits.h"

namespace tw {
namespace {

test::PrivateKeyring* gKeyring = nullptr;

class KeyringTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Required by scripts/install-deps; missing only where a developer has not run it.
    if (!gKeyring) GTEST_SKIP() << "gnome-keyring is not installed";
  }
};

TEST_F(KeyringTest, APasswordIsKeptPerServerAndUserReplacedAndForgotten) {
  Keyring::store("https://a.test/", "alice", "first");
  Keyring::store("https://a.test/", "alice", "second");
  Keyring::store("https://a.test/", "bob", "bobs");
  Keyring::store("https://b.test/", "alice", "other server");
  const struct {
    const char *server, *user;
    std::optional<std::string> password;
  } cases[] = {{"https://a.test/", "alice", "second"},
               {"https://a.test/", "bob", "bobs"},
               {"https://b.test/", "alice", "other server"},
               {"https://a.test", "alice", std::nullopt},
               {"https://a.test/", "Alice", std::nullopt}};
  for (const auto& c : cases)
    EXPECT_EQ(Keyring::password(c.server, c.user), c.password) << c.server << c.user;
  Keyring::forget("https://a.test/", "alice");
  Keyring::forget("https://a.test/", "alice");
  EXPECT_EQ(Keyring::password("https://a.test/", "alice"), std::nullopt);
  EXPECT_EQ(Keyring::password("https://a.test/", "bob"), "bobs");
}

// The account as the window saves it: the settings file names the server and the user, the
// keyring alone holds the password; the command line synchronises with it.
TEST_F(KeyringTest, TheCommandLineSynchronisesWithThePasswordOfTheKeyring) {
  test::RadicaleServer server("alice:secret\n");
  test::TempFolder folder;
  setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
  IniUpdate::write(folder.file("config/tallyworks/tallyworks.ini"),
                   {{"server", "url", server.url()}, {"server", "username", "alice"}});
  const std::string sync = std::string(TW_TALLYWORKS) + " --store " + folder.file("t.db");
  ASSERT_EQ(std::system((sync + " task add Layout >/dev/null").c_str()), 0);
  const auto run = [&] {
    const std::string out = folder.file("out");
    const int status = std::system((sync + " sync >" + out + " 2>&1").c_str());
    return std::pair{WEXITSTATUS(status), test::readBytes(out)};
  };
  Keyring::store(server.url(), "alice", "secret");
  const auto [status, output] = run();
  EXPECT_EQ(status, 0) << output;
  EXPECT_TRUE(test::has(output, "sent 1")) << output;
  for (const auto& file : std::filesystem::recursive_directory_iterator(folder.path()))
    EXPECT_FALSE(file.is_regular_file() && test::has(test::readBytes(file.path()), "secret"))
        << file.path();
}

// A password command or file comes first; without a keyring on the bus (a headless
// machine) there is no password, and no failure.
TEST_F(KeyringTest, ACommandOrFileComesFirstAndNoKeyringMeansNoPassword) {
  Keyring::store("https://c.test/", "carol", "from the keyring");
  SyncConfig config = SyncConfig::parse(
      "[server]\nurl = https://c.test/\nusername = carol\npassword_command = echo typed\n", "t");
  EXPECT_EQ(config.password(), "typed");
  config.passwordCommand.clear();
  EXPECT_EQ(config.password(), "from the keyring");
  gKeyring->stopKeyring();
  EXPECT_EQ(config.password(), "");
}

}  // namespace
}  // namespace tw

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return tw::test::PrivateKeyring::runAllTests(tw::gKeyring);
}
