// zembra32-viewer-bench: how long the result viewer takes to open a large
// result file (a million lines by default), and to scroll through it.
// Usage: zembra32-viewer-bench [LINES]   (run with QT_QPA_PLATFORM=offscreen)

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QListView>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <string>

#include "ui/main/program_state.h"
#include "ui/dialogs/result_viewer.h"

namespace {

// A result file of `lines` digit lines in the format runs write.
void writeResultFile(const QString& path, long lines) {
  std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
  const std::string line =
      "\"  1415926535  8979323846  2643383279  5028841971  6939937510   : 50\"\r\n";
  for (long i = 0; i < lines; ++i) std::fwrite(line.data(), 1, line.size(), file);
  std::fclose(file);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const long lines = argc > 1 ? std::stol(argv[1]) : 1'000'000;
  QTemporaryDir folder;
  const QString path = folder.filePath("pi.txt");
  writeResultFile(path, lines);

  zembra::ui::ProgramState state;
  state.run.resultFilePath = path.toStdString();
  QElapsedTimer clock;
  clock.start();
  auto* viewer = new zembra::ui::ResultViewer(state);
  viewer->show();
  QCoreApplication::processEvents();
  const double openSeconds = clock.nsecsElapsed() / 1e9;

  auto* list = viewer->findChild<QListView*>("List1");
  clock.restart();
  const int pages = 200;
  for (int page = 0; page < pages; ++page) {
    list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    list->viewport()->repaint();
  }
  const double pageMilliseconds = clock.nsecsElapsed() / 1e6 / pages;
  QTextStream(stdout) << lines << " lines (" << QFileInfo(path).size() / 1e6 << " MB): opened in "
                      << openSeconds << " s, " << pageMilliseconds << " ms per page scrolled\n";
  viewer->close();
  return 0;
}
