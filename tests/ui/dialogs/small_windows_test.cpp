// The help, version and counter options windows, and the main window's commands that open them.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFontInfo>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <set>
#include <tuple>

#include "tests/engine/temp_folder.h"
#include "tests/ui/dialogs/modal_driver.h"
#include "ui/common/fonts.h"
#include "ui/dialogs/counter_options_dialog.h"
#include "ui/dialogs/dialog_launchers.h"
#include "ui/dialogs/file_selection/file_selection_dialog.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/version_window.h"
#include "ui/dialogs/viewer/line_list_view.h"
#include "ui/dialogs/viewer/result_viewer.h"
#include "ui/main/main_program.h"

namespace zembra::ui {
namespace {

void click(QWidget& window, const char* name) {
  QTest::mouseClick(window.findChild<QAbstractButton*>(name), Qt::LeftButton);
}

// The version window names the version the build was made with (project VERSION in CMake).
TEST(VersionWindowTest, names_the_version_of_the_build) {
  auto* window = new VersionWindow;
  EXPECT_EQ(window->findChild<QLabel*>("Label1")->text(),
            QStringLiteral("ZEMBRA32 バージョン V" ZEMBRA_MAJOR_MINOR_VERSION));
  window->close();
}

// The help and display commands open the program's own windows.
TEST(Launchers, help_leads_to_the_version_and_back_and_display_shows_the_file_kept) {
  TempFolder folder;
  ProgramState state;
  DialogLaunchers windows{state};
  MainProgram program{state, windows, [] {}};
  const test::Watchdog watchdog;
  QStringList seen;  // what the windows showed, in order
  // Notes the title of the modal window open now and presses its button `name`, if it has one.
  const auto press = [&](const char* name) {
    QWidget* window = test::activeModal();
    seen << (window ? window->windowTitle() : "no window");
    auto* button = window ? window->findChild<QAbstractButton*>(name) : nullptr;
    if (button) QTest::mouseClick(button, Qt::LeftButton);
  };
  test::whenModal([&] {
    QWidget* focus = test::activeModal() ? test::activeModal()->focusWidget() : nullptr;
    seen << (focus ? focus->objectName() : "no focus");
    test::whenModal([&] {
      const auto* tile =
          test::activeModal() ? test::activeModal()->findChild<QLabel*>("Picture1") : nullptr;
      EXPECT_TRUE(tile && !tile->pixmap().isNull()) << "the product tile";
      test::whenModal([&] { press("Command1"); });  // back in the help
      press("Command1");
    });
    press("Command2");
  });
  program.window().menus().help->trigger();
  writeBytes(folder.file("former.txt"), "\"former\"\r\n");
  state.resultFilePath = folder.file("former.txt");
  test::whenModal([&] {
    if (QWidget* selection = test::activeModal()) selection->close();  // the file is kept
    test::whenModal([&] {
      auto* viewer = qobject_cast<ResultViewer*>(test::activeModal());
      ASSERT_NE(viewer, nullptr);
      EXPECT_TRUE(QTest::qWaitFor([viewer] { return viewer->allLinesShown(); }));
      auto* list = viewer->findChild<LineListView*>("List1");
      seen << list->rowText(list->rowCount() - 1);
      viewer->close();
    });
  });
  program.window().menus().showResultFile->trigger();
  QApplication::processEvents();  // any step left over by a window that did not open
  EXPECT_EQ(seen, (QStringList{"Command1", "ｚｅｍｂｒａヘルプ", "ZEMBRAバージョン情報",
                               "ｚｅｍｂｒａヘルプ", "\"former\""}));
  EXPECT_FALSE(watchdog.fired());
}

// Return and Enter press "確認" while it has the focus, in each secondary window; Enter in the
// name box presses nothing ("確認" is no default button).
TEST(SecondaryWindows, a_focused_confirm_button_answers_return_and_enter_and_only_then) {
  ProgramState state;
  const std::function<QDialog*()> windows[] = {
      [&] { return new FileSelectionDialog(state.resultFilePath, Volumes({"/"})); },
      [&] { return new ResultViewer(state); },
      [&] { return new CounterOptionsDialog(state.run); },
      [] { return new HelpWindow; },
      [] { return new VersionWindow; },
  };
  for (const auto& open : windows) {
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Return, Qt::NoModifier},
                                         std::pair{Qt::Key_Enter, Qt::KeypadModifier}}) {
      QDialog* window = open();
      SCOPED_TRACE(window->windowTitle().toStdString());
      bool closedByKey = false;
      test::runModal<QDialog>(window, [&](QDialog& w) {
        auto* confirm = w.findChild<QPushButton*>("Command1");
        confirm->setFocus();
        QTest::keyClick(confirm, key, modifiers);
        closedByKey = !w.isVisible();
        if (!closedByKey) w.close();
      });
      EXPECT_TRUE(closedByKey);
    }
  }
  state.resultFilePath = "/earlier.txt";
  test::runModal<QDialog>(new FileSelectionDialog(state.resultFilePath, Volumes({"/"})),
                          [](QDialog& dialog) {
                            auto* name = dialog.findChild<QLineEdit*>("Text1");
                            QTest::keyClicks(name, "x");
                            QTest::keyClick(name, Qt::Key_Return);
                            EXPECT_TRUE(dialog.isVisible());
                            dialog.close();
                          });
  EXPECT_EQ(state.resultFilePath, "/earlier.txt");
}

class CounterOptions : public ::testing::Test {
 protected:
  void open(const std::function<void(CounterOptionsDialog&)>& act) {
    test::runModal(new CounterOptionsDialog(settings), act);
  }
  static QLineEdit* box(QWidget& dialog) { return dialog.findChild<QLineEdit*>("Text1"); }
  static QScrollBar* bar(QWidget& dialog) { return dialog.findChild<QScrollBar*>("HScroll1"); }
  // Clears the box, then `text` comes as an input method commits it.
  static void type(QWidget& dialog, const QString& text) {
    box(dialog)->selectAll();
    box(dialog)->del();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box(dialog), &commit);
  }

  RunSettings settings;
};
// Every locale gets the same Japanese font in the secondary windows, so the help's indents keep
// their width (a Latin font for C or English would shrink its blanks).
TEST(SecondaryWindows, the_help_is_drawn_in_the_same_japanese_font_in_every_locale) {
  EXPECT_EQ(QApplication::font().family(), dialogFont().family());
  std::set<int> widths;
  for (const QLocale& locale : {QLocale(QLocale::Japanese, QLocale::Japan), QLocale::c(),
                                QLocale(QLocale::English, QLocale::UnitedStates)}) {
    QLocale::setDefault(locale);
    auto* help = new HelpWindow;
    const auto* indented = help->findChild<QLabel*>("Label3");
    EXPECT_EQ(QFontInfo(indented->font()).family(), QStringLiteral("IPAPGothic"));
    widths.insert(indented->fontMetrics().horizontalAdvance(indented->text()));
    help->close();
  }
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  EXPECT_EQ(widths.size(), 1u);
}

// The focus can be seen on the step's scroll bar and on the drive list.
TEST(SecondaryWindows, the_focus_shows_on_the_scroll_bar_and_the_drive_list) {
  ProgramState state;
  const std::pair<QDialog*, const char*> controls[] = {
      {new CounterOptionsDialog(state.run), "HScroll1"},
      {new FileSelectionDialog(state.resultFilePath, Volumes({"/"})), "Drive1"},
  };
  for (const auto& [window, name] : controls) {
    test::runModal<QDialog>(window, [name](QDialog& w) {
      w.activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
      auto* control = w.findChild<QWidget*>(name);
      w.findChild<QPushButton*>("Command1")->setFocus();
      const QImage without = control->grab().toImage();
      control->setFocus();
      EXPECT_NE(control->grab().toImage(), without) << name;
      w.close();
    });
  }
}

// Typed over a step of 50: what the box shows at once, and what confirm stores.
TEST_F(CounterOptions, typed_steps_stay_within_1_to_200_and_confirm_rounds_halves_to_even) {
  const std::tuple<QString, QString, int> cases[] = {
      {"0", "1", 1},        {"０", "1", 1},     {"201", "200", 200}, {"250", "200", 200},
      {"200", "200", 200},  {"１５", "15", 15}, {"2.5", "2.5", 2},   {"3.5", "3.5", 4},
      {"３．５", "3.5", 4}, {"0.4", "0.4", 1},  {"-3", "-3", 1},     {"", "", 50},
      {"x7", "x7", 50},
  };
  for (const auto& [typed, shown, stored] : cases) {
    SCOPED_TRACE(typed.toStdString());
    settings.counterStep = 50;
    open([&](CounterOptionsDialog& dialog) {
      EXPECT_EQ(bar(dialog)->value(), 50);
      type(dialog, typed);
      EXPECT_EQ(box(dialog)->text(), shown);
      click(dialog, "Command1");
    });
    EXPECT_EQ(settings.counterStep, stored);
  }
}

// Every full-width digit and sign, one by one: the box shows it half-width, 0 becoming 1.
TEST_F(CounterOptions, takes_every_full_width_digit_and_sign_as_the_one_it_stands_for) {
  QStringList typed, shown;
  for (char16_t digit = u'０'; digit <= u'９'; ++digit) typed << QString(QChar(digit));
  typed << "＋７"
        << "－７"
        << "７．５"
        << "１，０００";
  open([&](CounterOptionsDialog& dialog) {
    for (const QString& text : typed) {
      type(dialog, text);
      shown << box(dialog)->text();
    }
    dialog.close();
  });
  EXPECT_EQ(shown, (QStringList{"1", "1", "2", "3", "4", "5", "6", "7", "8", "9", "+7", "-7", "7.5",
                                "200"}));
}

TEST_F(CounterOptions, opens_on_the_current_mode_and_step_and_only_confirm_stores_them) {
  open([](CounterOptionsDialog& dialog) {
    EXPECT_EQ(box(dialog)->text(), "1");
    EXPECT_EQ(bar(dialog)->value(), 0);  // a step of 1 rests at the left end
    for (QWidget* step : {static_cast<QWidget*>(box(dialog)), static_cast<QWidget*>(bar(dialog))}) {
      EXPECT_EQ(QAccessible::queryAccessibleInterface(step)->text(QAccessible::Name),
                "処理進行カウンタの表示まるめ");
    }
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("Option1")->isChecked());
    click(dialog, "Option2");
    click(dialog, "Command1");
  });
  EXPECT_FALSE(settings.yieldWhileComputing);
  open([](CounterOptionsDialog& dialog) {
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("Option2")->isChecked());
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto* confirm = dialog.findChild<QPushButton*>("Command1");
    confirm->setFocus();
    QTest::keyClick(confirm, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.findChild<QRadioButton*>("Option2"))
        << "Tab comes into the group on the option checked";
    click(dialog, "Option1");
    bar(dialog)->setFocus();  // the box follows the bar; typing leaves the bar alone
    const std::pair<Qt::Key, QString> steps[] = {
        {Qt::Key_Right, "1"}, {Qt::Key_Right, "2"}, {Qt::Key_PageDown, "12"}, {Qt::Key_Home, "1"}};
    for (const auto& [key, shown] : steps) {
      QTest::keyClick(bar(dialog), key);
      EXPECT_EQ(box(dialog)->text(), shown);
    }
    type(dialog, "150");
    EXPECT_EQ(bar(dialog)->value(), 0);
    dialog.close();
  });
  EXPECT_FALSE(settings.yieldWhileComputing);
  EXPECT_EQ(settings.counterStep, 1);
}

}  // namespace
}  // namespace zembra::ui
