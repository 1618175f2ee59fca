#include "harvest/PageFile.h"

bool PageFileWriter::Open(const std::string& path) {
    m_file.reset(std::fopen(path.c_str(), "wb"));
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

bool PageFileWriter::WritePiece() {
    m_piece += '\n';
    std::string saved;
    saved.reserve(m_piece.size() + 2);
    for (char byte : m_piece) {
        if (byte == '\n')
            saved += '\r';
        saved += byte;
    }
    m_piece.clear();
    if (!m_file || std::fwrite(saved.data(), 1, saved.size(), m_file.get()) != saved.size())
        m_failed = true;
    return !m_failed;
}
