#pragma once

#include <QString>
#include <QWidget>

namespace varim::ui {

// Asks the operator for a file to open or to save to; empty when cancelled.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  virtual QString ChooseOpen(QWidget* parent, const QString& filter, const QString& folder) = 0;
  virtual QString ChooseSave(QWidget* parent, const QString& filter, const QString& suffix,
                             const QString& folder) = 0;
};

// The file dialogs: Open needs an existing file, Save asks before replacing one.
class DialogFileChooser : public FileChooser {
 public:
  QString ChooseOpen(QWidget* parent, const QString& filter, const QString& folder) override;
  QString ChooseSave(QWidget* parent, const QString& filter, const QString& suffix,
                     const QString& folder) override;
};

}  // namespace varim::ui
