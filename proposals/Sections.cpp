#include "proposals/Proposers.h"
#include "proposals/ResumeText.h"
#include "proposals/TextScan.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

// How a word of a heading counts: a strong word names the section whatever stands beside it
// ("Career Objective" is a summary), a weak one only when no strong one does ("Work History").
enum class Weight { Neutral, Weak, Strong, Title };

struct HeadingWord {
    std::string_view folded;
    Section section;
    Weight weight;
};

// Folded (lower case, no accents); in the languages resumes here are commonly written in.
constexpr HeadingWord kHeadingWords[] = {
    // Experience
    {"experience", Section::Experience, Weight::Strong},
    {"experiences", Section::Experience, Weight::Strong},
    {"employment", Section::Experience, Weight::Strong},
    {"berufserfahrung", Section::Experience, Weight::Strong},
    {"erfahrung", Section::Experience, Weight::Strong},
    {"werdegang", Section::Experience, Weight::Strong},
    {"laufbahn", Section::Experience, Weight::Strong},
    {"berufslaufbahn", Section::Experience, Weight::Strong},
    {"berufspraxis", Section::Experience, Weight::Strong},
    {"experiencia", Section::Experience, Weight::Strong},
    {"experiencias", Section::Experience, Weight::Strong},
    {"esperienza", Section::Experience, Weight::Strong},
    {"esperienze", Section::Experience, Weight::Strong},
    {"ervaring", Section::Experience, Weight::Strong},
    {"werkervaring", Section::Experience, Weight::Strong},
    {"erfarenhet", Section::Experience, Weight::Strong},
    {"arbetslivserfarenhet", Section::Experience, Weight::Strong},
    {"erfaring", Section::Experience, Weight::Strong},
    {"arbeidserfaring", Section::Experience, Weight::Strong},
    {"erhvervserfaring", Section::Experience, Weight::Strong},
    {"doswiadczenie", Section::Experience, Weight::Strong},
    {"tyokokemus", Section::Experience, Weight::Strong},
    {"work", Section::Experience, Weight::Weak},
    {"career", Section::Experience, Weight::Weak},
    {"internships", Section::Experience, Weight::Weak},
    {"internship", Section::Experience, Weight::Weak},
    {"positions", Section::Experience, Weight::Weak},
    {"laboral", Section::Experience, Weight::Weak},
    {"lavorative", Section::Experience, Weight::Weak},
    {"praktika", Section::Experience, Weight::Weak},
    {"stages", Section::Experience, Weight::Weak},
    // Education
    {"education", Section::Education, Weight::Strong},
    {"ausbildung", Section::Education, Weight::Strong},
    {"bildung", Section::Education, Weight::Strong},
    {"schulbildung", Section::Education, Weight::Strong},
    {"studium", Section::Education, Weight::Strong},
    {"formation", Section::Education, Weight::Strong},
    {"formations", Section::Education, Weight::Strong},
    {"educacion", Section::Education, Weight::Strong},
    {"formacion", Section::Education, Weight::Strong},
    {"istruzione", Section::Education, Weight::Strong},
    {"formazione", Section::Education, Weight::Strong},
    {"opleiding", Section::Education, Weight::Strong},
    {"opleidingen", Section::Education, Weight::Strong},
    {"utbildning", Section::Education, Weight::Strong},
    {"uddannelse", Section::Education, Weight::Strong},
    {"utdanning", Section::Education, Weight::Strong},
    {"wyksztalcenie", Section::Education, Weight::Strong},
    {"formacao", Section::Education, Weight::Strong},
    {"koulutus", Section::Education, Weight::Strong},
    {"academics", Section::Education, Weight::Strong},
    {"studies", Section::Education, Weight::Strong},
    {"schooling", Section::Education, Weight::Strong},
    {"academic", Section::Education, Weight::Weak},
    {"educational", Section::Education, Weight::Weak},
    {"qualifications", Section::Education, Weight::Weak},
    {"qualification", Section::Education, Weight::Weak},
    // Skills
    {"skills", Section::Skills, Weight::Strong},
    {"skill", Section::Skills, Weight::Strong},
    {"competencies", Section::Skills, Weight::Strong},
    {"competences", Section::Skills, Weight::Strong},
    {"competence", Section::Skills, Weight::Strong},
    {"kenntnisse", Section::Skills, Weight::Strong},
    {"fahigkeiten", Section::Skills, Weight::Strong},
    {"kompetenzen", Section::Skills, Weight::Strong},
    {"habilidades", Section::Skills, Weight::Strong},
    {"competencias", Section::Skills, Weight::Strong},
    {"competenze", Section::Skills, Weight::Strong},
    {"vaardigheden", Section::Skills, Weight::Strong},
    {"kompetenser", Section::Skills, Weight::Strong},
    {"kompetencer", Section::Skills, Weight::Strong},
    {"ferdigheter", Section::Skills, Weight::Strong},
    {"expertise", Section::Skills, Weight::Strong},
    {"technologies", Section::Skills, Weight::Strong},
    {"tools", Section::Skills, Weight::Strong},
    {"proficiencies", Section::Skills, Weight::Strong},
    {"programming", Section::Skills, Weight::Strong},
    {"scripting", Section::Skills, Weight::Strong},
    {"capacita", Section::Skills, Weight::Strong},
    {"conoscenze", Section::Skills, Weight::Strong},
    {"conocimientos", Section::Skills, Weight::Strong},
    {"connaissances", Section::Skills, Weight::Strong},
    {"aptitudes", Section::Skills, Weight::Strong},
    {"it-kenntnisse", Section::Skills, Weight::Strong},
    {"edv-kenntnisse", Section::Skills, Weight::Strong},
    {"kennis", Section::Skills, Weight::Strong},
    {"umiejetnosci", Section::Skills, Weight::Strong},
    {"habilidades", Section::Skills, Weight::Strong},
    {"osaaminen", Section::Skills, Weight::Strong},
    {"strengths", Section::Skills, Weight::Weak},
    // Summary
    {"summary", Section::Summary, Weight::Strong},
    {"profile", Section::Summary, Weight::Strong},
    {"objective", Section::Summary, Weight::Strong},
    {"objectives", Section::Summary, Weight::Strong},
    {"about", Section::Summary, Weight::Strong},
    {"overview", Section::Summary, Weight::Strong},
    {"profil", Section::Summary, Weight::Strong},
    {"kurzprofil", Section::Summary, Weight::Strong},
    {"perfil", Section::Summary, Weight::Strong},
    {"profilo", Section::Summary, Weight::Strong},
    {"resumen", Section::Summary, Weight::Strong},
    {"sintesi", Section::Summary, Weight::Strong},
    {"samenvatting", Section::Summary, Weight::Strong},
    {"sammanfattning", Section::Summary, Weight::Strong},
    {"zusammenfassung", Section::Summary, Weight::Strong},
    {"highlights", Section::Summary, Weight::Strong},
    {"introduction", Section::Summary, Weight::Strong},
    {"statement", Section::Summary, Weight::Strong},
    // Contact
    {"contact", Section::Contact, Weight::Strong},
    {"contacts", Section::Contact, Weight::Strong},
    {"kontakt", Section::Contact, Weight::Strong},
    {"kontaktdaten", Section::Contact, Weight::Strong},
    {"contacto", Section::Contact, Weight::Strong},
    {"contatti", Section::Contact, Weight::Strong},
    {"contato", Section::Contact, Weight::Strong},
    {"coordonnees", Section::Contact, Weight::Strong},
    {"personalia", Section::Contact, Weight::Strong},
    {"personal", Section::Contact, Weight::Weak},
    {"personliche", Section::Contact, Weight::Weak},
    {"personnelles", Section::Contact, Weight::Weak},
    {"personales", Section::Contact, Weight::Weak},
    {"personali", Section::Contact, Weight::Weak},
    {"personlig", Section::Contact, Weight::Weak},
    // Languages
    {"languages", Section::Languages, Weight::Strong},
    {"language", Section::Languages, Weight::Strong},
    {"sprachen", Section::Languages, Weight::Strong},
    {"sprachkenntnisse", Section::Languages, Weight::Strong},
    {"langues", Section::Languages, Weight::Strong},
    {"idiomas", Section::Languages, Weight::Strong},
    {"lingue", Section::Languages, Weight::Strong},
    {"talen", Section::Languages, Weight::Strong},
    {"sprak", Section::Languages, Weight::Strong},
    {"sprog", Section::Languages, Weight::Strong},
    {"jezyki", Section::Languages, Weight::Strong},
    // References
    {"references", Section::References, Weight::Strong},
    {"referees", Section::References, Weight::Strong},
    {"reference", Section::References, Weight::Strong},
    {"referenzen", Section::References, Weight::Strong},
    {"referencias", Section::References, Weight::Strong},
    {"referenze", Section::References, Weight::Strong},
    {"referenties", Section::References, Weight::Strong},
    {"referenser", Section::References, Weight::Strong},
    {"referencer", Section::References, Weight::Strong},
    // Everything else a resume has a heading for
    {"interests", Section::Other, Weight::Strong},
    {"hobbies", Section::Other, Weight::Strong},
    {"hobby", Section::Other, Weight::Strong},
    {"hobbys", Section::Other, Weight::Strong},
    {"interessen", Section::Other, Weight::Strong},
    {"loisirs", Section::Other, Weight::Strong},
    {"intereses", Section::Other, Weight::Strong},
    {"interessi", Section::Other, Weight::Strong},
    {"awards", Section::Other, Weight::Strong},
    {"achievements", Section::Other, Weight::Strong},
    {"honors", Section::Other, Weight::Strong},
    {"honours", Section::Other, Weight::Strong},
    {"certifications", Section::Other, Weight::Strong},
    {"certificates", Section::Other, Weight::Strong},
    {"certification", Section::Other, Weight::Strong},
    {"zertifikate", Section::Other, Weight::Strong},
    {"publications", Section::Other, Weight::Strong},
    {"publikationen", Section::Other, Weight::Strong},
    {"projects", Section::Other, Weight::Strong},
    {"project", Section::Other, Weight::Strong},
    {"projekte", Section::Other, Weight::Strong},
    {"projets", Section::Other, Weight::Strong},
    {"proyectos", Section::Other, Weight::Strong},
    {"progetti", Section::Other, Weight::Strong},
    {"volunteer", Section::Other, Weight::Strong},
    {"volunteering", Section::Other, Weight::Strong},
    {"activities", Section::Other, Weight::Strong},
    {"extracurricular", Section::Other, Weight::Strong},
    {"courses", Section::Other, Weight::Strong},
    {"training", Section::Other, Weight::Strong},
    {"trainings", Section::Other, Weight::Strong},
    {"weiterbildung", Section::Other, Weight::Strong},
    {"fortbildung", Section::Other, Weight::Strong},
    {"memberships", Section::Other, Weight::Strong},
    {"affiliations", Section::Other, Weight::Strong},
    {"declaration", Section::Other, Weight::Strong},
    {"patents", Section::Other, Weight::Strong},
    {"conferences", Section::Other, Weight::Strong},
    {"additional", Section::Other, Weight::Weak},
    {"sonstiges", Section::Other, Weight::Strong},
    // Titles of the whole document
    {"resume", Section::Header, Weight::Title},
    {"cv", Section::Header, Weight::Title},
    {"curriculum", Section::Header, Weight::Title},
    {"vitae", Section::Header, Weight::Title},
    {"lebenslauf", Section::Header, Weight::Title},
    {"biodata", Section::Header, Weight::Title},
    {"vita", Section::Header, Weight::Title},
};

// Words a heading may hold beside the ones that name it.
constexpr std::string_view kNeutralWords[] = {"and",
                                              "und",
                                              "et",
                                              "y",
                                              "e",
                                              "en",
                                              "of",
                                              "the",
                                              "my",
                                              "de",
                                              "du",
                                              "des",
                                              "la",
                                              "le",
                                              "les",
                                              "del",
                                              "di",
                                              "della",
                                              "van",
                                              "och",
                                              "og",
                                              "i",
                                              "im",
                                              "der",
                                              "die",
                                              "das",
                                              "professional",
                                              "professionnelle",
                                              "professionnelles",
                                              "professionale",
                                              "profesional",
                                              "beruflicher",
                                              "berufliche",
                                              "details",
                                              "information",
                                              "informations",
                                              "info",
                                              "data",
                                              "daten",
                                              "datos",
                                              "dati",
                                              "donnees",
                                              "gegevens",
                                              "history",
                                              "record",
                                              "background",
                                              "key",
                                              "core",
                                              "technical",
                                              "technische",
                                              "it",
                                              "relevant",
                                              "selected",
                                              "recent",
                                              "other",
                                              "further",
                                              "weitere",
                                              "areas",
                                              "area",
                                              "computer",
                                              "software",
                                              "soft",
                                              "hard",
                                              "main",
                                              "personal",
                                              "centres",
                                              "interet",
                                              "d",
                                              "held",
                                              "history",
                                              "summary",
                                              "chronology",
                                              "zawodowe",
                                              "profissional",
                                              "academica",
                                              "academico",
                                              "tecniche",
                                              "tecnicas",
                                              "tecnicos",
                                              "informatiques",
                                              "informatica",
                                              "informatiche",
                                              "edv",
                                              "techniques",
                                              "fachliche",
                                              "qualifications"};

std::optional<HeadingWord> Lookup(std::string_view folded) {
    for (const HeadingWord& word : kHeadingWords) {
        if (word.folded == folded)
            return word;
    }
    return std::nullopt;
}

bool Neutral(std::string_view folded) {
    return std::find(std::begin(kNeutralWords), std::end(kNeutralWords), folded) != std::end(kNeutralWords);
}

// "E X P E R I E N C E" as the word it spells; words are kept apart by two blanks or more.
std::string Unspaced(std::string_view text) {
    std::string joined;
    std::size_t letters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ') {
            joined += text[i];
            ++letters;
        } else if (i + 1 < text.size() && text[i + 1] == ' ') {
            if (joined.empty() || joined.back() != ' ')
                joined += ' ';
        } else if (i > 0 && i + 1 < text.size() && text[i + 1] != ' ' &&
                   !IsLetter(DecodeAt(text, i + 1).value)) {
            return {};
        }
    }
    return letters >= 4 ? joined : std::string();
}

bool IsLetterSpaced(std::string_view text) {
    const std::vector<WordSpan> words = LetterWords(text);
    return words.size() >= 4 && std::all_of(words.begin(), words.end(), [&](const WordSpan& word) {
               return CodePointCount(text.substr(word.begin, word.end - word.begin)) == 1;
           });
}

} // namespace

bool HeadingSection(std::string_view line, Section& section) {
    std::string_view text = TrimmedOfPunctuation(line);
    if (text.empty() || text.size() > 60 || HasDigit(text) || text.back() == '.' || text.back() == ',')
        return false;
    std::string spelled;
    if (IsLetterSpaced(text)) {
        spelled = Unspaced(text);
        text = spelled;
    }
    const std::vector<WordSpan> words = LetterWords(text);
    if (words.empty() || words.size() > 6)
        return false;
    std::optional<HeadingWord> strong;
    std::optional<HeadingWord> weak;
    bool title = false;
    for (const WordSpan& span : words) {
        const std::string folded = Folded(text.substr(span.begin, span.end - span.begin));
        const std::optional<HeadingWord> word = Lookup(folded);
        if (!word) {
            if (!Neutral(folded))
                return false;
            continue;
        }
        if (word->weight == Weight::Strong && !strong)
            strong = word;
        else if (word->weight == Weight::Weak && !weak)
            weak = word;
        else if (word->weight == Weight::Title)
            title = true;
    }
    if (strong)
        section = strong->section;
    else if (weak)
        section = weak->section;
    else if (title)
        section = Section::Header;
    else
        return false;
    return true;
}

void MarkSections(std::string_view cleaned, std::vector<TextLine>& lines) {
    Section current = Section::Header;
    std::optional<Section> atColumns;
    for (TextLine& line : lines) {
        if (line.columnStart) {
            // Both columns of a sidebar start in the section that stood before them.
            if (atColumns) {
                current = *atColumns;
                atColumns.reset();
            } else {
                atColumns = current;
            }
        }
        Section named;
        const std::string_view text = Trimmed(cleaned.substr(line.offset, line.length));
        // "Languages: English" and "Skills | Java" in a table's row are labels, not headings.
        const std::size_t index = static_cast<std::size_t>(&line - lines.data());
        const TextLine* next = index + 1 < lines.size() ? &lines[index + 1] : nullptr;
        const bool labelled =
            next && next->row == line.row && !text.empty() &&
            (text.back() == ':' || Trimmed(cleaned.substr(next->offset, next->length)).front() == ':');
        if (!labelled && HeadingSection(text, named)) {
            line.heading = true;
            if (named != Section::Header)
                current = named;
        }
        line.section = current;
    }
}

bool InContactPart(const TextLine& line) {
    return line.section == Section::Header || line.section == Section::Contact;
}

bool AboutSomeoneElse(const ResumeText& text, std::size_t line) {
    constexpr std::string_view kCues[] = {"referee",       "referees",        "reference",  "references",
                                          "referenz",      "referenzen",      "supervisor", "vorgesetzter",
                                          "vorgesetzte",   "ansprechpartner", "referent",   "recommendation",
                                          "kontaktperson", "referentie"};
    const auto speaks = [&](std::size_t index) {
        const std::string_view lineText = text.LineText(text.Lines()[index]);
        for (const WordSpan& word : LetterWords(lineText)) {
            const std::string folded = Folded(lineText.substr(word.begin, word.end - word.begin));
            if (std::find(std::begin(kCues), std::end(kCues), folded) != std::end(kCues))
                return true;
            if (folded == "contact" && lineText.find("person") != std::string_view::npos)
                return true;
        }
        return false;
    };
    if (line >= text.Lines().size())
        return false;
    return speaks(line) || (line > 0 && text.Lines()[line - 1].section == text.Lines()[line].section &&
                            !InContactPart(text.Lines()[line]) && speaks(line - 1));
}
