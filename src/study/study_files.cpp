// SPDX-License-Identifier: MIT
#include "study/study_files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <unistd.h>

#include "study/study_error.h"

namespace dealwise::study {
namespace {

// Rows gather this long in memory before they go out anyway.
constexpr std::size_t kBufferBytes = 1 << 16;

std::string writeFailure(const std::string& path, int error) {
    std::string text = "could not write " + path + ": " + std::strerror(error);
    if (error == ENOSPC || error == EFBIG || error == EDQUOT) {
        text += " (the disk is full, or the file may grow no larger)";
    }
    return text;
}

void writeAll(int descriptor, std::string_view text, const std::string& path) {
    while (!text.empty()) {
        const ssize_t written = ::write(descriptor, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            throw WriteError(writeFailure(path, written < 0 ? errno : ENOSPC));
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

// A rename is on the disk only once its folder is.
void syncFolder(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

} // namespace

void writeFileAtomically(const std::string& path, std::string_view text) {
    const std::string temporary = path + ".new";
    const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        throw WriteError(writeFailure(temporary, errno));
    }
    try {
        writeAll(descriptor, text, temporary);
        if (::fsync(descriptor) != 0) {
            throw WriteError(writeFailure(temporary, errno));
        }
    } catch (...) {
        ::close(descriptor);
        ::unlink(temporary.c_str());
        throw;
    }
    ::close(descriptor);
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        throw WriteError(writeFailure(path, error));
    }
    syncFolder(path);
}

AppendFile::AppendFile(std::string path) : path_(std::move(path)) {
    descriptor_ = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor_ < 0) {
        fail(errno);
    }
    buffer_.reserve(kBufferBytes);
}

AppendFile::~AppendFile() { ::close(descriptor_); }

void AppendFile::fail(int error) const { throw WriteError(writeFailure(path_, error)); }

void AppendFile::append(std::string_view text) {
    buffer_ += text;
    if (buffer_.size() >= kBufferBytes) {
        flush();
    }
}

void AppendFile::flush() {
    // Whatever part went out stays out: the next flush must not write it again.
    std::string pending;
    pending.swap(buffer_);
    buffer_.reserve(kBufferBytes);
    writeAll(descriptor_, pending, path_);
}

void AppendFile::sync() {
    flush();
    if (::fdatasync(descriptor_) != 0) {
        fail(errno);
    }
}

FolderLock::FolderLock(const std::string& folder) {
    const std::string path = folder + "/.lock";
    descriptor_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor_ < 0) {
        throw StudyError("cannot make " + path + ": " + std::strerror(errno) + "; check that the folder is writable");
    }
    if (::flock(descriptor_, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor_);
        throw StudyError("another study is writing into " + folder + "; wait for it to end, or choose another folder");
    }
}

FolderLock::~FolderLock() { ::close(descriptor_); }

RowsRead readRows(const std::string& path, const RunManifest& manifest,
                  const std::function<void(const CsvRow&, std::string_view)>& onRow) {
    RowsRead read;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return read;
    }
    const std::string_view header = csvHeader(manifest.solve);
    std::string line;
    std::uint64_t lineNumber = 0;
    const auto atEnd = [&file] { return file.peek() == std::ifstream::traits_type::eof(); };
    const auto where = [&] { return path + " line " + std::to_string(lineNumber); };
    while (std::getline(file, line)) {
        ++lineNumber;
        const bool whole = !file.eof();
        if (lineNumber == 1) {
            if (whole && line == header) {
                read.header = true;
                read.keptBytes = line.size() + 1;
                continue;
            }
            if (!whole && header.starts_with(line)) {
                read.torn = true;
                return read;
            }
            throw StudyError(path + " does not begin with the header of this study's CSV; choose another folder");
        }
        const auto row = whole ? readCsvRow(line, manifest.solve) : std::nullopt;
        if (!row) {
            if (!whole || atEnd()) {
                read.torn = true;
                return read;
            }
            throw StudyError(where() + " is not a row of this study; mend or remove it, or start again in another "
                                       "folder");
        }
        const std::uint64_t expected = manifest.first + read.rows;
        if (row->result.deal != expected || read.rows >= manifest.deals) {
            throw StudyError(where() + " holds deal " + std::to_string(row->result.deal) +
                             (read.rows >= manifest.deals ? ", past the study's last deal"
                                                          : ", not deal " + std::to_string(expected)) +
                             "; mend or remove it, or start again in another folder");
        }
        onRow(*row, line);
        ++read.rows;
        read.keptBytes += line.size() + 1;
    }
    return read;
}

} // namespace dealwise::study
