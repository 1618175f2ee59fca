#include "tools/careers-site/CareersPage.h"

namespace {

// The site's frame around every page: navigation, styles and scripts, never a field.
std::string Frame() {
    std::string frame = "<html>\n<head>\n<title>Careers - Resume Detail</title>\n";
    frame += "<style type=\"text/css\">\n";
    for (int rule = 0; frame.size() < 7600; ++rule)
        frame += ".nav" + std::to_string(rule) +
                 " { font-family: Arial, Helvetica, sans-serif; color: #336699; }\n";
    frame += "</style>\n</head>\n<body bgcolor=\"#FFFFFF\">\n";
    return frame;
}

const char* const kValueCell =
    "\n                <td bgcolor=\"#CCCC99\" width=\"310\"><font face=\"Arial, Helvetica, "
    "sans-serif\" size=\"2\">";

std::string Row(const std::string& labelCell, const std::string& value) {
    return "<tr>\n" + labelCell + kValueCell + value + "</font></td>\n</tr>\n";
}

} // namespace

std::string CareersResumePage(const CareersResume& resume) {
    std::string page = Frame();
    page += "<table width=\"500\" border=\"0\">\n";
    page += Row(
        "<td width=\"178\"><font face=\"Arial, Helvetica, sans-serif\" size=\"2\"><b>Name</b></font></td>",
        resume.name);
    page += Row("<td width=\"178\"><font size=\"2\"><b><font face=\"Arial, Helvetica, sans-serif\">"
                "Qualifications</font></b></font></td>",
                resume.qualification);
    page += Row("<td width=\"178\"><font face=\"Arial, Helvetica, sans-serif\" size=\"2\">Area <b>"
                "Of Specialization</b></font></td>",
                resume.specialization);
    page += Row("<td width=\"178\"><font size=\"2\"><b>Years <font face=\"Arial\">Of Experience</font></b>"
                "</font></td>",
                resume.experience);
    page += Row("<td width=\"178\"><font size=\"2\"><b><font face=\"Arial\">Location Preference</font></b>"
                "</font></td>",
                resume.location);
    page += "</table>\n<form name=\"contact\" method=\"post\" action=\"contact.asp\">\n";
    page += "<input type=\"hidden\" name=\"candidateemail\" VALUE=\"" + resume.email + "\">\n";
    page += "<textarea name=\"cv\" rows=\"40\" cols=\"55\">" + resume.text + "</textarea>\n";
    page += "</form>\n</body>\n</html>\n";
    return page;
}

std::string CareersNoRecordPage() {
    return Frame() + "<p align=\"center\"><font face=\"Arial\" size=2>No current "
                     "record.</font></p>\n</body>\n</html>\n";
}

CareersResume SampleResume(int number) {
    static const char* const kNames[] = {"Asha Rao", "Ravi Kumar", "Mei Lin", "Karan Shah", "Priya Nair"};
    static const char* const kDegrees[] = {"Bachelor of Engineering", "MCA", "B.Tech, M.Tech", "B.Sc.",
                                           "MBA"};
    static const char* const kSkills[] = {"Java, Oracle developer", "Visual C++", "Unix & C",
                                          "SAP, enterprise resource planning", "VB and ASP"};
    static const char* const kPlaces[] = {"Pune", "Delhi, Mumbai", "Chennai", "Anywhere in India",
                                          "Bangalore"};
    const int pick = (number % 5 + 5) % 5; // a negative number too gets a resume
    CareersResume resume;
    resume.name = std::string(kNames[pick]) + " " + std::to_string(number);
    resume.qualification = kDegrees[pick];
    resume.specialization = kSkills[pick];
    resume.experience = std::to_string(number % 18);
    resume.location = kPlaces[pick];
    resume.email = "candidate" + std::to_string(number) + "@example.com";
    resume.text = resume.name + "\nObjective: a role in software.\nExperience: " + resume.experience +
                  " years &amp; counting.\n";
    return resume;
}
