#pragma once

#include <QStringList>

namespace qor {

// The recordings opened last, newest first, at most MaxCount, kept in the settings file's
// [RecentFiles] section (keys File1 to File8) so that they outlive the run.
class RecentFiles {
  public:
    static constexpr int MaxCount = 8;

    // The list the settings file holds; empty keys and repeats are passed over.
    static QStringList load();
    // `path` goes to the front of the list, once; the oldest falls off beyond MaxCount.
    static QStringList add(const QString& path);
    static QStringList remove(const QString& path);

  private:
    static QStringList save(QStringList paths);
};

} // namespace qor
