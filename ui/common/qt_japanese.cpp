#include "ui/common/qt_japanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zembra::ui {

bool useQtJapanese() {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace zembra::ui
