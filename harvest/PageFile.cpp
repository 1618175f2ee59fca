#include "harvest/PageFile.h"

bool PageFileWriter::Open(const std::string& path) {
    m_file.reset(std::fopen(path.c_str(), "wb"));
    m_path = path;
    m_piece.clear();
    m_failed = false;
    return IsOpen();
}

bool PageFileWriter::Write(std::string_view bytes) {
    for (char byte : bytes) {
        if (byte == '\r')
            continue;
        if (byte == '\n') {
            m_piece += '\n';
            WritePiece();
            continue;
        }
        m_piece += byte;
        if (m_piece.size() == kLongestPiece)
            WritePiece();
    }
    return !m_failed;
}

bool PageFileWriter::Finish() {
    if (!m_piece.empty())
        WritePiece();
    if (m_file && std::fclose(m_file.release()) != 0)
        m_failed = true;
    return !m_failed;
}

void PageFileWriter::Discard() {
    m_file.reset();
    m_piece.clear();
    if (!m_path.empty())
        std::remove(m_path.c_str());
}

bool PageFileWriter::WritePiece() {
    // A piece holds at most one line feed, at its end; each line feed is written as "\r\n".
    const bool endsLine = !m_piece.empty() && m_piece.back() == '\n';
    const std::size_t textSize = m_piece.size() - (endsLine ? 1 : 0);
    const bool written = m_file && std::fwrite(m_piece.data(), 1, textSize, m_file.get()) == textSize &&
                         (!endsLine || std::fputs("\r\n", m_file.get()) >= 0) &&
                         std::fputs("\r\n", m_file.get()) >= 0;
    m_piece.clear(); // keeps its room: no allocation per piece
    if (!written)
        m_failed = true;
    return !m_failed;
}
