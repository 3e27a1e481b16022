#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "tests/ui/dialogs/modal_driver.h"
#include "ui/dialogs/counter_options_dialog.h"

namespace zembra::ui {
namespace {

class CounterOptions : public ::testing::Test {
 protected:
  void open(const std::function<void(CounterOptionsDialog&)>& act) {
    test::runModal(new CounterOptionsDialog(settings), act);
  }
  static QLineEdit* box(QWidget& dialog) { return dialog.findChild<QLineEdit*>("Text1"); }
  static QScrollBar* bar(QWidget& dialog) { return dialog.findChild<QScrollBar*>("HScroll1"); }
  static void click(QWidget& dialog, const char* button) {
    QTest::mouseClick(dialog.findChild<QAbstractButton*>(button), Qt::LeftButton);
  }
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

TEST_F(CounterOptions, the_box_follows_the_scroll_bar_and_typing_leaves_the_bar_alone) {
  open([](CounterOptionsDialog& dialog) {
    bar(dialog)->setFocus();
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
}

// Typed over a step of 50: what the box shows at once, and what confirm stores.
TEST_F(CounterOptions, typed_steps_stay_within_1_to_200_and_confirm_rounds_halves_to_even) {
  const struct {
    QString typed;
    QString shown;
    int stored;
  } cases[] = {
      {"0", "1", 1},        {"０", "1", 1},     {"201", "200", 200}, {"250", "200", 200},
      {"200", "200", 200},  {"１５", "15", 15}, {"2.5", "2.5", 2},   {"3.5", "3.5", 4},
      {"３．５", "3.5", 4}, {"0.4", "0.4", 1},  {"-3", "-3", 1},     {"", "", 50},
      {"x7", "x7", 50},
  };
  for (const auto& step : cases) {
    SCOPED_TRACE(step.typed.toStdString());
    settings.counterStep = 50;
    open([&](CounterOptionsDialog& dialog) {
      EXPECT_EQ(bar(dialog)->value(), 50);
      type(dialog, step.typed);
      EXPECT_EQ(box(dialog)->text(), step.shown);
      click(dialog, "Command1");
    });
    EXPECT_EQ(settings.counterStep, step.stored);
  }
}

TEST_F(CounterOptions, opens_on_the_current_mode_which_confirm_stores_and_the_close_box_keeps) {
  open([](CounterOptionsDialog& dialog) {
    EXPECT_EQ(box(dialog)->text(), "1");
    EXPECT_EQ(bar(dialog)->value(), 0);  // a step of 1 rests at the left end
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("Option1")->isChecked());
    click(dialog, "Option2");
    click(dialog, "Command1");
  });
  EXPECT_FALSE(settings.yieldWhileComputing);
  open([](CounterOptionsDialog& dialog) {
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("Option2")->isChecked());
    click(dialog, "Option1");
    type(dialog, "99");
    dialog.close();
  });
  EXPECT_FALSE(settings.yieldWhileComputing);
  EXPECT_EQ(settings.counterStep, 1);
}

}  // namespace
}  // namespace zembra::ui
