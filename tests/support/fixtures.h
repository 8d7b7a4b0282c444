#pragma once

#include "samplegen.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <initializer_list>

// Files that tests write into a temporary folder.
namespace fixtures {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);
// Replaces the bytes of the file at `path`.
void setContents(const QString& path, const QByteArray& bytes);
// The bytes of the file at `path`; empty when it cannot be read.
QByteArray contents(const QString& path);

// A .LOG header: the model in brackets and the option, each padded with blanks to 40 bytes.
QByteArray logHeader(const QByteArray& model, const QByteArray& option = {});
// One .LOG record: the seconds and the values.
QByteArray logRecord(qint32 seconds, std::initializer_list<double> values);

// Copies the side files the program ships (settings, language files, legend icons) into `dir`,
// replacing earlier copies, writable, so that `dir` can serve as the program folder.
void installSideFiles(const QTemporaryDir& dir);

// Writes a generated recording into the folder and returns its path.
QString generated(const QTemporaryDir& dir, const samplegen::Recording& recording);

} // namespace fixtures
