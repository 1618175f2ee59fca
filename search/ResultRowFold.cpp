#include "search/ResultRowFold.h"

std::optional<std::string> ResultRowFold::Take(std::int64_t id, const ShownColumns& shown,
                                               const ListValues& values) {
    std::optional<std::string> finished;
    if (m_id != id) {
        finished = Finish();
        m_id = id;
        m_pending = std::to_string(id) + '\t';
        for (std::string_view column : shown) {
            m_pending += column;
            m_pending += '\t';
        }
    }
    for (std::size_t list = 0; list < m_lists.size(); ++list)
        AppendDistinct(m_lists[list], values[list]);
    return finished;
}

std::optional<std::string> ResultRowFold::Finish() {
    if (!m_id)
        return std::nullopt;
    std::string row = std::move(m_pending);
    for (std::size_t list = 0; list < m_lists.size(); ++list) {
        if (list > 0)
            row += '\t';
        row += m_lists[list];
        m_lists[list].clear();
    }
    m_pending.clear();
    m_id.reset();
    ++m_resumeCount;
    return row;
}

void AppendDistinct(std::string& list, std::string_view value) {
    if (value.empty())
        return; // a list never gains an empty piece
    if (list.empty()) {
        list = value;
        return;
    }
    std::string_view rest = list;
    while (true) {
        const auto comma = rest.find(',');
        if (rest.substr(0, comma) == value)
            return;
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    list += ',';
    list += value;
}
