#include "recent_files.h"

#include <QDir>
#include <QFileInfo>

namespace varim::ui {
namespace {

constexpr char kKey[] = "RecentFiles";

QString Absolute(const QString& path) {
  return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace

RecentFiles::RecentFiles(const QString& settingsFile)
    : settings_(settingsFile.isEmpty()
                    ? std::make_unique<QSettings>()
                    : std::make_unique<QSettings>(settingsFile, QSettings::IniFormat)) {}

QStringList RecentFiles::Paths() const {
  // The settings may have been edited by hand.
  return settings_->value(kKey).toStringList().mid(0, kMaxFiles);
}

void RecentFiles::Add(const QString& path) {
  const QString absolute = Absolute(path);
  QStringList paths = Paths();
  paths.removeAll(absolute);
  paths.prepend(absolute);
  Store(paths);
}

bool RecentFiles::KeepIfPresent(const QString& path) {
  if (QFileInfo::exists(path)) return true;
  QStringList paths = Paths();
  paths.removeAll(Absolute(path));
  Store(paths);
  return false;
}

void RecentFiles::Store(const QStringList& paths) {
  settings_->setValue(kKey, paths.mid(0, kMaxFiles));
  // Another running program sees the list at once.
  settings_->sync();
}

}  // namespace varim::ui
