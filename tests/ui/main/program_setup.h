#pragma once

// What the test program's main set up as the program's own main does.

namespace zembra::ui::test {

// Whether Qt's Japanese translation was found and installed.
inline bool qtJapaneseLoaded = false;

}  // namespace zembra::ui::test
