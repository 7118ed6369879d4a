#include "recent_files.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

using varim::ui::RecentFiles;

QStringList InFolder(const QTemporaryDir& folder, const QStringList& names) {
  QStringList paths;
  for (const QString& name : names) paths << folder.filePath(name);
  return paths;
}

TEST(RecentFiles, KeepTheLatestFirstOnceEachAndAtMostFour) {
  struct Case {
    QStringList added, listed;
  };
  const Case cases[] = {
      {{"a.rss", "b.ale"}, {"b.ale", "a.rss"}},
      {{"a.rss", "b.ale", "a.rss"}, {"a.rss", "b.ale"}},
      {{"a.rss", "sub/../a.rss"}, {"a.rss"}},
      {{"a.rss", "b.ale", "c.ccr", "d.rss", "e.rss"}, {"e.rss", "d.rss", "c.ccr", "b.ale"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.added.join(' ').toStdString());
    QTemporaryDir folder;
    const QString settings = folder.filePath("settings.ini");
    RecentFiles recent(settings);
    for (const QString& path : InFolder(folder, c.added)) recent.Add(path);
    EXPECT_EQ(recent.Paths(), InFolder(folder, c.listed));
    EXPECT_EQ(RecentFiles(settings).Paths(), InFolder(folder, c.listed)) << "kept in the file";
  }
}

TEST(RecentFiles, AFileThatIsGoneLeavesTheList) {
  QTemporaryDir folder;
  const QStringList paths = InFolder(folder, {"kept.rss", "gone.rss"});
  ASSERT_TRUE(QFile(paths[0]).open(QIODevice::WriteOnly));
  RecentFiles recent(folder.filePath("settings.ini"));
  for (const QString& path : paths) recent.Add(path);
  EXPECT_FALSE(recent.KeepIfPresent(paths[1]));
  EXPECT_TRUE(recent.KeepIfPresent(paths[0]));
  EXPECT_EQ(RecentFiles(folder.filePath("settings.ini")).Paths(), QStringList{paths[0]});
}

}  // namespace
