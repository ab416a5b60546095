// One window per store: a second start on the same store brings the first to the front; a lock
// left by a process that is gone is taken over.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <fstream>

#include "gui/main/SingleWindow.h"
#include "tests/support/TempFolder.h"

namespace tw {
namespace {

TEST(SingleWindowTest, ASecondWindowOfAStoreRaisesTheFirstAndOthersStayApart) {
  test::TempFolder folder;
  const QString store = QString::fromStdString(folder.file("store.db"));
  SingleWindow first(store);
  ASSERT_TRUE(first.claim());
  QSignalSpy raised(&first, &SingleWindow::raiseRequested);
  SingleWindow second(store);
  EXPECT_FALSE(second.claim());
  EXPECT_TRUE(raised.wait(5000));
  SingleWindow elsewhere(QString::fromStdString(folder.file("other.db")));
  EXPECT_TRUE(elsewhere.claim());
}

TEST(SingleWindowTest, ALockOfAProcessThatIsGoneIsTakenOver) {
  test::TempFolder folder;
  const std::string store = folder.file("store.db");
  // QLockFile's content: pid, application name, host name.
  std::ofstream(store + ".window-lock") << "999999\ntallyworks\n"
                                        << QSysInfo::machineHostName().toStdString() << "\n";
  SingleWindow window(QString::fromStdString(store));
  EXPECT_TRUE(window.claim());
}

}  // namespace
}  // namespace tw
