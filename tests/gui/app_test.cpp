#include "gui/app.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <functional>

#include "platform/event_constants.h"
#include "platform/ui/menus.h"
#include "platform/ui/nib.h"
#include "platform/ui/qt_support.h"
#include "tests/gui/gui_fixture.h"
#include "toolkit/event_posting.h"

namespace brek::zomelo {
namespace {

class AppTest : public harkwell_test::GuiFixture {
 protected:
  // Runs the program; `during` is called once its loop runs, and the program then ends by
  // closing its window as the user would.
  void RunApp(const std::function<void()>& during) {
    App app;
    QTimer::singleShot(0, [&] {
      during();
      if (QWidget* window = TopLevel("PrefsDialog")) window->close();
    });
    ASSERT_EQ(app.Run(), 0);
    EXPECT_FALSE(platform::IsWindowVisible(WindowNamed("PrefsDialog")));
  }

  // A menu whose items carry `commands`, as a menu of the menu bar would, each enabled or not.
  static QMenu* Menu(const std::vector<std::pair<const char*, bool>>& commands) {
    auto* menu = new QMenu;
    for (const auto& [command, enabled] : commands) {
      QAction* action = menu->addAction(command);
      action->setProperty("command", command);
      action->setEnabled(enabled);
    }
    return menu;
  }
  static bool Enabled(QMenu* menu, const char* command) {
    for (QAction* action : menu->actions()) {
      if (action->property("command").toString() == command) return action->isEnabled();
    }
    ADD_FAILURE() << command;
    return false;
  }
  static QAction* MenuBarItem(const char* command) {
    for (QAction* action : platform::ui::ApplicationMenuBar()->findChildren<QAction*>()) {
      if (action->property("command").toString() == command) return action;
    }
    return nullptr;
  }
};

TEST_F(AppTest, CommandStatusFollowsTheTable) {
  RunApp([&] {
    const char* edit[] = {"undo", "redo", "cut ", "copy", "past", "clea", "sall"};
    std::vector<std::pair<const char*, bool>> items;
    for (const char* command : edit) items.emplace_back(command, true);
    items.insert(items.end(), {{"clos", true}, {"abou", false}, {"pref", false},
                               {"ZWWW", false}, {"quit", false}, {"othr", false}});
    std::unique_ptr<QMenu> menu(Menu(items));

    platform::SetUserFocusTarget(nullptr);  // no window in front
    platform::UpdateMenuItems(menu.get());
    for (const char* command : edit) EXPECT_FALSE(Enabled(menu.get(), command)) << command;
    EXPECT_FALSE(Enabled(menu.get(), "clos"));
    EXPECT_FALSE(Enabled(menu.get(), "abou"));  // left alone
    EXPECT_FALSE(Enabled(menu.get(), "pref"));
    EXPECT_FALSE(Enabled(menu.get(), "ZWWW"));
    EXPECT_TRUE(Enabled(menu.get(), "quit"));
    EXPECT_TRUE(Enabled(menu.get(), "othr"));

    platform::SelectWindow(WindowNamed("PrefsDialog"));
    platform::UpdateMenuItems(menu.get());
    EXPECT_TRUE(Enabled(menu.get(), "clos"));
    for (const char* command : edit) EXPECT_FALSE(Enabled(menu.get(), command)) << command;
  });
}

TEST_F(AppTest, TheMenuBarGivesPreferencesCtrlCommaAndOpensTheWebPage) {
  RunApp([&] {
    QAction* preferences = MenuBarItem("pref");
    ASSERT_NE(preferences, nullptr);
    EXPECT_EQ(preferences->shortcut(), QKeySequence(QStringLiteral("Ctrl+,")));
    EXPECT_TRUE(preferences->isEnabled());
    QAction* web = MenuBarItem("ZWWW");
    ASSERT_NE(web, nullptr);
    web->trigger();
    EXPECT_TRUE(Pump(10, [&] { return !Opened().empty(); }));
    EXPECT_EQ(Opened(), std::string("http://www.ashgrove.example/zomelo/\n"));
  });
}

TEST_F(AppTest, PreferencesAgainShowsTheWindowWithoutReadingAgain) {
  RunApp([&] {
    QWidget* window = TopLevel("PrefsDialog");
    ASSERT_NE(window, nullptr);
    window->hide();
    // Changes a second Prepare would pick up.
    AddLoginItemFile("Harkwell Engine", engineBundle_);
    StoreSearchPath("/changed");
    MenuBarItem("pref")->trigger();
    Pump(0.05);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(TopLevel("PrefsDialog"), window);
    auto* label = window->findChild<QWidget*>("searchFolder");
    EXPECT_EQ(label->property("text").toString().toStdString(), home_.home() + "/Music");
    EXPECT_FALSE(window->findChild<QWidget*>("engineSwitch")->property("checked").toBool());
  });
}

TEST_F(AppTest, QuitFromTheMenuEndsTheProgramAndLeavesTheEngineAlone) {
  StartRunningEngine();
  App app;
  QTimer::singleShot(0, [&] { MenuBarItem("quit")->trigger(); });
  EXPECT_EQ(app.Run(), 0);
  EXPECT_TRUE(messages().empty());
}

}  // namespace
}  // namespace brek::zomelo
