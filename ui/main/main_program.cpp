#include "ui/main/main_program.h"

namespace zembra::ui {

MainProgram::MainProgram(GlobalState& state, DialogHost& dialogs,
                         std::function<void()> endEventLoop)
    : programEnd_(std::move(endEventLoop)),
      form_(state),
      entry_(form_.controls()),
      zembra1_(state, form_, dialogs),
      run_(state, form_, entry_, programEnd_),
      commands_(form_, zembra1_, run_, programEnd_) {
  QObject::connect(&form_, &Form1::closed, [this] { programEnd_.request(); });
}

}  // namespace zembra::ui
