#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <string>

#include "file_chooser.h"
#include "varim/core/connection_controller.h"

namespace varim::ui {

// The RSS panel's channels to and from a spreadsheet's CSV file, with a remembered folder.
class ChannelCsvFiles {
 public:
  // Far more than the 200 channels take; anything larger is not a channel plan.
  static constexpr qint64 kMaxBytes = 1024 * 1024;

  ChannelCsvFiles(varim::core::ConnectionController& controller, varim::core::Operator& op,
                  FileChooser& chooser);

  void Export(QWidget* parent);
  // True once a chosen file replaced the radio record's channels; a refused file changes
  // nothing and its first bad line is told.
  bool Import(QWidget* parent);

 private:
  std::optional<std::string> Read(const QString& path);
  void TellError(const QString& text);

  varim::core::ConnectionController& controller_;
  varim::core::Operator& operator_;
  FileChooser& chooser_;
  QString folder_;
};

}  // namespace varim::ui
