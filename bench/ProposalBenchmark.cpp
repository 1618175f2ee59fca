// Scores the field proposals on the resume set in bench/proposals/resumes: each resume is made
// into a file of its format, read as the import reads it and proposed against the default pick
// lists; every field is counted right, wrong, or empty (nothing proposed where there was a
// value). Also times the proposing.
// Usage: proposal_benchmark [--show PREFIX] [--keep DIR] [resume folder...]   (run offscreen)
// Without a folder it scores bench/proposals/resumes, the set the rules were worked out on, and
// bench/proposals/holdout, resumes written after them.
// --show prints the text read and the proposals of the resumes whose file name starts so.
#include "bench/Timing.h"
#include "bench/proposals/SampleResume.h"
#include "documents/DocumentReader.h"
#include "proposals/FieldProposals.h"
#include "tools/BankLists.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>

namespace {

struct Tally {
    int right = 0;
    int wrong = 0;
    int empty = 0;
};

const char* const kFields[] = {"name",       "email",          "phone",           "organization",
                               "experience", "qualifications", "specializations", "locations"};

std::string Value(const std::optional<ProposedValue>& value) {
    return value ? value->value : std::string();
}

std::vector<std::string> Values(const std::vector<ProposedValue>& values) {
    std::vector<std::string> out;
    for (const ProposedValue& value : values)
        out.push_back(value.value);
    return out;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

// Right, wrong or empty, and what was proposed where it was not right.
char Compare(const std::string& truth, const std::string& proposed) {
    if (proposed.empty())
        return truth.empty() ? 'r' : 'e';
    return proposed == truth ? 'r' : 'w';
}

char Compare(const std::vector<std::string>& truth, const std::vector<std::string>& proposed) {
    if (proposed.empty())
        return truth.empty() ? 'r' : 'e';
    return std::set(truth.begin(), truth.end()) == std::set(proposed.begin(), proposed.end()) ? 'r' : 'w';
}

std::string LongText(int lines) {
    std::string text = "Anna Berg\nanna.berg@example.com\n+46 70 123 45 67\n\nExperience\n";
    for (int line = 0; line < lines; ++line)
        text += "Jan 2015 - Present  Developer at Klarna AB, Java, C++, HTML " + std::to_string(line) + "\n";
    return text;
}

// Scores every resume of one folder and prints the table.
void ScoreSet(const std::string& folder, const std::array<std::string, 3>& lists,
              const std::optional<std::string>& show, const std::string& keep) {
    const std::vector<SampleResume> resumes = ReadSampleResumes(folder);
    QTemporaryDir work;
    const std::string directory = keep.empty() ? work.path().toStdString() : keep;
    QDir().mkpath(QString::fromStdString(directory));

    std::map<std::string, Tally> tallies;
    std::map<std::string, int> formats;
    std::map<std::string, int> layouts;
    std::vector<double> times;
    double longest = 0;
    std::size_t longestText = 0;
    for (const SampleResume& resume : resumes) {
        const RenderedResume rendered = RenderResume(resume);
        const std::string path =
            directory + "/" + resume.file.substr(0, resume.file.rfind('.')) + "." + rendered.extension;
        std::ofstream(path, std::ios::binary) << rendered.bytes;
        const DocumentText document = ReadDocument(path);
        if (!document.Ok()) {
            std::printf("%s: not read: %s\n", resume.file.c_str(), ProblemMessage(path, document).c_str());
            continue;
        }
        ++formats[resume.format];
        ++layouts[resume.layout];
        const ProposalInput input{document.text, {lists[0], lists[1], lists[2]}, resume.date};
        FieldProposals proposals;
        const double time = Median(21, [&] { proposals = ProposeFields(input); });
        times.push_back(time);
        if (document.text.size() > longestText) {
            longestText = document.text.size();
            longest = time;
        }
        const std::pair<std::string, std::string> scalars[] = {
            {resume.name, Value(proposals.name)},
            {resume.email, Value(proposals.email)},
            {resume.phone, Value(proposals.phone)},
            {resume.organization, Value(proposals.organization)},
            {resume.experience, Value(proposals.experienceBand)}};
        const std::pair<std::vector<std::string>, std::vector<std::string>> listed[] = {
            {resume.qualifications, Values(proposals.qualifications)},
            {resume.specializations, Values(proposals.specializations)},
            {resume.locations, Values(proposals.locations)}};
        std::string misses;
        for (std::size_t field = 0; field < 8; ++field) {
            const bool scalar = field < 5;
            const char result = scalar ? Compare(scalars[field].first, scalars[field].second)
                                       : Compare(listed[field - 5].first, listed[field - 5].second);
            Tally& tally = tallies[kFields[field]];
            (result == 'r' ? tally.right : result == 'w' ? tally.wrong : tally.empty) += 1;
            if (result != 'r') {
                const std::string truth = scalar ? scalars[field].first : Joined(listed[field - 5].first);
                const std::string got = scalar ? scalars[field].second : Joined(listed[field - 5].second);
                misses += std::string("    ") + kFields[field] + (result == 'w' ? " WRONG" : " empty") +
                          ": \"" + got + "\" for \"" + truth + "\"\n";
            }
        }
        const bool shown = show && resume.file.rfind(*show, 0) == 0;
        if (!misses.empty() || shown)
            std::printf("%s (%s, %s)\n%s", resume.file.c_str(), resume.format.c_str(), resume.layout.c_str(),
                        misses.c_str());
        if (shown) {
            std::printf("----- text -----\n%s\n----------------\n", document.text.c_str());
            std::printf("name \"%s\", email \"%s\", phone \"%s\", organization \"%s\", band \"%s\"\n"
                        "qualifications %s; specializations %s; locations %s\n",
                        Value(proposals.name).c_str(), Value(proposals.email).c_str(),
                        Value(proposals.phone).c_str(), Value(proposals.organization).c_str(),
                        Value(proposals.experienceBand).c_str(),
                        Joined(Values(proposals.qualifications)).c_str(),
                        Joined(Values(proposals.specializations)).c_str(),
                        Joined(Values(proposals.locations)).c_str());
        }
    }
    std::printf("\n%s: %zu resumes;", folder.c_str(), times.size());
    for (const auto& [format, count] : formats)
        std::printf(" %s %d", format.c_str(), count);
    std::printf(";");
    for (const auto& [layout, count] : layouts)
        std::printf(" %s %d", layout.c_str(), count);
    std::printf("\n\n| field | right | wrong | empty | right %% |\n|---|---|---|---|---|\n");
    for (const char* field : kFields) {
        const Tally& tally = tallies[field];
        const int all = tally.right + tally.wrong + tally.empty;
        std::printf("| %s | %d | %d | %d | %.0f |\n", field, tally.right, tally.wrong, tally.empty,
                    all ? 100.0 * tally.right / all : 0.0);
    }
    if (!times.empty()) {
        std::printf(
            "\nproposing, median of 21 runs per resume: median %.2f ms, slowest %.2f ms; the longest text "
            "(%zu bytes) %.2f ms\n",
            Median(times), *std::max_element(times.begin(), times.end()), longestText, longest);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    std::optional<std::string> show;
    std::string keep;
    std::vector<std::string> folders;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--show" && i + 1 < argc)
            show = argv[++i];
        else if (argument == "--keep" && i + 1 < argc)
            keep = argv[++i];
        else
            folders.push_back(argument);
    }
    if (folders.empty())
        folders = {TALVANOR_SOURCE_DIR "/bench/proposals/resumes",
                   TALVANOR_SOURCE_DIR "/bench/proposals/holdout"};
    const std::array<std::string, 3> lists = DefaultPickLists();
    for (const std::string& folder : folders)
        ScoreSet(folder, lists, show, keep);
    // Texts no resume is, made to find where the work could grow faster than the text.
    double slowest = 0;
    std::string slowestText;
    for (const std::string piece :
         {"Jan 2018 \xe2\x80\x93 ", "+49 ", "a@", "a.b@c.de ", "x\t", "   a", "JOHN SMITH\t", "Experience\n",
          "E X P E R I E N C E\n", "Skills: Java, C++, HTML\n"}) {
        std::string text;
        while (text.size() < 400000)
            text += piece;
        const ProposalInput input{text, {lists[0], lists[1], lists[2]}, std::nullopt};
        const double time = Median(3, [&] { ProposeFields(input); });
        if (time > slowest) {
            slowest = time;
            slowestText = piece;
        }
    }
    std::printf("400 KB of one piece again and again, ten kinds: slowest %.1f ms (\"%s\" repeated)\n",
                slowest, slowestText.c_str());
    const std::string huge = LongText(50000);
    const ProposalInput hugeInput{huge, {lists[0], lists[1], lists[2]}, std::nullopt};
    std::printf("a text of 50,000 lines (%zu bytes): %.1f ms\n", huge.size(),
                Median(3, [&] { ProposeFields(hugeInput); }));
    return 0;
}
