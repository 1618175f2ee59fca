#include "store/KeywordWords.h"

#include "platform/EngineError.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <sqlite3.h>

namespace {

// The engine's own Unicode tokenizer folds case and accents; it keeps these marks inside its
// tokens so that the rules below can decide what they mean.
constexpr const char* kBaseTokenizer = "unicode61";
const char* kBaseArguments[] = {"remove_diacritics", "2", "tokenchars", "+#./"};
// Longer runs joined by "." or "/" are addresses, paths or glued sentences, not skill names:
// their words are indexed one after another instead.
constexpr std::size_t kLongestJoinedWord = 64;
constexpr std::size_t kMostJoinedParts = 8;

bool IsSuffixMark(char c) {
    return c == '+' || c == '#';
}
bool IsJoiner(char c) {
    return c == '.' || c == '/';
}
bool IsMark(char c) {
    return IsSuffixMark(c) || IsJoiner(c);
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// One word of a joined run: [begin, end) in the folded run, its leading dot and "+"/"#" included.
// A version glued to a skill name (C++17, C#10) ends the name at `nameEnd`, before the digits.
struct Segment {
    std::size_t begin;
    std::size_t end;
    std::size_t nameEnd;
};

// Maps positions in a folded run back to byte offsets in the original text. The marks are ASCII
// and folding leaves them alone, so the n-th mark of the one is the n-th mark of the other.
class RunMap {
public:
    RunMap(std::string_view folded, const char* text, int start, int end)
        : m_length(folded.size()), m_start(start), m_end(end) {
        for (std::size_t i = 0; i < folded.size(); ++i) {
            if (IsMark(folded[i]))
                m_folded.push_back(i);
        }
        for (int i = start; i < end; ++i) {
            if (IsMark(text[i]))
                m_original.push_back(i);
        }
        m_sound = m_folded.size() == m_original.size();
    }

    // A word begins at the run's start, at a mark (its leading dot) or just after one.
    int StartOf(std::size_t position) const {
        if (position == 0 || !m_sound)
            return m_start;
        if (const auto mark = Find(position))
            return *mark;
        const auto before = Find(position - 1);
        return before ? *before + 1 : m_start;
    }
    // A word ends at the run's end, just after a mark (its "+" or "#"), or at one.
    int EndOf(std::size_t position) const {
        if (position >= m_length || !m_sound)
            return m_end;
        if (const auto before = Find(position - 1))
            return *before + 1;
        const auto mark = Find(position);
        return mark ? *mark : m_end;
    }

private:
    std::optional<int> Find(std::size_t folded) const {
        const auto found = std::lower_bound(m_folded.begin(), m_folded.end(), folded);
        if (found == m_folded.end() || *found != folded)
            return std::nullopt;
        return m_original[static_cast<std::size_t>(found - m_folded.begin())];
    }

    std::size_t m_length;
    int m_start;
    int m_end;
    std::vector<std::size_t> m_folded;
    std::vector<int> m_original;
    bool m_sound = true;
};

// Receives each word: (samePlace, text, start, end); a result other than SQLITE_OK stops.
template <typename Emit> class RunSplitter {
public:
    RunSplitter(std::string_view folded, const RunMap& map, WordUse use, Emit& emit)
        : m_folded(folded), m_map(map), m_use(use), m_emit(emit) {}

    int Split() {
        std::size_t i = 0;
        const std::size_t n = m_folded.size();
        while (i < n && m_rc == SQLITE_OK) {
            const std::size_t begin = i;
            if (IsMark(m_folded[i])) {
                // A "." right before a word starts it (.NET); any other loose mark separates.
                if (!(m_folded[i] == '.' && i + 1 < n && !IsMark(m_folded[i + 1]))) {
                    Flush();
                    ++i;
                    continue;
                }
                ++i;
            }
            while (i < n && !IsMark(m_folded[i]))
                ++i;
            std::size_t marks = i;
            while (marks < n && IsSuffixMark(m_folded[marks]))
                ++marks;
            std::size_t nameEnd = marks;
            if (marks > i && marks < n && !IsJoiner(m_folded[marks])) {
                const std::size_t version = VersionEnd(begin, i, marks);
                if (version == marks) {
                    // "+" or "#" followed by letters separates them (a+b): no suffix, no joining.
                    m_segments.push_back({begin, i, i});
                    Flush();
                    i = marks;
                    continue;
                }
                marks = version;
            }
            i = marks;
            m_segments.push_back({begin, i, nameEnd});
            if (i + 1 < n && IsJoiner(m_folded[i]) && !IsMark(m_folded[i + 1])) {
                ++i; // joins the next word to this one
                continue;
            }
            Flush();
        }
        Flush();
        return m_rc;
    }

private:
    // Where the version after a skill name's "+" or "#" ends (C++17, C#10): digits up to the next
    // mark or the run's end, after a name that is more than digits. `marks` when there is none.
    std::size_t VersionEnd(std::size_t begin, std::size_t nameEnd, std::size_t marks) const {
        const std::string_view name = Text(begin, nameEnd);
        if (std::all_of(name.begin(), name.end(), [](char c) { return IsDigit(c) || c == '.'; }))
            return marks;
        std::size_t end = marks;
        while (end < m_folded.size() && IsDigit(m_folded[end]))
            ++end;
        return end < m_folded.size() && !IsMark(m_folded[end]) ? marks : end;
    }

    std::string_view Text(std::size_t begin, std::size_t end) const {
        return m_folded.substr(begin, end - begin);
    }

    void Put(bool samePlace, std::size_t begin, std::size_t end) {
        if (m_rc != SQLITE_OK)
            return;
        const std::string_view text = Text(begin, end);
        if (samePlace) {
            if (std::find(m_placed.begin(), m_placed.end(), text) != m_placed.end())
                return;
        } else {
            m_placed.clear();
        }
        m_placed.push_back(text);
        m_rc = m_emit(samePlace, text, m_map.StartOf(begin), m_map.EndOf(end));
    }

    void Flush() {
        if (m_segments.empty())
            return;
        const std::size_t begin = m_segments.front().begin;
        const std::size_t end = m_segments.back().end;
        if (m_segments.size() == 1) {
            Put(false, begin, end);
            PutName(m_segments.front());
        } else if (end - begin > kLongestJoinedWord || m_segments.size() > kMostJoinedParts) {
            for (const Segment& segment : m_segments) {
                Put(false, segment.begin, segment.end);
                PutName(segment);
            }
        } else {
            Put(false, begin, end);
            if (m_use == WordUse::Index) {
                PutParts();
                for (const Segment& segment : m_segments)
                    PutName(segment);
            }
        }
        m_segments.clear();
    }

    // A versioned skill name is also indexed as the name alone: C++ finds C++17.
    void PutName(const Segment& segment) {
        if (m_use == WordUse::Index && segment.nameEnd < segment.end)
            Put(true, segment.begin, segment.nameEnd);
    }

    // The parts of a joined word: each piece between "/", then each piece of those between ".",
    // a piece after a "." with its dot.
    void PutParts() {
        std::size_t first = 0;
        const bool slashed = std::any_of(m_segments.begin() + 1, m_segments.end(),
                                         [this](const Segment& s) { return m_folded[s.begin - 1] == '/'; });
        for (std::size_t index = 1; index <= m_segments.size(); ++index) {
            if (index < m_segments.size() && m_folded[m_segments[index].begin - 1] != '/')
                continue;
            // Segments first .. index-1 make one piece between slashes.
            if (slashed)
                Put(true, m_segments[first].begin, m_segments[index - 1].end);
            if (index - first > 1) {
                Put(true, m_segments[first].begin, m_segments[first].end);
                for (std::size_t dotted = first + 1; dotted < index; ++dotted)
                    Put(true, m_segments[dotted].begin - 1, m_segments[dotted].end);
            }
            first = index;
        }
    }

    std::string_view m_folded;
    const RunMap& m_map;
    WordUse m_use;
    Emit& m_emit;
    std::vector<Segment> m_segments;
    std::vector<std::string_view> m_placed; // the words at the current position
    int m_rc = SQLITE_OK;
};

template <typename Emit>
int SplitRun(std::string_view folded, const char* text, int start, int end, WordUse use, Emit& emit) {
    if (std::none_of(folded.begin(), folded.end(), IsMark))
        return emit(false, folded, start, end);
    const RunMap map(folded, text, start, end);
    RunSplitter<Emit> splitter(folded, map, use, emit);
    return splitter.Split();
}

using TokenCallback = int (*)(void*, int, const char*, int, int, int);

struct Instance {
    fts5_tokenizer base{};
    Fts5Tokenizer* inner = nullptr;
};

struct TokenizeCall {
    void* context;
    TokenCallback token;
    WordUse use;
    const char* text;
};

int OnRawToken(void* context, int, const char* token, int size, int start, int end) {
    auto* call = static_cast<TokenizeCall*>(context);
    auto emit = [call](bool samePlace, std::string_view word, int wordStart, int wordEnd) {
        return call->token(call->context, samePlace ? FTS5_TOKEN_COLOCATED : 0, word.data(),
                           static_cast<int>(word.size()), wordStart, wordEnd);
    };
    return SplitRun(std::string_view(token, static_cast<std::size_t>(size)), call->text, start, end,
                    call->use, emit);
}

int CreateInstance(void* context, const char**, int, Fts5Tokenizer** out) {
    auto* api = static_cast<fts5_api*>(context);
    auto instance = std::make_unique<Instance>();
    void* baseContext = nullptr;
    int rc = api->xFindTokenizer(api, kBaseTokenizer, &baseContext, &instance->base);
    if (rc == SQLITE_OK)
        rc = instance->base.xCreate(baseContext, kBaseArguments, 4, &instance->inner);
    if (rc != SQLITE_OK)
        return rc;
    *out = reinterpret_cast<Fts5Tokenizer*>(instance.release());
    return SQLITE_OK;
}

void DeleteInstance(Fts5Tokenizer* tokenizer) {
    std::unique_ptr<Instance> instance(reinterpret_cast<Instance*>(tokenizer));
    instance->base.xDelete(instance->inner);
}

int Tokenize(Fts5Tokenizer* tokenizer, void* context, int flags, const char* text, int size,
             TokenCallback token) {
    auto* instance = reinterpret_cast<Instance*>(tokenizer);
    TokenizeCall call{context, token, (flags & FTS5_TOKENIZE_QUERY) != 0 ? WordUse::Query : WordUse::Index,
                      text};
    return instance->base.xTokenize(instance->inner, &call, flags, text, size, OnRawToken);
}

fts5_api* Fts5Api(sqlite3* db) {
    fts5_api* api = nullptr;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &statement, nullptr) == SQLITE_OK) {
        sqlite3_bind_pointer(statement, 1, static_cast<void*>(&api), "fts5_api_ptr", nullptr);
        sqlite3_step(statement);
    }
    sqlite3_finalize(statement);
    if (api == nullptr)
        throw EngineError("the full-text engine (FTS5) is not available");
    return api;
}

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};

// A tokenizer of our own outside any bank, for checking terms and finding matches to show.
class StandaloneTokenizer {
public:
    StandaloneTokenizer() {
        sqlite3* raw = nullptr;
        sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE, nullptr);
        m_db.reset(raw);
        if (!m_db)
            throw EngineError("out of memory");
        RegisterKeywordTokenizer(m_db.get());
        fts5_api* api = Fts5Api(m_db.get());
        void* context = nullptr;
        if (api->xFindTokenizer(api, kKeywordTokenizerName, &context, &m_methods) != SQLITE_OK ||
            m_methods.xCreate(context, nullptr, 0, &m_instance) != SQLITE_OK)
            throw EngineError("cannot start the keyword tokenizer");
    }
    ~StandaloneTokenizer() { m_methods.xDelete(m_instance); }
    StandaloneTokenizer(const StandaloneTokenizer&) = delete;
    StandaloneTokenizer& operator=(const StandaloneTokenizer&) = delete;

    std::vector<KeywordWord> Split(std::string_view text, WordUse use) {
        std::vector<KeywordWord> words;
        auto collect = [](void* context, int flags, const char* token, int size, int start, int end) {
            static_cast<std::vector<KeywordWord>*>(context)->push_back(
                {std::string(token, static_cast<std::size_t>(size)), start, end,
                 (flags & FTS5_TOKEN_COLOCATED) != 0});
            return SQLITE_OK;
        };
        const int flags = use == WordUse::Query ? FTS5_TOKENIZE_QUERY : FTS5_TOKENIZE_DOCUMENT;
        m_methods.xTokenize(m_instance, &words, flags, text.data(), static_cast<int>(text.size()), collect);
        return words;
    }

private:
    std::unique_ptr<sqlite3, DatabaseCloser> m_db;
    fts5_tokenizer m_methods{};
    Fts5Tokenizer* m_instance = nullptr;
};

} // namespace

void RegisterKeywordTokenizer(sqlite3* db) {
    fts5_api* api = Fts5Api(db);
    fts5_tokenizer methods{CreateInstance, DeleteInstance, Tokenize};
    if (api->xCreateTokenizer(api, kKeywordTokenizerName, api, &methods, nullptr) != SQLITE_OK)
        throw EngineError(sqlite3_errmsg(db));
}

std::vector<KeywordWord> SplitKeywordWords(std::string_view text, WordUse use) {
    // The base tokenizer keeps a buffer per instance: one instance per thread.
    thread_local StandaloneTokenizer tokenizer;
    return tokenizer.Split(text, use);
}
