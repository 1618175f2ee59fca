#include "proposals/EntryLabels.h"
#include "proposals/TextScan.h"

#include <algorithm>
#include <string>

namespace {

constexpr std::string_view kEmployerLabels[] = {"company",
                                                "employer",
                                                "organization",
                                                "organisation",
                                                "firm",
                                                "firma",
                                                "arbeitgeber",
                                                "unternehmen",
                                                "employeur",
                                                "entreprise",
                                                "societe",
                                                "empresa",
                                                "azienda",
                                                "werkgever",
                                                "arbetsgivare",
                                                "arbeidsgiver",
                                                "arbejdsgiver",
                                                "pracodawca",
                                                "name of employer",
                                                "name and address of employer",
                                                "company name",
                                                "employer name",
                                                "organization name",
                                                "current employer",
                                                "current company",
                                                "present employer"};
// Labels of an entry's other head lines: its title, dates and place.
constexpr std::string_view kEntryLabels[] = {"designation",
                                             "role",
                                             "position",
                                             "title",
                                             "job title",
                                             "position held",
                                             "occupation",
                                             "funktion",
                                             "poste",
                                             "cargo",
                                             "ruolo",
                                             "functie",
                                             "duration",
                                             "period",
                                             "dates",
                                             "date",
                                             "zeitraum",
                                             "periode",
                                             "periodo",
                                             "location",
                                             "place",
                                             "ort",
                                             "lieu",
                                             "tipo di impiego",
                                             "type of employment",
                                             "occupation or position held",
                                             "position title",
                                             "job",
                                             "from",
                                             "to",
                                             "since",
                                             "data"};
// Labels of an entry's description.
constexpr std::string_view kDescriptionLabels[] = {"technologies",
                                                   "environment",
                                                   "tools",
                                                   "responsibilities",
                                                   "client",
                                                   "project",
                                                   "team size",
                                                   "skills",
                                                   "tech stack",
                                                   "stack",
                                                   "description",
                                                   "achievements",
                                                   "main activities and responsibilities",
                                                   "type of business or sector",
                                                   "tasks",
                                                   "aufgaben",
                                                   "taetigkeiten",
                                                   "tatigkeiten",
                                                   "principali mansioni e responsabilita",
                                                   "tipo di azienda o settore",
                                                   "key achievements",
                                                   "highlights",
                                                   "projects",
                                                   "domain",
                                                   "technology",
                                                   "platform"};

Label LabelNamed(const std::string& label) {
    for (const std::string_view known : kEmployerLabels) {
        if (label == known)
            return Label::Employer;
    }
    // "Nome e indirizzo del datore di lavoro", "Name and address of employer"
    for (const std::string_view word :
         {"employer", "datore di lavoro", "arbeitgeber", "employeur", "empleador"}) {
        if (label.find(word) != std::string::npos && label.size() < 48)
            return Label::Employer;
    }
    for (const std::string_view known : kEntryLabels) {
        if (label == known)
            return Label::Entry;
    }
    for (const std::string_view known : kDescriptionLabels) {
        if (label == known)
            return Label::Description;
    }
    return Label::None;
}

} // namespace

// "Company: Acme" gives Employer and the value's start; a line that is only a label ("Employer",
// a table's cell) gives its kind and the line's end; a value is found after a table's label that
// runs into it ("Name and address of employer Acme Ltd").
Label LabelOf(std::string_view line, std::size_t& valueStart) {
    valueStart = 0;
    const std::size_t colon = line.find(':');
    Label label = Label::None;
    if (colon != std::string_view::npos && colon <= 48) {
        label = LabelNamed(Folded(Trimmed(line.substr(0, colon))));
        if (label != Label::None)
            valueStart = colon + 1;
    } else if (colon == std::string_view::npos && line.size() <= 48) {
        label = LabelNamed(Folded(TrimmedOfPunctuation(line)));
        if (label != Label::None)
            valueStart = line.size();
    }
    if (label != Label::None)
        return label;
    std::string lowered(line.substr(0, 64));
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    for (const std::string_view word :
         {"datore di lavoro", "of employer", "arbeitgeber", "employeur", "empleador"}) {
        const std::size_t at = lowered.find(word);
        if (at != std::string::npos && at + word.size() < line.size()) {
            valueStart = at + word.size();
            return Label::Employer;
        }
    }
    return Label::None;
}
