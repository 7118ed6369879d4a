#include "database_files.h"

#include <algorithm>

#include <QFileInfo>
#include <QPainter>

#include "varim/db/ale_file.h"
#include "varim/db/ccr_file.h"
#include "varim/db/empty_records.h"
#include "varim/db/rss_file.h"

namespace varim::ui {
namespace {

struct FileKind {
  const char* filter;
  const char* suffix;
  const char* title;
};

constexpr FileKind kKinds[] = {
    {"RSS Files (*.rss)", "rss", "RSS Panel"},
    {"ALE Files (*.ale)", "ale", "RSS ALE Panel"},
    {"CCIR Files (*.ccr)", "ccr", "CCIR Panel"},
};

}  // namespace

DatabaseFiles::DatabaseFiles(varim::core::ConnectionController& controller,
                             varim::core::Operator& op, FileChooser& chooser)
    : controller_(controller), operator_(op), chooser_(chooser) {}

QString DatabaseFiles::Filter(PrintedFile kind) {
  return kKinds[Index(kind)].filter;
}
QString DatabaseFiles::Suffix(PrintedFile kind) {
  return kKinds[Index(kind)].suffix;
}
QString DatabaseFiles::PanelTitle(PrintedFile kind) {
  return kKinds[Index(kind)].title;
}

QString DatabaseFiles::Title(PrintedFile kind) const {
  const QString& path = paths_[Index(kind)];
  const QString title = path.isEmpty() ? PanelTitle(kind) : PanelTitle(kind) + " - " + path;
  return Edited(kind) ? title + " *" : title;
}

bool DatabaseFiles::MayDiscard(std::initializer_list<PrintedFile> kinds) {
  const bool anyEdited =
      std::any_of(kinds.begin(), kinds.end(), [this](PrintedFile kind) { return Edited(kind); });
  if (anyEdited && !operator_.Ask(kDiscardQuestion)) return false;
  for (const PrintedFile kind : kinds) edited_[Index(kind)] = false;
  return true;
}

void DatabaseFiles::Remember(PrintedFile kind, const QString& path) {
  paths_[Index(kind)] = path;
  folders_[Index(kind)] = QFileInfo(path).absolutePath();
}

void DatabaseFiles::New(PrintedFile kind) {
  edited_[Index(kind)] = false;
  information_[Index(kind)] = {};
  paths_[Index(kind)].clear();
  varim::db::RadioDatabases& db = controller_.Session().Databases();
  const varim::db::RadioDatabases empty = varim::db::EmptyRadioDatabases();
  switch (kind) {
    case PrintedFile::kRss:
      db.radio = empty.radio;
      db.channelNames = empty.channelNames;
      break;
    case PrintedFile::kAle:
      db.ale = empty.ale;
      db.globalMembers = empty.globalMembers;
      db.extraOptions = empty.extraOptions;
      break;
    case PrintedFile::kCcr:
      db.ccir = empty.ccir;
      break;
  }
  if (kind != PrintedFile::kCcr) controller_.RunConfigurationChecks();
}

bool DatabaseFiles::Open(QWidget* parent, PrintedFile kind) {
  const QString path = chooser_.ChooseOpen(parent, Filter(kind), Folder(kind));
  return !path.isEmpty() && OpenPath(kind, path);
}

bool DatabaseFiles::Save(QWidget* parent, PrintedFile kind) {
  const QString path = chooser_.ChooseSave(parent, Filter(kind), Suffix(kind), Folder(kind));
  return !path.isEmpty() && SavePath(kind, path);
}

bool DatabaseFiles::OpenPath(PrintedFile kind, const QString& path) {
  varim::db::RadioDatabases& db = controller_.Session().Databases();
  varim::db::PresenceFlags& flags = controller_.Session().Flags();
  varim::db::FileInformation& info = information_[Index(kind)];
  const std::string file = path.toStdString();
  std::string error;
  bool opened = false;
  switch (kind) {
    case PrintedFile::kRss:
      opened = varim::db::OpenRssFile(file, info, db.radio, db.channelNames, flags, &error);
      break;
    case PrintedFile::kAle:
      opened = varim::db::OpenAleFile(file, info, db.ale, db.globalMembers, db.extraOptions, flags,
                                      &error);
      break;
    case PrintedFile::kCcr:
      opened = varim::db::OpenCcrFile(file, info, db.ccir, flags, &error);
      break;
  }
  if (!opened) {
    operator_.Notify(error, varim::core::Operator::Icon::kError);
    return false;
  }
  Remember(kind, path);
  edited_[Index(kind)] = false;
  if (kind != PrintedFile::kCcr) controller_.RunConfigurationChecks();
  return true;
}

bool DatabaseFiles::SavePath(PrintedFile kind, const QString& path) {
  // The old file is replaced only once the new one is complete on disk.
  const varim::db::RadioDatabases& db = controller_.Session().Databases();
  const varim::db::PresenceFlags& flags = controller_.Session().Flags();
  varim::db::FileInformation& info = information_[Index(kind)];
  const std::string file = path.toStdString();
  std::string error;
  bool saved = false;
  switch (kind) {
    case PrintedFile::kRss:
      saved = varim::db::SaveRssFile(file, info, db.radio, db.channelNames, flags, &error);
      break;
    case PrintedFile::kAle:
      saved = varim::db::SaveAleFile(file, info, db.radio, db.ale, db.globalMembers,
                                     db.extraOptions, flags, &error);
      break;
    case PrintedFile::kCcr:
      saved = varim::db::SaveCcrFile(file, info, db.ccir, &error);
      break;
  }
  if (!saved) {
    operator_.Notify(error, varim::core::Operator::Icon::kError);
    return false;
  }
  Remember(kind, path);
  edited_[Index(kind)] = false;
  if (kind != PrintedFile::kCcr) controller_.RunConfigurationChecks();
  return true;
}

bool DatabaseFiles::Print(PrintedFile kind, QPrinter& printer) {
  std::string error;
  const std::string text =
      varim::core::PrintText(kind, controller_.Session().Databases(), controller_.Session().Flags(),
                             information_[Index(kind)], &error);
  if (text.empty()) {
    operator_.Notify(error, varim::core::Operator::Icon::kError);
    return false;
  }
  printer.setDocName("MyPrintJob");
  QPainter painter;
  // A job that cannot be started ends without a message.
  if (!painter.begin(&printer)) return false;
  QFont font("Monospace");
  font.setStyleHint(QFont::TypeWriter);
  painter.setFont(font);
  // The page is the printer's 6000 units of height, a line 100 of them.
  const QRect page = painter.viewport();
  const double scale = static_cast<double>(page.height()) / varim::core::kPrintPageHeight;
  const auto pages = varim::core::PrintPages(text);
  for (std::size_t p = 0; p < pages.size(); ++p) {
    if (p > 0) printer.newPage();
    int y = 0;
    for (const std::string& line : pages[p]) {
      y += varim::core::kPrintLineHeight;
      painter.drawText(QPointF(0, y * scale), QString::fromStdString(line));
    }
  }
  return painter.end();
}

}  // namespace varim::ui
