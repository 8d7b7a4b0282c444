#pragma once

#include "status.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace qor {

// What a read tells its caller: whether it failed and why, and the problems it passed over. The
// caller shows the failure to the user and writes every status, followed by the log label, to the
// error log.
struct [[nodiscard]] ReadResult {
    Status status;          // why the read ended early; Ok when it read the file
    QList<Status> warnings; // problems the read passed over
    QString logLabel;       // names the reader in the error log

    bool ok() const { return status.ok(); }
    // The error-log lines: the warnings, then the failure; none for a read the user cancelled.
    QStringList logLines() const;
};

// The message a failed read shows, with its title.
inline const QString ReadFailureMessage = QStringLiteral("해당 파일은 데이타가 없거나 데이타 오류입니다.");
inline const QString ReadFailureTitle = QStringLiteral("파일 확인");

} // namespace qor
