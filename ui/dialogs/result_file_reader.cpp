#include "ui/dialogs/result_file_reader.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cerrno>
#include <cstring>

namespace zembra::ui {
namespace {

QStringList splitLines(const QString& text) {
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines << text.mid(start, i - start);
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines << text.mid(start);
  return lines;
}

}  // namespace

FileLines readShiftJisLines(const QString& path) {
  // Only plain files: a folder, a device or a pipe would fail, never end or hang.
  const QFileInfo info(path);
  if (info.isDir()) return {{}, QString::fromLocal8Bit(std::strerror(EISDIR))};
  if (info.exists() && !info.isFile()) return {{}, "通常のファイルではありません"};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {{}, file.errorString()};
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return {{}, file.errorString()};
  QStringDecoder decoder("CP932");
  if (!decoder.isValid()) return {{}, "code page 932 is not available"};
  return {splitLines(decoder.decode(bytes)), {}};
}

}  // namespace zembra::ui
