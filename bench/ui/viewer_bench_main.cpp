// zembra32-viewer-bench: how the result viewer copes with a large file.
// Usage: zembra32-viewer-bench [LINES]  a generated result file of LINES digit
//                                       lines (a million by default)
//        zembra32-viewer-bench FILE     any file
//        zembra32-viewer-bench --find [LINES]  a result file of LINES digit
//              lines (4.2 million, about 300 MB, by default) with a header and
//              a sequence of its own in the last line, searched once indexed
// Run with QT_QPA_PLATFORM=offscreen. Prints one line of key=value figures:
// first_page_s (until the first page is painted), all_lines_s (until every
// line is counted), lines (the file's lines, the notice line not counted),
// longest_stall_ms (the longest the event loop went without running), and
// page_ms (one page scrolled and painted, once all lines are counted). With
// --find also found_s and counted_s (from Enter in the find row until the
// place is shown, and until the count is), search_stall_ms (the longest
// stall meanwhile), rss_anon_kib (the private memory once indexed) and
// search_rss_anon_peak_kib (its peak while the search runs).

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>

#include "engine/result_file/shift_jis.h"
#include "engine/result_header.h"
#include "ui/dialogs/viewer/line_list_view.h"
#include "ui/dialogs/viewer/result_viewer.h"

namespace {

// Found once, in the last line of a file written for --find.
const std::string kPlanted = "2718281828";

// A result file of `lines` digit lines in the format runs write; with
// `forFind` its two header lines first and kPlanted in its last line.
void writeResultFile(const QString& path, long lines, bool forFind) {
  std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
  const std::string groups = "1415926535  8979323846  2643383279  5028841971  6939937510";
  const auto put = [file](const std::string& line) {
    const std::string quoted = "\"" + line + "\"\r\n";
    std::fwrite(quoted.data(), 1, quoted.size(), file);
  };
  if (forFind) {
    put(zembra::toShiftJis(zembra::digitCountHeader(std::to_string(lines * 50))));
    put(zembra::toShiftJis(zembra::timesHeader("9:00:00", "9:00:01")));
  }
  for (long i = 0; i < lines; ++i) {
    const bool last = forFind && i == lines - 1;
    const std::string start = forFind && i == 0 ? "3." : "  ";
    put(start + (last ? kPlanted + groups.substr(kPlanted.size()) : groups) + "   : 50");
  }
  std::fclose(file);
}

// The process's private memory now, in KiB (RssAnon in /proc/self/status).
long privateKib() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("RssAnon:", 0) == 0) return std::stol(line.substr(8));
  }
  return -1;
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
  void reset() {
    longest_ = 0;
    since_.restart();
  }

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

// Ctrl+F, kPlanted and Enter in the viewer's find row, as a user types them;
// prints the figures of the search.
void printFindFigures(zembra::ui::ResultViewer* viewer, StallMeter& stalls) {
  long peakKib = privateKib();
  const long indexedKib = peakKib;
  QTimer memory;
  QObject::connect(&memory, &QTimer::timeout,
                   [&peakKib] { peakKib = std::max(peakKib, privateKib()); });
  memory.start(5);
  QTest::keyClick(viewer, Qt::Key_F, Qt::ControlModifier);
  auto* box = viewer->findChild<QLineEdit*>("FindText");
  auto* message = viewer->findChild<QLabel*>("FindMessage");
  box->setText(QString::fromStdString(kPlanted));
  QElapsedTimer clock;
  stalls.reset();
  clock.start();
  QTest::keyClick(box, Qt::Key_Return);
  const auto waitWhile = [message](const char* text) {
    while (message->text().contains(QString::fromUtf8(text)))
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  };
  waitWhile("検索しています");
  const double found = clock.nsecsElapsed() / 1e9;
  waitWhile("数えています");
  const double counted = clock.nsecsElapsed() / 1e9;
  QTextStream(stdout) << "found_s=" << found << " counted_s=" << counted
                      << " search_stall_ms=" << stalls.longestMs() << " rss_anon_kib=" << indexedKib
                      << " search_rss_anon_peak_kib=" << peakKib << " message=" << message->text()
                      << "\n";
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QStringList arguments = QCoreApplication::arguments().mid(1);
  const bool find = arguments.removeOne(QStringLiteral("--find"));
  const QString argument =
      arguments.value(0, find ? QStringLiteral("4200000") : QStringLiteral("1000000"));
  bool isCount = false;
  const long lines = argument.toLong(&isCount);
  QTemporaryDir folder;
  const QString path = isCount ? folder.filePath("pi.txt") : argument;
  if (isCount) writeResultFile(path, lines, find);

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
  if (find) printFindFigures(viewer, stalls);
  viewer->close();
  return 0;
}
