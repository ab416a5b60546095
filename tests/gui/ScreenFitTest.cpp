#include <QAction>
#include <QApplication>
#include <QScreen>

#include "../sync/FakeResolver.h"
#include "WindowFixture.h"
#include "gui/common/ScreenFit.h"
#include "gui/prefs/PreferencesDialog.h"
#include "gui/report/ReportViewer.h"
#include "gui/summary/SummaryView.h"

namespace tw::test {
namespace {

// Run on a 1366 × 800 screen at the scale factor of QT_SCALE_FACTOR (tests/gui/CMakeLists.txt):
// every window opens whole within the screen's available area, at no less than its layout needs.
class ScreenFitTest : public WindowFixture {
 protected:
  ScreenFitTest() { qApp->installEventFilter(&fit); }

  static void expectWhole(const QWidget& window) {
    SCOPED_TRACE(window.metaObject()->className());
    const QRect area = window.screen()->availableGeometry();
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    ASSERT_NEAR(area.width() * scale, 1366, scale) << "the screen is not the configured one";
    EXPECT_TRUE(area.contains(window.frameGeometry())) << window.frameGeometry().bottom();
    const QSize least = window.minimumSizeHint();
    EXPECT_EQ(window.size().expandedTo(least), window.size()) << least.width() << least.height();
  }

  ScreenFit fit;
};

TEST_F(ScreenFitTest, EveryWindowOpensWholeOnTheScreen) {
  addTask("A task with a subject long enough to widen a list that fits its items");
  load();
  window->show();
  expectWhole(*window);
  desktop.onDialog = [](QDialog& dialog) {
    dialog.show();
    expectWhole(dialog);
    return 0;
  };
  child<QPushButton>("reportToggle")->click();
  expectWhole(*window);
  child<QPushButton>("startDateButton")->click();
  child<QAction>("tasksAction")->trigger();
  child<QAction>("journalAction")->trigger();
  expectWhole(*window->findChild<QWidget*>("journalWindow"));
  ReportViewer viewer(services, window);
  SummaryView summary(store, services);
  FakeResolver dns;
  PreferencesDialog preferences(dns, desktop);
  for (QWidget* other : std::initializer_list<QWidget*>{&viewer, &summary, &preferences}) {
    other->show();
    expectWhole(*other);
  }
}

}  // namespace
}  // namespace tw::test
