// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "study/csv.h"
#include "study/manifest.h"

namespace dealwise::study {

// Writes the file whole or not at all: into a file of its own, synced, then
// renamed over the old one. Throws WriteError.
void writeFileAtomically(const std::string& path, std::string_view text);

// A file that grows at its end only, through a buffer of its own, so that a
// failed write is seen at once and leaves what was written before intact.
// Every method throws WriteError naming the file.
class AppendFile {
public:
    explicit AppendFile(std::string path);
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;
    ~AppendFile();

    void append(std::string_view text);
    // Hands what is buffered to the system: a crash of the program no longer loses it.
    void flush();
    // Flushes and waits for the disk: a crash of the machine no longer loses it.
    void sync();

private:
    [[noreturn]] void fail(int error) const;

    std::string path_;
    std::string buffer_;
    int descriptor_ = -1;
};

// The folder for this process alone, while it lives: a second study started
// on it is refused with a StudyError.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder);
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

private:
    int descriptor_ = -1;
};

// What reading deals.csv back found.
struct RowsRead {
    bool header = false;         // the header line is whole
    std::uint64_t rows = 0;      // whole rows, the deals from the manifest's first on
    std::uint64_t keptBytes = 0; // the length of the header and those rows
    bool torn = false;           // something follows them: a last row cut short
};

// Reads a study's deals.csv, the header and then one row a deal in order
// from the manifest's first deal, handing each row and its text (without the
// line break) to `onRow`. A last line without its line break or that is not
// a row is a row cut short, reported as torn and not read. A file that is not
// there reads as empty. Throws StudyError naming the file and line of any
// other row that is not the next deal's, or of more rows than deals.
RowsRead readRows(const std::string& path, const RunManifest& manifest,
                  const std::function<void(const CsvRow& row, std::string_view line)>& onRow);

} // namespace dealwise::study
