// zembra32-viewer-bench: how the result viewer copes with a large file.
// Usage: zembra32-viewer-bench [LINES]  a generated result file of LINES digit
//                                       lines (a million by default)
//        zembra32-viewer-bench FILE     any file
// Run with QT_QPA_PLATFORM=offscreen. Prints one line of key=value figures:
// first_page_s (until the first page is painted), all_lines_s (until every
// line is counted), lines (the file's lines, the notice line not counted),
// longest_stall_ms (the longest the event loop went without running), and
// page_ms (one page scrolled and painted, once all lines are counted).

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <string>

#include "ui/dialogs/viewer/line_list_view.h"
#include "ui/dialogs/viewer/result_viewer.h"

namespace {

// A result file of `lines` digit lines in the format runs write.
void writeResultFile(const QString& path, long lines) {
  std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
  const std::string line =
      "\"  1415926535  8979323846  2643383279  5028841971  6939937510   : 50\"\r\n";
  for (long i = 0; i < lines; ++i) std::fwrite(line.data(), 1, line.size(), file);
  std::fclose(file);
}

// The longest gap between two turns of the event loop, seen by a timer that
// asks to run every millisecond.
class StallMeter {
 public:
  StallMeter() {
    QObject::connect(&timer_, &QTimer::timeout,
                     [this] { longest_ = std::max(longest_, since_.restart()); });
    since_.start();
    timer_.start(1);
  }
  qint64 longestMs() const { return longest_; }

 private:
  QTimer timer_;
  QElapsedTimer since_;
  qint64 longest_ = 0;
};

double pageMilliseconds(zembra::ui::LineListView* list) {
  QElapsedTimer clock;
  clock.start();
  const int pages = 200;
  for (int page = 0; page < pages; ++page) {
    list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    list->viewport()->repaint();
  }
  return clock.nsecsElapsed() / 1e6 / pages;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QString argument = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("1000000");
  bool isCount = false;
  const long lines = argument.toLong(&isCount);
  QTemporaryDir folder;
  const QString path = isCount ? folder.filePath("pi.txt") : argument;
  if (isCount) writeResultFile(path, lines);

  zembra::ui::ProgramState state;
  state.resultFilePath = QFile::encodeName(path).toStdString();
  QElapsedTimer clock;
  clock.start();
  StallMeter stalls;
  auto* viewer = new zembra::ui::ResultViewer(state);
  viewer->show();
  auto* list = viewer->findChild<zembra::ui::LineListView*>("List1");
  list->viewport()->repaint();
  const double firstPage = clock.nsecsElapsed() / 1e9;
  while (!viewer->indexingDone()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  const double allLines = clock.nsecsElapsed() / 1e9;
  while (!viewer->allLinesShown())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);

  QTextStream(stdout) << "first_page_s=" << firstPage << " all_lines_s=" << allLines
                      << " lines=" << list->rowCount() - 1
                      << " longest_stall_ms=" << stalls.longestMs()
                      << " page_ms=" << pageMilliseconds(list)
                      << " bytes=" << QFileInfo(path).size() << "\n";
  viewer->close();
  return 0;
}
