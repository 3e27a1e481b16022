#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

#include "tests/ui/dialogs/modal_driver.h"
#include "ui/dialogs/counter_options_dialog.h"
#include "ui/main/locale_number.h"

namespace zembra::ui {
namespace {

class CounterOptions : public ::testing::Test {
 protected:
  void open(const std::function<void(CounterOptionsDialog&)>& act) {
    auto* dialog = new CounterOptionsDialog(settings);
    test::whenModal([dialog, act] { act(*dialog); });
    const auto watchdog = test::armWatchdog();
    dialog->exec();
    EXPECT_FALSE(*watchdog);
  }
  static QLineEdit* box(CounterOptionsDialog& dialog) { return dialog.findChild<QLineEdit*>("Text1"); }
  static QScrollBar* bar(CounterOptionsDialog& dialog) { return dialog.findChild<QScrollBar*>("HScroll1"); }
  // Types `text` over the box's text; characters beyond ASCII come as an
  // input method commits them.
  static void type(CounterOptionsDialog& dialog, const QString& text) {
    box(dialog)->selectAll();
    if (text.toLatin1() == text.toUtf8()) {
      QTest::keyClicks(box(dialog), text);
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(text);
      QApplication::sendEvent(box(dialog), &commit);
    }
  }
  static void confirm(CounterOptionsDialog& dialog) {
    QTest::mouseClick(dialog.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  }
  // Puts `text` in the box at once (no keystroke in between corrects it),
  // confirms, and returns the step stored.
  int stored(const QString& text) {
    open([&](CounterOptionsDialog& dialog) {
      box(dialog)->setText(text);
      EXPECT_EQ(box(dialog)->text(), withHalfWidthDigits(text)) << "no correction before confirm";
      confirm(dialog);
    });
    return settings.counterStep;
  }

  RunSettings settings;
};

TEST_F(CounterOptions, opens_on_the_current_step_and_mode) {
  open([](CounterOptionsDialog& dialog) {
    EXPECT_EQ(box(dialog)->text(), "1");
    EXPECT_EQ(bar(dialog)->value(), 0);
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("Option1")->isChecked());
    dialog.close();
  });
  settings.counterStep = 37;
  settings.yieldWhileComputing = false;
  open([](CounterOptionsDialog& dialog) {
    EXPECT_EQ(box(dialog)->text(), "37");
    EXPECT_EQ(bar(dialog)->value(), 37);
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("Option2")->isChecked());
    dialog.close();
  });
}

TEST_F(CounterOptions, the_box_follows_the_scroll_bar_and_stays_between_1_and_200) {
  open([](CounterOptionsDialog& dialog) {
    bar(dialog)->setFocus();
    QTest::keyClick(bar(dialog), Qt::Key_Right);
    EXPECT_EQ(box(dialog)->text(), "1");
    QTest::keyClick(bar(dialog), Qt::Key_Right);
    EXPECT_EQ(box(dialog)->text(), "2");
    QTest::keyClick(bar(dialog), Qt::Key_PageDown);
    EXPECT_EQ(box(dialog)->text(), "12");
    QTest::keyClick(bar(dialog), Qt::Key_Home);
    EXPECT_EQ(box(dialog)->text(), "1");
    type(dialog, "0");
    EXPECT_EQ(box(dialog)->text(), "1");
    type(dialog, "250");
    EXPECT_EQ(box(dialog)->text(), "200");
    box(dialog)->setText("201");
    EXPECT_EQ(box(dialog)->text(), "200");
    box(dialog)->setText("200");
    EXPECT_EQ(box(dialog)->text(), "200");
    type(dialog, "１５");  // full-width, as an input method types it
    EXPECT_EQ(box(dialog)->text(), "15");
    type(dialog, "０");
    EXPECT_EQ(box(dialog)->text(), "1");
    EXPECT_EQ(bar(dialog)->value(), 0);  // typing leaves the scroll bar alone
    dialog.close();
  });
}

TEST_F(CounterOptions, confirm_rounds_halves_to_even_and_never_stores_less_than_1) {
  EXPECT_EQ(stored("2.5"), 2);
  EXPECT_EQ(stored("3.5"), 4);
  EXPECT_EQ(stored("37"), 37);
  EXPECT_EQ(stored("３．５"), 4);
  EXPECT_EQ(stored("0.4"), 1);  // rounds to 0: below 1
  EXPECT_EQ(stored("1"), 1);
  EXPECT_EQ(stored("200"), 200);
  EXPECT_EQ(stored("-3"), 1);
  settings.counterStep = 50;  // text that is no number keeps it
  EXPECT_EQ(stored(""), 50);
  EXPECT_EQ(stored("x7"), 50);
}

TEST_F(CounterOptions, the_mode_buttons_set_run_mode_and_the_close_box_changes_nothing) {
  open([](CounterOptionsDialog& dialog) {
    QTest::mouseClick(dialog.findChild<QRadioButton*>("Option2"), Qt::LeftButton);
    confirm(dialog);
  });
  EXPECT_FALSE(settings.yieldWhileComputing);
  open([](CounterOptionsDialog& dialog) {
    QTest::mouseClick(dialog.findChild<QRadioButton*>("Option1"), Qt::LeftButton);
    type(dialog, "99");
    dialog.close();
  });
  EXPECT_FALSE(settings.yieldWhileComputing);
  EXPECT_EQ(settings.counterStep, 1);
}

}  // namespace
}  // namespace zembra::ui
