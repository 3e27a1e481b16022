// The window as a run sees it, and how its painting follows the pump.

#include "ui/main/qt_window_adapter.h"

#include <QEvent>
#include <QRegularExpression>

#include "tests/ui/main/form1_fixture.h"

namespace zembra::ui::test {
namespace {

using namespace std::chrono_literals;

// Counts the paint events of one widget.
class PaintCounter final : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

class WindowAdapter : public Form1Test {
 protected:
  WindowAdapter() { pump.pumpNow(); }  // settles the window's first paints

  std::chrono::steady_clock::time_point now{};
  EventPump pump{[this] { return now; }};
  ProgramEnd end{[] {}};
  QtWindowAdapter window{form, pump, end};
};

TEST_F(WindowAdapter, reads_and_writes_the_controls_the_run_uses) {
  c.Text17->setText(QStringLiteral("1,000"));
  EXPECT_EQ(window.digitText(), "1,000");
  EXPECT_EQ(window.toNumber(window.digitText()), std::optional<double>(1000));
  EXPECT_EQ(window.toNumber("inf"), std::nullopt);
  const std::pair<Label, CaptionLabel*> labels[] = {{Label::Label1, c.Label1},
                                                    {Label::Label2, c.Label2},
                                                    {Label::Label3, c.Label3},
                                                    {Label::Label11, c.Label11},
                                                    {Label::Label25, c.Label25}};
  for (const auto& [label, control] : labels) {
    window.setCaption(label, "21:04:05 結果");
    EXPECT_EQ(control->text(), QStringLiteral("21:04:05 結果"));
    EXPECT_EQ(window.caption(label), "21:04:05 結果");
  }
  window.appendList("a");
  window.appendList("b");
  EXPECT_EQ(listLines(), (QStringList{"a", "b"}));
  window.clearList();
  EXPECT_TRUE(listLines().isEmpty());
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{1,2}:\\d\\d:\\d\\d$"))
                  .match(QString::fromStdString(window.longTimeNow()))
                  .hasMatch());
}

TEST_F(WindowAdapter, a_refresh_paints_at_once_only_when_the_next_pump_is_due) {
  PaintCounter counter(c.Label11);
  now += 20ms;
  window.setCaption(Label::Label11, "1");
  window.refresh(Label::Label11);
  EXPECT_EQ(counter.paints, 1);
  window.pumpEvents();
  EXPECT_EQ(counter.paints, 1) << "nothing left to paint";

  now += 5ms;
  window.setCaption(Label::Label11, "2");
  window.refresh(Label::Label11);
  window.pumpEvents();
  EXPECT_EQ(counter.paints, 1) << "too soon after the last pump";
  EXPECT_EQ(c.Label11->text(), QStringLiteral("2")) << "the caption changes all the same";

  now += 10ms;
  window.setCaption(Label::Label11, "3");
  window.pumpEvents();
  EXPECT_EQ(counter.paints, 2) << "the pump paints what changed meanwhile";
}

TEST_F(WindowAdapter, the_pump_after_the_end_time_always_runs) {
  PaintCounter counter(c.Label11);
  now += 20ms;
  window.pumpEvents();
  now += 1ms;
  window.setCaption(Label::Label25, "21:04:06");
  window.refresh(Label::Label25);
  window.setCaption(Label::Label11, "931");
  window.pumpEvents();
  EXPECT_EQ(counter.paints, 1);
}

TEST_F(WindowAdapter, a_pump_after_the_end_of_the_program_was_asked_for_unwinds_the_run) {
  window.pumpEvents();
  end.request();
  EXPECT_THROW(window.pumpEvents(), ProgramEnding);
}

}  // namespace
}  // namespace zembra::ui::test
