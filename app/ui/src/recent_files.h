#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

namespace varim::ui {

// The database files opened or saved last, most recent first, each once by its absolute path.
// They outlive the program in the user's settings, or in an INI file of their own.
class RecentFiles {
 public:
  static constexpr int kMaxFiles = 4;

  // An empty settingsFile means the user's settings.
  explicit RecentFiles(const QString& settingsFile);

  QStringList Paths() const;
  void Add(const QString& path);
  // Whether the file is still on disk; one that is gone leaves the list.
  bool KeepIfPresent(const QString& path);

 private:
  void Store(const QStringList& paths);

  std::unique_ptr<QSettings> settings_;
};

}  // namespace varim::ui
