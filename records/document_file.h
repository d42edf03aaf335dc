#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CVersenkwerkDoc;

// Opens a document file as the document framework does. A failure throws
// CDocumentError. When the file could not be read the document is untouched;
// when its contents are bad the document becomes a new, untitled one that
// keeps the settings read so far.
void OpenDocumentFile(CVersenkwerkDoc& doc, const std::string& path);

// Saves the document to path atomically: the existing file is replaced only
// once the whole new contents are on disk. A failure throws CDocumentError
// and leaves the existing file, the document and its modified flag as they were.
void SaveDocumentFile(CVersenkwerkDoc& doc, const std::string& path);

// The whole contents of a file; throws CDocumentError with the errno's cause.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);
// Replaces path with the bytes through a temporary file in the same folder.
void WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);
