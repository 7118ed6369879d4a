#include "channel_csv_files.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

#include "varim/db/atomic_file.h"
#include "varim/panels/channel_csv.h"

namespace varim::ui {
namespace {

constexpr char kFilter[] = "CSV Files (*.csv)";
constexpr char kSuffix[] = "csv";

}  // namespace

ChannelCsvFiles::ChannelCsvFiles(varim::core::ConnectionController& controller,
                                 varim::core::Operator& op, FileChooser& chooser)
    : controller_(controller), operator_(op), chooser_(chooser) {}

void ChannelCsvFiles::Export(QWidget* parent) {
  const QString path = chooser_.ChooseSave(parent, kFilter, kSuffix, folder_);
  if (path.isEmpty()) return;
  folder_ = QFileInfo(path).absolutePath();
  std::string reason;
  if (!varim::db::SaveFileAtomically(
          path.toStdString(), varim::panels::ChannelsCsv(controller_.Session().Databases().radio),
          &reason)) {
    TellError(QString("Cannot save %1: %2").arg(path, QString::fromStdString(reason)));
  }
}

bool ChannelCsvFiles::Import(QWidget* parent) {
  const QString path = chooser_.ChooseOpen(parent, kFilter, folder_);
  if (path.isEmpty()) return false;
  folder_ = QFileInfo(path).absolutePath();
  const std::optional<std::string> text = Read(path);
  if (!text) return false;
  dbase& radio = controller_.Session().Databases().radio;
  // The import leaves the program's record alone unless the whole file is taken.
  auto changed = std::make_unique<dbase>(radio);
  const varim::panels::ChannelCsvImport imported = varim::panels::ImportChannelsCsv(*text, *changed);
  if (!imported.ok) {
    TellError(QString("line %1: %2").arg(QString::number(imported.line),
                                         QString::fromStdString(imported.reason)));
    return false;
  }
  radio = *changed;
  return true;
}

std::optional<std::string> ChannelCsvFiles::Read(const QString& path) {
  QFile file(path);
  // One byte beyond the limit tells a file that is too large, whatever its size claims.
  const QByteArray bytes =
      file.open(QIODevice::ReadOnly) ? file.read(kMaxBytes + 1) : QByteArray();
  if (file.error() != QFileDevice::NoError) {
    TellError(QString("Cannot read %1: %2").arg(path, file.errorString()));
    return std::nullopt;
  }
  if (bytes.size() > kMaxBytes) {
    TellError(QString("The file %1 is larger than 1 MiB, too large for a channel plan.").arg(path));
    return std::nullopt;
  }
  return bytes.toStdString();
}

void ChannelCsvFiles::TellError(const QString& text) {
  operator_.Notify(text.toStdString(), varim::core::Operator::Icon::kError);
}

}  // namespace varim::ui
