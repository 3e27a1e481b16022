#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zembra::ui {

// The lines of a text file in Shift-JIS (code page 932), as stored: line ends
// (CR LF, LF or CR) removed, a last line without a line end kept, bytes that
// are not valid Shift-JIS shown as replacement characters.
struct FileLines {
  QStringList lines;
  QString error;  // the system's reason when the file could not be read
};

FileLines readShiftJisLines(const QString& path);

}  // namespace zembra::ui
