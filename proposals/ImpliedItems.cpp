#include "proposals/ImpliedItems.h"
#include "proposals/TextScan.h"
#include "store/VocabularyRules.h"

#include <string>

namespace {

// Ours, beside the harvest's rules.
const ImpliedForm kQualificationForms[] = {
    {"B.E.", "b.eng"},
    {"B.E.", "beng"},
    {"M.E.", "master of engineering"},
    {"M.E.", "m.eng"},
    {"M.E.", "meng"},
    {"B.Tech.", "btech"},
    {"B.Tech.", "b tech"},
    {"M.Tech.", "mtech"},
    {"M.Tech.", "m tech"},
    {"B.Sc.", "bachelor of science"},
    {"B.Sc.", "bsc"},
    {"B.Sc.", "b sc"},
    {"B.Sc.", "b.s"},
    {"M.Sc.", "master of science"},
    {"M.Sc.", "msc"},
    {"M.Sc.", "m sc"},
    {"M.Sc.", "m.s"},
    {"B.A.", "bachelor of arts"},
    {"M.A.", "master of arts"},
    {"B.Com.", "bachelor of commerce"},
    {"B.Com.", "bcom"},
    {"B.Com.", "b com"},
    {"M.Com.", "master of commerce"},
    {"M.Com.", "mcom"},
    {"M.Com.", "m com"},
    {"M.B.A.", "master of business administration"},
    {"M.B.A.", "mba"},
    {"BBA", "bachelor of business administration"},
    {"BBA", "b.b.a"},
    {"BCA", "bachelor of computer application"},
    {"BCA", "bachelor of computer applications"},
    {"BCA", "b.c.a"},
    {"M.C.A.", "master of computer applications"},
    {"Ph.D.", "doctor of philosophy"},
    {"Ph.D.", "phd"},
    {"Ph.D.", "ph d"},
    {"Ph.D.", "doctorate"},
    {"Ph.D.", "dphil"},
    {"Ph.D.", "d.phil"},
    {"Ph.D.", "dr.-ing"},
    {"Ph.D.", "dr. rer. nat"},
    {"Ph.D.", "dr. phil"},
};

const ImpliedForm kSpecializationForms[] = {
    {"JAVA", "j2ee"},
    {"JAVA", "j2se"},
    {"JAVA", "jee"},
    {"JAVA", "java ee"},
    {"JAVA", "spring"},
    {"JAVA", "jsp"},
    {"JAVA", "servlets"},
    {"JAVA", "struts"},
    {"JAVA", "hibernate"},
    {"VC++", "mfc"},
    {"TESTING", "selenium"},
    {"TESTING", "qa"},
    {"TESTING", "quality assurance"},
    {"TESTING", "istqb"},
    {"TESTING", "test automation"},
    {"TESTING", "automation testing"},
    {"TESTING", "manual testing"},
    {"TESTING", "software testing"},
    {"TESTING", "test engineer"},
    {"TESTING", "jmeter"},
    {"TESTING", "loadrunner"},
    {"TESTING", "qtp"},
    {"WEB DESIGN", "html"},
    {"WEB DESIGN", "html5"},
    {"WEB DESIGN", "css"},
    {"WEB DESIGN", "css3"},
    {"WEB DESIGN", "javascript"},
    {"WEB DESIGN", "web designer"},
    {"WEB DESIGN", "web designing"},
    {"VISUAL BASIC", "vb6"},
    {"VISUAL BASIC", "vba"},
    {"ORACLE DEV/DES", "oracle forms"},
    {"ORACLE DEV/DES", "oracle reports"},
    {"ORACLE DEV/DES", "pl/sql"},
    {"ORACLE DEV/DES", "plsql"},
    {"ORACLE DBA", "oracle database administrator"},
    {"ORACLE DBA", "oracle database administration"},
    {"ORACLE DBA", "database administrator", "oracle"},
    {"POWER BUILDER", "powerbuilder"},
    {"CGI/ISAPI/PERL", "perl"},
    {"CGI/ISAPI/PERL", "isapi"},
    {"ERP", "sap"},
    {"ERP", "abap"},
    {"ERP", "peoplesoft"},
    {"ERP", "navision"},
    {"AS/400", "as400"},
    {"AS/400", "iseries"},
    {"AS/400", "rpgle"},
    {"UNIX ADMINISTRATORS", "unix administrator"},
    {"UNIX ADMINISTRATORS", "unix administrators"},
    {"UNIX ADMINISTRATORS", "unix administration"},
    {"UNIX ADMINISTRATORS", "unix admin"},
    {"UNIX ADMINISTRATORS", "unix system administrator"},
    {"UNIX ADMINISTRATORS", "unix system administration"},
    {"UNIX ADMINISTRATORS", "linux administrator"},
    {"UNIX ADMINISTRATORS", "linux administration"},
    {"UNIX ADMINISTRATORS", "solaris administration"},
    {"UNIX ADMINISTRATORS", "aix administration"},
    {"UNIX ADMINISTRATORS", "administration linux"},
    {"UNIX ADMINISTRATORS", "administration unix"},
    {"UNIX ADMINISTRATORS", "administrateur linux"},
    {"UNIX ADMINISTRATORS", "administrateur unix"},
    {"UNIX ADMINISTRATORS", "linux system administrator"},
    {"UNIX ADMINISTRATORS", "linux system administration"},
    {"UNIX ADMINISTRATORS", "linux sysadmin"},
    {"UNIX ADMINISTRATORS", "unix sysadmin"},
    {"NETWORKING", "network engineer"},
    {"NETWORKING", "network administrator"},
    {"NETWORKING", "network administration"},
    {"NETWORKING", "network engineering"},
    {"NETWORKING", "routing and switching"},
    {"NETWORKING", "ccna"},
    {"NETWORKING", "ccnp"},
    {"NETWORKING", "ccie"},
};

const ImpliedForm kLocationForms[] = {
    {"Bangalore", "bengaluru"},
    {"Mumbai", "bombay"},
    {"Kolkata", "calcutta"},
    {"Chennai", "madras"},
    {"Gurgaon", "gurugram"},
    {"Hyderabad", "secunderabad"},
    {"Pune", "poona"},
    {"Anywhere in India", "pan india"},
    {"Anywhere in India", "all over india"},
    {"Anywhere in India", "any location in india"},
    {"Anywhere in India", "anywhere across india"},
    {"Overseas", "abroad", "", "", true},
    {"Overseas", "internationally", "", "", true},
    {"Overseas", "outside india", "", "", true},
    {"Overseas", "any country", "", "", true},
};

const ExcludedWording kExcluded[] = {
    {"TESTING", "unit testing"},
    {"TESTING", "integration testing"},
    {"TESTING", "unit and integration testing"},
    {"NETWORKING", "social networking"},
    {"NETWORKING", "networking events"},
    {"NETWORKING", "networking skills"},
    {"JAVA", "spring semester"},
    {"JAVA", "spring term"},
};

bool HasOneLetterKey(const SpecializationRule& rule) {
    for (const std::string_view key : rule.keys) {
        if (key.size() == 1)
            return true;
    }
    return false;
}

std::vector<ImpliedForm> Forms(ListKind kind) {
    std::vector<ImpliedForm> forms;
    if (kind == ListKind::Qualifications) {
        for (const QualificationRule& rule : kQualificationRules)
            forms.push_back({rule.item, rule.key});
        forms.insert(forms.end(), std::begin(kQualificationForms), std::end(kQualificationForms));
    } else if (kind == ListKind::Specializations) {
        for (const SpecializationRule& rule : kSpecializationRules) {
            if (!HasOneLetterKey(rule))
                forms.push_back({rule.item, rule.keys[0], rule.keys[1], rule.unless});
        }
        forms.insert(forms.end(), std::begin(kSpecializationForms), std::end(kSpecializationForms));
    } else {
        forms.insert(forms.end(), std::begin(kLocationForms), std::end(kLocationForms));
    }
    return forms;
}

} // namespace

const std::vector<ImpliedForm>& ImpliedForms(ListKind kind) {
    static const std::vector<ImpliedForm> qualifications = Forms(ListKind::Qualifications);
    static const std::vector<ImpliedForm> specializations = Forms(ListKind::Specializations);
    static const std::vector<ImpliedForm> locations = Forms(ListKind::Locations);
    return kind == ListKind::Qualifications    ? qualifications
           : kind == ListKind::Specializations ? specializations
                                               : locations;
}

const std::vector<ExcludedWording>& ExcludedWordings() {
    static const std::vector<ExcludedWording> excluded(std::begin(kExcluded), std::end(kExcluded));
    return excluded;
}

std::string ComparableItem(std::string_view item) {
    std::string comparable;
    for (const char c : Folded(Trimmed(item))) {
        if (c != '.' && c != ' ' && c != '-' && c != '\'' && c != '\x1f')
            comparable += c;
    }
    return comparable;
}
