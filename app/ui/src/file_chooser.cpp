#include "file_chooser.h"

#include <QFileDialog>

namespace varim::ui {

QString DialogFileChooser::ChooseOpen(QWidget* parent, const QString& filter,
                                      const QString& folder) {
  return QFileDialog::getOpenFileName(parent, "Open", folder, filter);
}

QString DialogFileChooser::ChooseSave(QWidget* parent, const QString& filter, const QString& suffix,
                                      const QString& folder) {
  QFileDialog dialog(parent, "Save As", folder, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

}  // namespace varim::ui
