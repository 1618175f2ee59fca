#include "tools/read/ReadCommand.h"

#include "documents/DocumentReader.h"
#include "entry/DocumentReading.h"
#include "entry/ReadableText.h"
#include "tools/read/FieldsLine.h"

#include <QByteArray>
#include <ostream>

namespace {

struct ReadOption {
    const char* name;
    const char* help;
    void (*set)(ReadCommandLine& line);
};

// Adding an option is adding a row here and acting on its field in RunReadCommand.
constexpr ReadOption kOptions[] = {
    {"--fields", "print the fields Talvanor proposes for each file, one JSON object a line",
     [](ReadCommandLine& line) { line.fields = true; }},
    {"--help", "show this text and exit", [](ReadCommandLine& line) { line.help = true; }},
};

const ReadOption* FindOption(const std::string& name) {
    for (const ReadOption& option : kOptions) {
        if (name == option.name)
            return &option;
    }
    return nullptr;
}

} // namespace

PrintedDocument ReadForPrinting(const std::string& path) {
    const ImportedFile file = ReadImportedFile(path);
    if (!file.content.Ok())
        return {false, {}, ProblemMessage(path, file.content)};
    std::string text;
    if (file.content.kind == DocumentKind::PlainText) {
        // A text file's bytes, in whatever encoding, shown as the dialog shows them.
        const QByteArray utf8 = ReadableText(file.content.text).toUtf8();
        text.assign(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    } else {
        text = file.content.text;
    }
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    return {true, std::move(text), {}, file.modified};
}

ReadCommandLine ParseReadCommandLine(const std::vector<std::string>& arguments) {
    ReadCommandLine line;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            line.files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (const ReadOption* option = FindOption(argument)) {
            option->set(line);
        } else {
            line.error = "unknown option " + argument;
            return line;
        }
    }
    if (line.files.empty() && !line.help)
        line.error = "no file named";
    return line;
}

std::string ReadUsage() {
    std::string usage =
        "usage: talvanor-read [OPTION]... FILE...\n"
        "Prints the text of each FILE as Talvanor's text import shows it, in UTF-8: PDF, Word "
        "(.docx, .doc),\nOpenDocument, RTF, web page and text files. With several files, "
        "each text follows a line\n\"==> FILE <==\". A file that cannot be read is named on "
        "standard error with what is wrong,\nthe other files are still read, and the exit "
        "status is 1.\nWith --fields, each line holds a file's proposed fields (file, name, email, phone,\n"
        "organization, experience_band, qualifications, specializations, locations), against the\n"
        "pick lists of the bank in the data folder, or a new bank's lists when there is none.\n"
        "\nOptions:\n";
    for (const ReadOption& option : kOptions)
        usage += "  " + std::string(option.name) + std::string(12 - std::string(option.name).size(), ' ') +
                 option.help + "\n";
    return usage;
}

int RunReadCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const ReadCommandLine line = ParseReadCommandLine(arguments);
    if (!line.error.empty()) {
        err << "talvanor-read: " << line.error << "\n" << ReadUsage();
        return 2;
    }
    if (line.help) {
        out << ReadUsage();
        return 0;
    }
    int status = 0;
    PickLists lists;
    if (line.fields) {
        std::string problem;
        lists = ListsForProposals(problem);
        if (!problem.empty()) {
            err << "talvanor-read: the bank's pick lists cannot be read (" << problem
                << "); a new bank's lists are used.\n";
            status = 1;
        }
    }
    bool printedBefore = false;
    for (const std::string& path : line.files) {
        const PrintedDocument document = ReadForPrinting(path);
        if (!document.ok) {
            out.flush(); // the message comes after the texts before it
            err << document.message << "\n";
            err.flush();
            status = 1;
            continue;
        }
        if (line.fields) {
            out << FieldsLine(path, ProposeFields({document.text, lists, document.documentDate})) << "\n";
            continue;
        }
        if (line.files.size() > 1)
            out << (printedBefore ? "\n" : "") << "==> " << path << " <==\n";
        out << document.text;
        printedBefore = true;
    }
    out.flush();
    return status;
}
