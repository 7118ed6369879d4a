#include "help_opener.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "varim/core/operator_texts.h"

namespace varim::ui {

namespace texts = varim::core::texts;

bool OpenHelp(const QString& folder, varim::core::Operator& op) {
  const QString path = QDir(folder).filePath(kHelpFileName);
  const std::string shown = path.toStdString();
  if (!QFileInfo(folder).isDir()) {
    op.Notify(texts::HelpPathNotFound(shown), varim::core::Operator::Icon::kExclamation);
    return false;
  }
  if (!QFileInfo(path).isFile()) {
    op.Notify(texts::HelpFileNotFound(shown), varim::core::Operator::Icon::kExclamation);
    return false;
  }
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
    // No viewer for the document: the same answer the desktop gives for a path it cannot use.
    op.Notify(texts::HelpPathNotFound(shown), varim::core::Operator::Icon::kExclamation);
    return false;
  }
  return true;
}

}  // namespace varim::ui
