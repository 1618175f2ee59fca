#include "proposals/Proposers.h"
#include "proposals/ResumeText.h"
#include "proposals/TextScan.h"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace {

// How a word of a heading counts: a strong word names the section whatever stands beside it
// ("Career Objective" is a summary), a weak one only when no strong one does ("Work History").
enum class Weight { Neutral, Weak, Strong, Title };

// The words of headings, folded, by the section they name and how strongly; in the languages
// resumes here are commonly written in.
struct HeadingWords {
    Section section;
    Weight weight;
    std::string_view words; // parted by commas
};

constexpr HeadingWords kHeadingWords[] = {
    {Section::Experience, Weight::Strong,
     "experience,experiences,employment,positions,berufserfahrung,erfahrung,werdegang,laufbahn,опыт,"
     "berufslaufbahn,berufspraxis,experiencia,experiencias,esperienza,esperienze,ervaring,"
     "werkervaring,erfarenhet,arbetslivserfarenhet,erfaring,arbeidserfaring,erhvervserfaring,"
     "doswiadczenie,tyokokemus"},
    {Section::Experience, Weight::Weak,
     "work,career,internships,internship,laboral,lavorative,praktika,stages"},
    {Section::Education, Weight::Strong,
     "education,ausbildung,bildung,schulbildung,studium,formation,formations,educacion,"
     "formacion,istruzione,formazione,opleiding,opleidingen,utbildning,uddannelse,utdanning,"
     "wyksztalcenie,formacao,koulutus,academics,studies,schooling,образование"},
    {Section::Education, Weight::Weak, "academic,educational,qualifications,qualification"},
    {Section::Skills, Weight::Strong,
     "skills,skill,stack,toolbox,toolkit,technologien,competencies,competences,competence,kenntnisse,"
     "fahigkeiten,kompetenzen,"
     "habilidades,competencias,competenze,vaardigheden,kompetenser,kompetencer,ferdigheter,"
     "expertise,technologies,tools,proficiencies,programming,scripting,capacita,conoscenze,"
     "conocimientos,connaissances,aptitudes,it-kenntnisse,edv-kenntnisse,kennis,umiejetnosci,"
     "навыки,habilidades,osaaminen"},
    {Section::Contact, Weight::Strong,
     "контакты,contact,contacts,kontakt,kontaktdaten,contacto,contatti,contato,coordonnees,"
     "personalia"},
    {Section::Languages, Weight::Strong,
     "языки,languages,language,sprachen,sprachkenntnisse,langues,idiomas,lingue,talen,sprak,"
     "sprog,jezyki"},
    {Section::Skills, Weight::Weak, "strengths"},
    {Section::Summary, Weight::Strong,
     "summary,profile,objective,objectives,about,overview,profil,kurzprofil,perfil,profilo,"
     "resumen,sintesi,samenvatting,sammanfattning,zusammenfassung,highlights,introduction,"
     "statement"},
    {Section::Contact, Weight::Weak, "personal,personliche,personnelles,personales,personali,personlig"},
    {Section::References, Weight::Strong,
     "references,referees,reference,referenzen,referencias,referenze,referenties,referenser,"
     "referencer"},
    {Section::Other, Weight::Strong,
     "interests,hobbies,hobby,hobbys,interessen,loisirs,intereses,interessi,awards,"
     "achievements,honors,honours,certifications,certificates,certification,zertifikate,"
     "publications,publikationen,projects,project,projekte,projets,proyectos,progetti,"
     "volunteer,volunteering,activities,extracurricular,courses,training,trainings,"
     "weiterbildung,fortbildung,memberships,affiliations,declaration,patents,conferences,"
     "sonstiges"},
    {Section::Other, Weight::Weak, "additional"},
    {Section::Header, Weight::Title, "resume,cv,curriculum,vitae,lebenslauf,biodata,vita"},
};

// Words a heading may hold beside the ones that name it.
constexpr std::string_view kNeutralWords =
    "and,und,et,y,e,en,of,the,my,de,du,des,la,le,les,del,di,della,van,och,og,i,im,der,die,"
    "das,professional,professionnelle,professionnelles,professionale,profesional,beruflicher,"
    "berufliche,details,information,informations,info,data,daten,datos,dati,donnees,gegevens,"
    "history,record,background,key,core,technical,technische,it,relevant,selected,recent,"
    "other,further,weitere,areas,area,computer,software,soft,hard,main,personal,centres,"
    "interet,d,held,summary,chronology,zawodowe,digital,communication,interpersonal,organisational,"
    "organizational,managerial,job-related,social,management,работы,profissional,academica,academico,"
    "tecniche,tecnicas,tecnicos,informatiques,informatica,informatiche,edv,techniques,"
    "fachliche,qualifications";

// Calls `each` with every word of a list parted by commas.
template <typename Each> void ForEachListed(std::string_view list, Each each) {
    for (std::size_t begin = 0; begin <= list.size();) {
        std::size_t comma = list.find(',', begin);
        if (comma == std::string_view::npos)
            comma = list.size();
        each(list.substr(begin, comma - begin));
        begin = comma + 1;
    }
}

struct HeadingWord {
    Section section;
    Weight weight;
};

std::optional<HeadingWord> Lookup(std::string_view folded) {
    static const auto words = [] {
        std::unordered_map<std::string_view, HeadingWord> byWord;
        for (const HeadingWords& group : kHeadingWords)
            ForEachListed(group.words, [&](std::string_view word) {
                byWord.emplace(word, HeadingWord{group.section, group.weight});
            });
        return byWord;
    }();
    const auto found = words.find(folded);
    return found == words.end() ? std::nullopt : std::optional<HeadingWord>(found->second);
}

bool Neutral(std::string_view folded) {
    static const auto words = [] {
        std::unordered_set<std::string_view> neutral;
        ForEachListed(kNeutralWords, [&](std::string_view word) { neutral.insert(word); });
        return neutral;
    }();
    return words.count(folded) > 0;
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
    // Each column of a sidebar goes on in its own section from one block of rows to the next;
    // both start in the section that stood before them, and after them the main column's goes on.
    std::optional<Section> sides[3];
    Section beforeSides = Section::Header;
    int side = 0;
    bool mainSide = false;
    for (TextLine& line : lines) {
        if (line.side != side) {
            if (side != 0)
                sides[side] = current;
            if (side == 0)
                beforeSides = current;
            if (line.side != 0)
                current = sides[line.side].value_or(beforeSides);
            else if (side != 0)
                current = sides[mainSide ? side : 3 - side].value_or(current);
            mainSide = line.mainSide;
            side = line.side;
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
