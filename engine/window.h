#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What a run needs of the main window, and the program's global state. The
// window implements Window with its real controls; the command-line tool and
// the tests implement it with substitutes of their own.

namespace zembra {

enum class Label { Label1, Label2, Label3, Label11, Label25 };

class Window {
 public:
  virtual ~Window() = default;

  virtual std::string digitText() = 0;  // Text17's text
  // The user's locale's number conversion, the same the digit entry uses;
  // nullopt when the text is not a number.
  virtual std::optional<double> toNumber(const std::string& text) = 0;

  virtual void setCaption(Label label, const std::string& caption) = 0;
  virtual std::string caption(Label label) = 0;
  virtual void refresh(Label label) = 0;  // repaint this one label now

  virtual void clearList() = 0;                          // List1
  virtual void appendList(const std::string& line) = 0;  // List1

  virtual void pumpEvents() = 0;          // let pending window events run
  virtual std::string longTimeNow() = 0;  // time of day, long time format
};

// The program's global state, one instance for the process.
struct GlobalState {
  std::string ResultFilePath = " ";  // " " (one blank): no result file
  std::string LineBuffer;            // the line last read by the viewer
  std::int16_t CounterStep = 1;      // the counter shows every CounterStep-th term
  float MainListMargin = 0;
  float ViewerListMargin = 0;
  std::int16_t RunMode = 0;  // 0: let events in while computing; else only at the counter
};

}  // namespace zembra
