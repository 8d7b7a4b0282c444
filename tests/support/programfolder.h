#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// A fresh program state (see resetProgramState; install scripted prompts after it) and a temporary
// program folder holding the shipped side files (settings, language files, legend
// icons), made the program's AppPath, with recorded files written beside them for the tests of
// windows.
class ProgramFolder {
  public:
    // Value `value` (0-based, in record order) of record `record`.
    using Values = std::function<double(int record, int value)>;

    ProgramFolder();

    const QTemporaryDir& dir() const { return m_dir; }

    // The program started again on this folder: a fresh program state that reads the folder's
    // settings and strings (install scripted prompts after it).
    void restart();

    // Changes one setting in the settings file and reads the settings and string table again.
    void setSetting(const QString& section, const QString& key, const QString& value);
    void reload();

    // A .LOG file of the model and option, `records` records `stepSeconds` apart from
    // 2015-03-01 08:00:00, each holding as many values as the model records.
    QString writeLog(const QByteArray& model, const QByteArray& option, int records, int stepSeconds, const Values& values);
    // A CSV file of the model line, the option line and the data lines given, from 2015-03-01
    // 08:00:00, one second apart.
    QString writeCsv(const QByteArray& model, const QByteArray& option, const QList<QByteArray>& fields);

    // The date serial `seconds` after the start of every written file.
    static double at(int seconds);

  private:
    QTemporaryDir m_dir;
    int m_written = 0;
};
