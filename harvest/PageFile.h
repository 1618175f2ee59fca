#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// A served page larger than this ends the harvest: no careers page comes near it, and a site
// that sends more is broken or hostile.
inline constexpr std::size_t kLargestPage = 16 * 1024 * 1024;
// The most a saved page can hold: a served line feed alone becomes four bytes.
inline constexpr std::size_t kLargestSavedPage = 4 * kLargestPage;

// Writes a page body to its saved file as the import expects it: the body is read in pieces
// of one line (carriage returns dropped, the line feed kept) or of at most 19999 characters of
// a longer line, and each piece is written followed by a line feed, every line feed as "\r\n".
// So a line that ended in a line break is followed by "\r\n\r\n", any other piece by "\r\n".
// The body is written as it arrives; at most one piece is held.
class PageFileWriter {
public:
    // Creates or empties the file; false when it cannot be opened.
    bool Open(const std::string& path);
    bool IsOpen() const { return m_file != nullptr; }
    // False when the file could not be written.
    bool Write(std::string_view bytes);
    // Writes the last, unterminated piece and closes the file.
    bool Finish();
    // Closes the file and removes it: a page that must not be kept.
    void Discard();

    static constexpr std::size_t kLongestPiece = 19999;

private:
    bool WritePiece();
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> m_file;
    std::string m_path;
    std::string m_piece;
    bool m_failed = false;
};
