#pragma once

#include <QStringList>

namespace qor {

// The recordings opened last, newest first, at most MaxCount, kept in the settings file's
// [RecentFiles] section (keys File1 to File8) so that they outlive the run.
class RecentFiles {
  public:
    static constexpr int MaxCount = 8;

    // The list the settings file holds; empty keys, repeats and entries that are no absolute path (a
    // hand-edited or damaged file) are passed over.
    static QStringList load();
    // `path` goes to the front of the list, once; the oldest falls off beyond MaxCount.
    static QStringList add(const QString& path);
    static QStringList remove(const QString& path);

    // The menu caption of entry n (from 1): "&n " and the path as the program shows paths,
    // upper-cased with the system's separators, a long one cut in the middle so that the start of
    // the path and the file name stay readable.
    static QString menuCaption(int n, const QString& path);

  private:
    static QStringList save(QStringList paths);
};

} // namespace qor
