#pragma once

#include <QString>
#include <QTemporaryDir>

#include <functional>

// A FIFO in a test folder, and a guard for code that must never wait on one.
namespace fixtures {

// Makes a FIFO of the name in the folder and returns its path; empty when the system has none.
QString makeFifo(const QTemporaryDir& dir, const QString& name);

// Runs `read` on a thread of its own and tells whether it returned within a few seconds with
// nobody writing to the FIFO at `fifoPath`. A read still blocked then is released by a writer that
// opens the FIFO and closes it at once, so that the test fails instead of hanging.
bool returnsWithoutAWriter(const QString& fifoPath, const std::function<void()>& read);

} // namespace fixtures
