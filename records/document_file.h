#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

class TrainingDocument;

// Opens a document file as the document framework does; anything but a
// regular file is a wrong path. A failure throws DocumentError, also for a
// lack of memory. When the file could not be read the document is untouched;
// when its contents are bad the document becomes a new, untitled one that
// keeps the settings read so far.
void openDocumentFile(TrainingDocument& doc, const std::string& path);

// Opens a regular file for reading, without waiting on a FIFO, and gives its
// size; anything else is a wrong path. A failure throws DocumentError.
int openRegularFileForReading(const std::string& path, std::uint64_t& size);

// Saves the document to path atomically: the existing file is replaced only
// once the whole new contents are on disk. A failure throws DocumentError
// and leaves the existing file, the document and its modified flag as they were.
void saveDocumentFile(TrainingDocument& doc, const std::string& path);

// The contents of a file as they are made: `size` bytes in all, which
// `produce` hands in order, a piece at a time, to the write it is given.
struct FileContents {
    using Write = std::function<void(const std::uint8_t* data, std::size_t size)>;
    std::uint64_t size = 0;
    std::function<void(const Write& write)> produce;
};

// Replaces path with the contents through a hidden temporary file in the same
// folder, keeping the file's mode and owner; where the folder takes no new
// file but the file may be written, writes it in place. Anything but a
// regular file (or a link to one, dangling or not) is a wrong path.
void writeFileAtomically(const std::string& path, const FileContents& contents);
