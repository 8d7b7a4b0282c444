#pragma once

#include <QString>
#include <QtGlobal>

#include <exception>
#include <optional>
#include <utility>

namespace qor {

// What went wrong, in a form that callers can act on without reading the message.
enum class StatusCode {
    Ok,
    UnknownKind,     // the extension is none of .CSV, .LOG, .DAT
    NoModelLine,     // a CSV file whose first line does not begin with ";"
    UnknownCsvModel, // an old CSV file whose model line names no model: the model selection's case
    NoReader,        // no reading is defined for the file's model
    Unreadable,      // the file could not be opened or read
    Malformed,       // the content is not what its kind holds (too short, no records, bad header)
    TooLarge,        // more records than the program can show
    OutOfMemory,     // the records do not fit into memory
    PassedOver,      // a problem the read went past; the result holds everything else
    WriteFailed,     // a file could not be written; the former file is untouched
    Refused,         // files that may not be used together, such as combined files of two models
    Cancelled,       // the user stopped the task: nothing to tell or log
    Unexpected,      // an exception that no routine foresaw
};

// The outcome of an operation: Ok, or a code with a message in plain words (a full sentence without
// a trailing blank) and, for problems in the content, the line or record where it was found.
class Status {
  public:
    enum class Place { None, Line, Record };

    Status() = default;
    static Status failure(StatusCode code, QString message) { return Status(code, std::move(message), Place::None, 0); }
    // An exception caught at a routine's boundary.
    static Status unexpected(const std::exception& error) { return failure(StatusCode::Unexpected, QString::fromLocal8Bit(error.what())); }
    // A task the user stopped through its busy notice.
    static Status cancelled() { return failure(StatusCode::Cancelled, QStringLiteral("Stopped at the user's request.")); }
    static Status at(StatusCode code, QString message, Place place, qint64 number)
    {
        return Status(code, std::move(message), place, number);
    }

    bool ok() const { return m_code == StatusCode::Ok; }
    StatusCode code() const { return m_code; }
    const QString& message() const { return m_message; }
    Place place() const { return m_place; }
    // The line or record number (counted from 1) when place() is not None.
    qint64 number() const { return m_number; }

    // The error-log line of this status, as the routine named by `label` writes it: the message,
    // where the problem was found ("(record 11)", "(line 4)"), one blank, the label.
    QString logLine(const QString& label) const;

  private:
    Status(StatusCode code, QString message, Place place, qint64 number)
        : m_code(code)
        , m_message(std::move(message))
        , m_place(place)
        , m_number(number)
    {
    }

    StatusCode m_code = StatusCode::Ok;
    QString m_message;
    Place m_place = Place::None;
    qint64 m_number = 0;
};

// A value, or the status that explains why there is none.
template <typename T> class [[nodiscard]] Result {
  public:
    Result(T value)
        : m_value(std::move(value))
    {
    }
    Result(Status failure)
        : m_status(std::move(failure))
    {
        Q_ASSERT(!m_status.ok());
    }

    bool ok() const { return m_value.has_value(); }
    const Status& status() const { return m_status; }
    const T& value() const& { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const T& operator*() const& { return *m_value; }
    const T* operator->() const { return &*m_value; }

  private:
    std::optional<T> m_value;
    Status m_status;
};

} // namespace qor
