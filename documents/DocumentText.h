#pragma once

#include <cstddef>
#include <functional>
#include <string>

// What a file holds, decided by its content rather than by its name.
enum class DocumentKind {
    PlainText,
    Pdf,
    ZipArchive,
    Word,
    OpenDocument,
    WebPage,
    OldWord,
    RichText,
    Image, // a picture (PNG, JPEG, TIFF), read by text recognition
    Unknown
};

// Why a file gave no text.
enum class ReadProblem {
    None,
    FileUnreadable,  // the file cannot be opened or read
    Locked,          // a password protects it
    NoText,          // it holds no text, as a scanned PDF or an empty page
    Damaged,         // its content is broken
    TooLarge,        // it unpacks to more than is read
    NotADocument,    // its content is of a kind that is not read
    NoConverter,     // the program that reads this kind is not installed
    ConverterFailed, // that program could not read it
    Stopped,         // the user stopped the reading
    NoRecognition,   // a picture of text, and text recognition is not installed
};

// A file's text, or why there is none. The text of a document is UTF-8; a plain text file's text
// is its own bytes, whatever their encoding.
struct DocumentText {
    DocumentKind kind = DocumentKind::Unknown;
    ReadProblem problem = ReadProblem::None;
    std::string text;
    std::string detail;      // what the file system, a library or a converter said, when it helps
    bool recognised = false; // some of the text was recognised from a picture, and may be wrong

    bool Ok() const { return problem == ReadProblem::None; }
};

// Told how far a reading has come (`done` of `total`, in pages or bytes); returning false stops it.
using ReadProgress = std::function<bool(std::size_t done, std::size_t total)>;

// A result that carries only a problem.
DocumentText Problem(DocumentKind kind, ReadProblem problem, std::string detail = {});

// A reader's text, or NoText when it holds nothing but white space.
DocumentText TextOrNoText(DocumentKind kind, std::string text);
