#include "ui/main/main_program.h"

namespace zembra::ui {

MainProgram::MainProgram(ProgramState& state, WindowOpeners& windows,
                         std::function<void()> endEventLoop)
    : programEnd_(std::move(endEventLoop)),
      window_(state),
      launchers_(state, windows, window_),
      entry_(window_.controls()),
      run_(state, window_, entry_, programEnd_,
           [this](const std::string& path) { return launchers_.confirmReplace(path); }) {
  windows.setOwner(&window_);
  connectMenus();
  connectPictureButtons();
  QObject::connect(&window_, &MainWindow::closed, &window_, [this] { programEnd_.request(); });
}

void MainProgram::connectMenus() {
  const MainMenus& m = window_.menus();
  Launchers* l = &launchers_;
  QObject::connect(m.chooseOutputFile, &QAction::triggered, &window_,
                   [l] { l->chooseOutputFile(); });
  QObject::connect(m.showResultFile, &QAction::triggered, &window_, [l] {
    l->chooseDisplayFile();
    l->showResultViewer();
  });
  QObject::connect(m.exit, &QAction::triggered, &window_, [this] { programEnd_.request(); });
  QObject::connect(m.run, &QAction::triggered, &window_, [this] { run_.run(); });
  QObject::connect(m.counterOptions, &QAction::triggered, &window_,
                   [l] { l->showCounterOptions(); });
  QObject::connect(m.help, &QAction::triggered, &window_, [l] { l->showHelp(); });
  QObject::connect(m.version, &QAction::triggered, &window_, [l] { l->showVersion(); });
}

// Output file, run, counter options, help.
void MainProgram::connectPictureButtons() {
  const auto& buttons = window_.controls().pictureButtons;
  Launchers* l = &launchers_;
  QObject::connect(buttons[0], &PictureButton::clicked, &window_, [l] { l->chooseOutputFile(); });
  QObject::connect(buttons[1], &PictureButton::clicked, &window_, [this] { run_.run(); });
  QObject::connect(buttons[2], &PictureButton::clicked, &window_, [l] { l->showCounterOptions(); });
  QObject::connect(buttons[3], &PictureButton::clicked, &window_, [l] { l->showHelp(); });
}

}  // namespace zembra::ui
