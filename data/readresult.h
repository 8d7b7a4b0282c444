#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace qor {

// What a read tells its caller: whether it failed and why, and the problems it passed over. The
// caller shows the failure to the user and writes every description, followed by the log label,
// to the error log.
struct ReadResult {
    std::optional<QString> failure; // description of the error that ended the read
    QStringList warnings;           // descriptions of problems the read passed over
    QString logLabel;               // names the reader in the error log

    bool ok() const { return !failure.has_value(); }
    // The error-log lines: every description immediately followed by the label.
    QStringList logLines() const;
};

// The message a failed read shows, with its title.
inline const QString ReadFailureMessage = QStringLiteral("해당 파일은 데이타가 없거나 데이타 오류입니다.");
inline const QString ReadFailureTitle = QStringLiteral("파일 확인");

} // namespace qor
