#include "proposals/Proposers.h"
#include "proposals/TextScan.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace {

constexpr std::size_t kLongestLocalPart = 64;
constexpr std::size_t kLongestDomain = 253;
// No resume has more; a text that has is read no further for them.
constexpr std::size_t kMostAddresses = 100;

bool LocalChar(char32_t c) {
    return (c < 0x80 && (IsLetter(c) || (c >= '0' && c <= '9') ||
                         std::string_view("._%+-'").find(static_cast<char>(c)) != std::string_view::npos)) ||
           (c >= 0x80 && IsLetter(c));
}

bool DomainChar(char32_t c) {
    return (c < 0x80 && (IsLetter(c) || (c >= '0' && c <= '9') || c == '.' || c == '-')) ||
           (c >= 0x80 && IsLetter(c));
}

// Steps back over the blanks and the one line end before `at`; npos when there is no line end.
std::size_t BeforeLineEnd(std::string_view text, std::size_t at) {
    std::size_t i = at;
    while (i > 0 && IsBlank(text[i - 1]))
        --i;
    if (i == 0 || text[i - 1] != '\n')
        return std::string_view::npos;
    --i;
    while (i > 0 && IsBlank(text[i - 1]))
        --i;
    return i;
}

std::size_t AfterLineEnd(std::string_view text, std::size_t at) {
    std::size_t i = at;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i >= text.size() || text[i] != '\n')
        return std::string_view::npos;
    ++i;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return i;
}

// The local part ending at `end`: [begin, end) and any piece before a line end that broke it.
struct Piece {
    std::size_t begin = 0;
    std::size_t end = 0;
};

Piece LocalPartBefore(std::string_view text, std::size_t end) {
    std::size_t begin = end;
    while (begin > 0 && end - begin < kLongestLocalPart) {
        std::size_t at = begin - 1;
        while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            --at;
        if (!LocalChar(DecodeAt(text, at).value))
            break;
        begin = at;
    }
    return {begin, end};
}

Piece DomainAfter(std::string_view text, std::size_t begin) {
    std::size_t end = begin;
    while (end < text.size() && end - begin < kLongestDomain) {
        const CodePoint point = DecodeAt(text, end);
        if (!DomainChar(point.value))
            break;
        end += point.size;
    }
    return {begin, end};
}

std::string_view Of(std::string_view text, Piece piece) {
    return text.substr(piece.begin, piece.end - piece.begin);
}

bool SoundDomain(std::string_view domain) {
    const std::size_t dot = domain.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || domain.find("..") != std::string_view::npos)
        return false;
    const std::string_view top = domain.substr(dot + 1);
    return top.size() >= 2 && std::all_of(top.begin(), top.end(), [](char c) {
               return static_cast<unsigned char>(c) >= 0x80 || IsLetter(static_cast<unsigned char>(c));
           });
}

// The address around the "@" at `at`, or nothing.
std::optional<Found> AddressAt(std::string_view text, std::size_t at) {
    Piece local = LocalPartBefore(text, at);
    std::string localText(Of(text, local));
    std::size_t begin = local.begin;
    if (localText.empty()) {
        // "anna.berg" at a line's end, "@example.com" on the next.
        const std::size_t previous = BeforeLineEnd(text, at);
        if (previous == std::string_view::npos)
            return std::nullopt;
        local = LocalPartBefore(text, previous);
        localText = Of(text, local);
        begin = local.begin;
    } else if (const std::size_t previous = BeforeLineEnd(text, local.begin);
               previous != std::string_view::npos && previous > 0 &&
               std::string_view("._-").find(text[previous - 1]) != std::string_view::npos) {
        // "anna." at a line's end, "berg@example.com" on the next: only where "anna." stands
        // alone, not as the end of a sentence ("relocation abroad.").
        const Piece before = LocalPartBefore(text, previous);
        std::size_t gap = before.begin;
        while (gap > 0 && text[gap - 1] == ' ')
            --gap;
        const bool alone = gap == 0 || text[gap - 1] == '\n' || text[gap - 1] == '\t' ||
                           text[gap - 1] == ':' || before.begin - gap >= 3;
        if (alone) {
            localText = std::string(Of(text, before)) + localText;
            begin = before.begin;
        }
    }
    Piece domain = DomainAfter(text, at + 1);
    std::string domainText(Of(text, domain));
    std::size_t end = domain.end;
    // A domain broken after "@", a "." or a "-", or before its last "." part.
    for (int breaks = 0; breaks < 2; ++breaks) {
        const bool open = domainText.empty() || domainText.back() == '.' || domainText.back() == '-' ||
                          domainText.find('.') == std::string::npos;
        const std::size_t next = AfterLineEnd(text, end);
        if (next == std::string_view::npos || !(open || (next < text.size() && text[next] == '.')))
            break;
        const Piece more = DomainAfter(text, next);
        if (more.end == more.begin)
            break;
        domainText += Of(text, more);
        end = more.end;
    }
    while (!localText.empty() &&
           (localText.front() == '.' || localText.front() == '-' || localText.front() == '\'')) {
        localText.erase(0, 1);
        ++begin;
    }
    while (!domainText.empty() && (domainText.back() == '.' || domainText.back() == '-')) {
        domainText.pop_back();
        --end;
    }
    while (!localText.empty() && localText.back() == '.')
        localText.pop_back(); // "anna.@x" is no address; "anna@x" is what was meant
    if (localText.empty() || !SoundDomain(domainText))
        return std::nullopt;
    return Found{localText + "@" + domainText, {begin, end - begin}, 0};
}

constexpr std::array<std::string_view, 22> kSharedMailboxes{
    "info",   "hr",        "jobs",      "careers",  "career",   "recruiting", "recruitment", "contact",
    "office", "admin",     "noreply",   "no-reply", "support",  "hello",      "mail",        "sales",
    "team",   "webmaster", "bewerbung", "kontakt",  "personal", "postmaster"};

bool SharedMailbox(const std::string& address) {
    const std::string local = Folded(std::string_view(address).substr(0, address.find('@')));
    return std::find(kSharedMailboxes.begin(), kSharedMailboxes.end(), local) != kSharedMailboxes.end();
}

} // namespace

std::vector<Found> FindEmails(const ResumeText& text) {
    const std::string_view all = text.Text();
    std::vector<Found> found;
    std::unordered_set<std::string> known;
    for (std::size_t at = all.find('@'); at != std::string_view::npos; at = all.find('@', at + 1)) {
        std::optional<Found> address = AddressAt(all, at);
        if (!address)
            continue;
        address->line = text.LineAt(at);
        if (address->line >= text.Lines().size())
            address->line = text.LineAt(address->span.offset);
        if (address->line >= text.Lines().size())
            continue;
        if (known.insert(Folded(address->value)).second)
            found.push_back(std::move(*address));
        if (found.size() >= kMostAddresses)
            break;
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Found& a, const Found& b) { return a.line < b.line; });
    return found;
}

std::optional<Found> ChooseEmail(const ResumeText& text, const std::vector<Found>& emails) {
    // The candidate's own address stands in the head or the contact details; one further down
    // belongs to a referee or an employer unless nothing but a closing section holds it. A shared
    // mailbox ("info@", "hello@") is the candidate's only where no other address is.
    for (const bool contactPart : {true, false}) {
        for (const bool shared : {false, true}) {
            for (const Found& email : emails) {
                const TextLine& line = text.Lines()[email.line];
                if (InContactPart(line) != contactPart || SharedMailbox(email.value) != shared ||
                    AboutSomeoneElse(text, email.line))
                    continue;
                if (!contactPart && line.section != Section::Summary && line.section != Section::Skills &&
                    line.section != Section::Languages && line.section != Section::Other)
                    continue;
                return email;
            }
        }
    }
    return std::nullopt;
}
