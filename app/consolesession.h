#pragma once

#include "data/status.h"

#include "shell/apppath.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace qor {

class GraphWindow;

// The viewer without anybody at it, for the commands that draw a recording: the graph window of
// slot 1 alone (on the offscreen platform when there is no display), holding one recording. What the open
// command would have shown in message boxes is collected instead; there is nobody to answer them.
// The session leaves the viewer's settings as they were: what the viewer would keep of it (the
// Recent Files list, the window's place) goes into a scratch copy of the settings file, while the
// error log lines reach the program's error log.
class ConsoleSession {
  public:
    ConsoleSession();
    ~ConsoleSession();
    ConsoleSession(const ConsoleSession&) = delete;
    ConsoleSession& operator=(const ConsoleSession&) = delete;

    // Opens the recording at `path` (made absolute) as the open command does, with the settings and
    // language files beside the program; a failure says why it cannot.
    Status open(const QString& path, const QString& logLabel);
    GraphWindow& graphWindow() const;
    // The messages shown since the last call, joined.
    QString takeMessages();

  private:
    void useScratchSettings();
    void restoreSettingsFolder();

    QStringList* m_messages = nullptr;
    std::unique_ptr<QTemporaryDir> m_scratch;
    std::optional<ProgramFolders> m_folders; // the program's own, while the scratch copy is in use
    std::unique_ptr<GraphWindow> m_window;
};

// A size written "WIDTHxHEIGHT", each 16 to 16384 pixels.
std::optional<QSize> parseSize(const QString& text);

} // namespace qor
