#include <gtest/gtest.h>

#include <QFileDialog>

#include "reporting/QtSaveDialog.h"
#include "tests/reporting/windows/TempDir.h"
#include "tests/support/FakeWindowServices.h"

namespace tw {
namespace {

class QtSaveDialogTest : public ::testing::Test {
 protected:
  testing::ScriptedDialogRunner runner;
  testing::TempDir dir;
  QtSaveDialog dialog{runner};
};

TEST_F(QtSaveDialogTest, OffersOneFilterAndAppendsTheDefaultExtension) {
  QStringList filters;
  runner.onExec = [&](QDialog& d) {
    auto& files = dynamic_cast<QFileDialog&>(d);
    filters = files.nameFilters();
    EXPECT_EQ(files.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(files.testOption(QFileDialog::DontConfirmOverwrite));
    files.selectFile(dir.path("hours"));
    static_cast<QDialog&>(files).accept();
    return files.result();
  };
  EXPECT_EQ(dialog.getSaveFileName(nullptr, "*.csv", "csv", ""), dir.path("hours.csv"));
  EXPECT_EQ(filters, QStringList{"*.csv"});
}

TEST_F(QtSaveDialogTest, StartsAtTheOfferedName) {
  QString offered;
  runner.onExec = [&](QDialog& d) {
    offered = dynamic_cast<QFileDialog&>(d).selectedFiles().value(0);
    return 0;
  };
  EXPECT_EQ(dialog.getSaveFileName(nullptr, "*.csv", "csv", dir.path("last.csv")), "");
  EXPECT_EQ(offered, dir.path("last.csv"));
}

TEST_F(QtSaveDialogTest, CancelGivesNoName) {
  runner.onExec = [](QDialog& d) {
    d.reject();
    return d.result();
  };
  EXPECT_EQ(dialog.getSaveFileName(nullptr, "*.csv", "csv", ""), "");
}

}  // namespace
}  // namespace tw
