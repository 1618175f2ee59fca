#include "store/KeywordQuery.h"

#include "store/KeywordIndex.h"
#include "store/KeywordWords.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int kDeepestNesting = 16;

// Raised while reading the text; carries the message for the user.
struct Unreadable {
    const char* message;
};

enum class Kind { Term, Open, Close, Or, And, Not, End };

struct Lexeme {
    explicit Lexeme(Kind of = Kind::End, std::string termText = {}) : kind(of), text(std::move(termText)) {}
    Kind kind;
    std::string text;    // a term's text as typed, without quotes and "*"
    bool prefix = false; // a term ended by "*"
    bool minus = false;  // a Not spelled "-"
};

bool IsBlank(unsigned char c) {
    return c <= ' ' || c == 0x7f;
}

// The length of a quotation mark at `at` ("), or of a typographic one (“ ” „), else 0.
std::size_t QuoteAt(std::string_view text, std::size_t at) {
    if (text[at] == '"')
        return 1;
    if (text.substr(at, 2) == "\xe2\x80" && at + 2 < text.size()) {
        const unsigned char third = static_cast<unsigned char>(text[at + 2]);
        if (third == 0x9c || third == 0x9d || third == 0x9e)
            return 3;
    }
    return 0;
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : m_text(text) {}

    Lexeme Next() {
        while (m_at < m_text.size() && IsBlank(static_cast<unsigned char>(m_text[m_at])))
            ++m_at;
        if (m_at >= m_text.size())
            return Lexeme();
        const char c = m_text[m_at];
        if (c == '(' || c == ')') {
            ++m_at;
            return Lexeme(c == '(' ? Kind::Open : Kind::Close);
        }
        if (c == '-') {
            ++m_at;
            if (m_at >= m_text.size() || IsBlank(static_cast<unsigned char>(m_text[m_at])) ||
                m_text[m_at] == ')')
                throw Unreadable{kKeywordsMinusAlone};
            Lexeme lexeme(Kind::Not);
            lexeme.minus = true;
            return lexeme;
        }
        if (const std::size_t quote = QuoteAt(m_text, m_at))
            return Phrase(quote);
        return Word();
    }

private:
    Lexeme Phrase(std::size_t quote) {
        m_at += quote;
        const std::size_t begin = m_at;
        std::size_t closing = 0;
        while (m_at < m_text.size() && (closing = QuoteAt(m_text, m_at)) == 0)
            ++m_at;
        if (m_at >= m_text.size())
            throw Unreadable{kKeywordsUnclosedQuote};
        Lexeme lexeme(Kind::Term, std::string(m_text.substr(begin, m_at - begin)));
        m_at += closing;
        if (m_at < m_text.size() && m_text[m_at] == '*') {
            lexeme.prefix = true;
            ++m_at;
        }
        return lexeme;
    }

    Lexeme Word() {
        const std::size_t begin = m_at;
        while (m_at < m_text.size() && !IsBlank(static_cast<unsigned char>(m_text[m_at])) &&
               m_text[m_at] != '(' && m_text[m_at] != ')' && QuoteAt(m_text, m_at) == 0)
            ++m_at;
        std::string word(m_text.substr(begin, m_at - begin));
        if (word == "OR" || word == "AND" || word == "NOT")
            return Lexeme(word == "OR" ? Kind::Or : word == "AND" ? Kind::And : Kind::Not);
        Lexeme lexeme(Kind::Term);
        if (word.back() == '*') {
            word.pop_back();
            lexeme.prefix = true;
        }
        if (word.find_first_not_of('*') == std::string::npos)
            throw Unreadable{kKeywordsLoneStar};
        if (word.find('*') != std::string::npos)
            throw Unreadable{kKeywordsInnerStar};
        lexeme.text = std::move(word);
        return lexeme;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

// The parsed text: terms, all of (AND), any of (OR), and not.
struct Expr {
    enum class Type { Term, All, Any, Not };
    explicit Expr(Type of, std::string termText = {}, bool beginning = false)
        : type(of), text(std::move(termText)), prefix(beginning) {}
    Type type;
    std::string text;
    bool prefix = false;
    std::vector<Expr> parts;
};

class Parser {
public:
    explicit Parser(std::string_view text) : m_lexer(text) { Advance(); }

    Expr Parse() {
        Expr whole = ParseAny(0);
        if (m_next.kind == Kind::Close)
            throw Unreadable{kKeywordsUnopenedParenthesis};
        return whole;
    }

private:
    void Advance() { m_next = m_lexer.Next(); }
    bool EndsGroup() const {
        return m_next.kind == Kind::End || m_next.kind == Kind::Close || m_next.kind == Kind::Or;
    }

    Expr ParseAny(int depth) {
        Expr any(Expr::Type::Any);
        any.parts.push_back(ParseAll(depth));
        while (m_next.kind == Kind::Or) {
            if (any.parts.back().parts.empty())
                throw Unreadable{kKeywordsOrAlone};
            Advance();
            if (EndsGroup() || m_next.kind == Kind::And)
                throw Unreadable{kKeywordsOrAlone};
            any.parts.push_back(ParseAll(depth));
        }
        return any;
    }

    Expr ParseAll(int depth) {
        Expr all(Expr::Type::All);
        while (!EndsGroup()) {
            if (m_next.kind == Kind::And) {
                Advance();
                if (all.parts.empty() || EndsGroup() || m_next.kind == Kind::And)
                    throw Unreadable{kKeywordsAndAlone};
                continue;
            }
            all.parts.push_back(ParseUnary(depth));
        }
        return all;
    }

    Expr ParseUnary(int depth) {
        if (m_next.kind != Kind::Not)
            return ParsePrimary(depth);
        const bool minus = m_next.minus;
        Advance();
        if (EndsGroup() || m_next.kind == Kind::And)
            throw Unreadable{minus ? kKeywordsMinusAlone : kKeywordsNotAlone};
        Expr negation(Expr::Type::Not);
        negation.parts.push_back(ParseUnary(depth));
        return negation;
    }

    Expr ParsePrimary(int depth) {
        if (m_next.kind == Kind::Term) {
            Expr term(Expr::Type::Term, std::move(m_next.text), m_next.prefix);
            Advance();
            return term;
        }
        // Only an opening parenthesis is left here.
        if (depth >= kDeepestNesting)
            throw Unreadable{kKeywordsTooDeep};
        Advance();
        Expr inner = ParseAny(depth + 1);
        if (m_next.kind != Kind::Close)
            throw Unreadable{kKeywordsUnclosedParenthesis};
        Advance();
        if (inner.parts.size() == 1 && inner.parts.front().parts.empty())
            throw Unreadable{kKeywordsEmptyParentheses};
        return inner;
    }

    Lexer m_lexer;
    Lexeme m_next;
};

// One piece of the expression for the engine; `joined` when it holds an operator.
struct Rendered {
    std::string text;
    bool joined = false;
};

std::string Grouped(const Rendered& piece) {
    return piece.joined ? "(" + piece.text + ")" : piece.text;
}

Rendered Join(const std::vector<Rendered>& pieces, const char* glue) {
    if (pieces.size() == 1)
        return pieces.front();
    Rendered joined{{}, true};
    for (const Rendered& piece : pieces)
        joined.text += (joined.text.empty() ? "" : glue) + Grouped(piece);
    return joined;
}

// Turns the parsed text into the engine's expression; nothing for a part without words.
class Renderer {
public:
    std::vector<KeywordTerm> shown;
    bool sawTerm = false;

    std::optional<Rendered> Render(const Expr& expr, bool finding) {
        switch (expr.type) {
        case Expr::Type::Term:
            return RenderTerm(expr, finding);
        case Expr::Type::Any:
            return RenderAny(expr, finding);
        case Expr::Type::All:
            return RenderAll(expr, finding);
        case Expr::Type::Not:
            break;
        }
        // A Not of a Not finds again.
        const Expr& inner = expr.parts.front();
        if (inner.type != Expr::Type::Not)
            throw Unreadable{kKeywordsOnlyExcluded};
        return Render(inner.parts.front(), finding);
    }

private:
    std::optional<Rendered> RenderTerm(const Expr& term, bool finding) {
        sawTerm = true;
        KeywordTerm words{{}, term.prefix};
        for (KeywordWord& word : SplitKeywordWords(term.text, WordUse::Query))
            words.words.push_back(std::move(word.text));
        if (words.words.empty())
            return std::nullopt; // punctuation only: nothing to find
        if (finding)
            shown.push_back(std::move(words));
        std::string quoted = "\"";
        for (char c : term.text) {
            // Blanks of any kind are only separators; the engine need not see control bytes.
            quoted += IsBlank(static_cast<unsigned char>(c)) ? ' ' : c;
            if (c == '"')
                quoted += '"';
        }
        quoted += '"';
        if (term.prefix)
            quoted += " *";
        return Rendered{quoted, false};
    }

    std::optional<Rendered> RenderAny(const Expr& any, bool finding) {
        std::vector<Rendered> pieces;
        for (const Expr& part : any.parts) {
            if (any.parts.size() > 1 && IsExclusion(part))
                throw Unreadable{kKeywordsExcludedAlternative};
            if (auto piece = Render(part, finding))
                pieces.push_back(std::move(*piece));
        }
        if (pieces.empty())
            return std::nullopt;
        return Join(pieces, " OR ");
    }

    std::optional<Rendered> RenderAll(const Expr& all, bool finding) {
        std::vector<Rendered> found;
        std::vector<Rendered> excluded;
        for (const Expr& part : all.parts) {
            const bool exclusion = part.type == Expr::Type::Not && part.parts.front().type != Expr::Type::Not;
            if (!exclusion) {
                if (auto piece = Render(part, finding))
                    found.push_back(std::move(*piece));
            } else if (auto piece = Render(part.parts.front(), false)) {
                excluded.push_back(std::move(*piece));
            }
        }
        if (found.empty()) {
            if (!excluded.empty())
                throw Unreadable{kKeywordsOnlyExcluded};
            return std::nullopt;
        }
        Rendered result = Join(found, " AND ");
        if (excluded.empty())
            return result;
        return Rendered{Grouped(result) + " NOT " + Grouped(Join(excluded, " OR ")), true};
    }

    // Whether the part only excludes: -x, or (-x -y).
    static bool IsExclusion(const Expr& expr) {
        switch (expr.type) {
        case Expr::Type::Not:
            return expr.parts.front().type != Expr::Type::Not;
        case Expr::Type::All:
            return !expr.parts.empty() && std::all_of(expr.parts.begin(), expr.parts.end(), IsExclusion);
        case Expr::Type::Any:
            return expr.parts.size() == 1 && IsExclusion(expr.parts.front());
        case Expr::Type::Term:
            break;
        }
        return false;
    }
};

std::string SqlLiteral(std::string_view text) {
    std::string literal = "'";
    for (char c : text) {
        literal += c;
        if (c == '\'')
            literal += '\'';
    }
    return literal + "'";
}

} // namespace

KeywordTranslation TranslateKeywords(std::string_view typed) {
    try {
        const Expr expr = Parser(typed).Parse();
        Renderer renderer;
        std::optional<Rendered> match = renderer.Render(expr, true);
        if (!match)
            return {std::nullopt, kKeywordsOnlyPunctuation};
        return {KeywordSearch{std::move(match->text), std::move(renderer.shown)}, {}};
    } catch (const Unreadable& unreadable) {
        return {std::nullopt, unreadable.message};
    }
}

std::string KeywordCondition(std::string_view match) {
    return std::string("[Abstract Information].ID IN (SELECT rowid FROM ") + kKeywordIndexTable + " WHERE " +
           kKeywordIndexTable + " MATCH " + SqlLiteral(match) + ")";
}
