#pragma once

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>

// What the fuzz targets share: each fuzzer input becomes a file, since the readers take paths; a
// recorded file is read the way the dump command reads a file.
namespace qor::fuzz {

// Aborts, so that the fuzzer keeps the input, when something the program relies on does not hold.
void require(bool holds, const char* what);

// The process's private folder, in memory where the system offers one.
QString scratchFolderPath();

// Writes the bytes to the file of the name in the scratch folder and returns its path.
QString writeInputFile(QStringView fileName, const std::uint8_t* data, std::size_t size);

// Reads the bytes as a recorded file with the extension (header, then records) and aborts when the
// slot breaks what the windows rely on: a read that succeeds leaves records in every column, one
// that fails leaves none.
void readRecording(QStringView extension, const std::uint8_t* data, std::size_t size);

// Recognises the model from the bytes as the header of a file with the extension.
void readHeader(QStringView extension, const std::uint8_t* data, std::size_t size);

} // namespace qor::fuzz
