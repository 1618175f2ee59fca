#include "documents/OpenDocumentLists.h"

#include "documents/MarkupReading.h"

#include <algorithm>
#include <utility>

namespace {

constexpr QLatin1StringView kText("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
constexpr QLatin1StringView kStyle("urn:oasis:names:tc:opendocument:xmlns:style:1.0");

ListFormat FormatNamed(QStringView format) {
    if (format == u"a")
        return ListFormat::LowerLetter;
    if (format == u"A")
        return ListFormat::UpperLetter;
    if (format == u"i")
        return ListFormat::LowerRoman;
    if (format == u"I")
        return ListFormat::UpperRoman;
    if (format.isEmpty())
        return ListFormat::None;
    return ListFormat::Decimal;
}

} // namespace

void OpenDocumentLists::ReadStyles(std::string_view stylesXml) {
    QXmlStreamReader reader(BorrowedBytes(stylesXml));
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.namespaceUri() == kText &&
            reader.name() == u"list-style")
            ReadStyle(reader);
    }
}

void OpenDocumentLists::ReadStyle(QXmlStreamReader& reader) {
    Style& style = m_styles[Utf8(reader.attributes().value(kStyle, QLatin1StringView("name")))];
    style = Style{};
    int depth = 1;
    while (depth > 0 && !reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement)
            --depth;
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        const QStringView name = reader.name();
        if (reader.namespaceUri() != kText || !name.startsWith(u"list-level-style-"))
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        const int number = attributes.value(kText, QLatin1StringView("level")).toInt();
        if (number < 1 || number > kLevels)
            continue;
        Level& level = style[static_cast<std::size_t>(number - 1)];
        level = Level{};
        // Bullets and pictures are shown as the one bullet label.
        level.bullet = name != u"list-level-style-number";
        if (level.bullet)
            continue;
        level.format = FormatNamed(attributes.value(kStyle, QLatin1StringView("num-format")));
        level.prefix = Utf8(attributes.value(kStyle, QLatin1StringView("num-prefix")));
        level.suffix = Utf8(attributes.value(kStyle, QLatin1StringView("num-suffix")));
        level.displayLevels =
            std::clamp(attributes.value(kText, QLatin1StringView("display-levels")).toInt(), 1, number);
        if (attributes.hasAttribute(kText, QLatin1StringView("start-value")))
            level.start = attributes.value(kText, QLatin1StringView("start-value")).toInt();
    }
}

void OpenDocumentLists::StartList(const QXmlStreamReader& reader) {
    const QXmlStreamAttributes attributes = reader.attributes();
    std::string style = Utf8(attributes.value(kText, QLatin1StringView("style-name")));
    // A list inside a list is its next level, in the outer list's style unless it names its own.
    if (style.empty() && !m_open.empty())
        style = m_open.back().style;
    if (m_open.empty()) {
        const bool continues = attributes.value(kText, QLatin1StringView("continue-numbering")) == u"true" ||
                               attributes.hasAttribute(kText, QLatin1StringView("continue-list"));
        const auto ended = m_endedCounters.find(style);
        m_counters = continues && ended != m_endedCounters.end() ? ended->second : Counters{};
    }
    // An item that holds only a list shows no label of its own.
    m_labelDue = false;
    m_open.push_back({std::move(style)});
}

void OpenDocumentLists::EndList() {
    if (m_open.empty())
        return;
    if (m_open.size() == 1)
        m_endedCounters[m_open.back().style] = m_counters;
    m_open.pop_back();
    m_labelDue = false;
}

void OpenDocumentLists::StartItem(const QXmlStreamReader& reader, bool header) {
    m_labelDue = !header && !m_open.empty();
    const QStringView start = reader.attributes().value(kText, QLatin1StringView("start-value"));
    m_itemStart = start.isEmpty() ? 0 : start.toInt();
}

std::string OpenDocumentLists::ParagraphLabel() {
    if (!std::exchange(m_labelDue, false) || m_open.empty() || m_open.size() > kLevels)
        return {};
    const std::size_t level = m_open.size() - 1;
    const auto found = m_styles.find(m_open.back().style);
    const Style style = found != m_styles.end() ? found->second : Style{};
    const auto start = [&](std::size_t at) { return style[at].start; };
    int& counter = m_counters[level];
    counter = m_itemStart != 0 ? m_itemStart : counter == 0 ? start(level) : counter + 1;
    for (std::size_t deeper = level + 1; deeper < kLevels; ++deeper)
        m_counters[deeper] = 0;
    const Level& shown = style[level];
    if (shown.bullet)
        return kBulletLabel;
    if (shown.format == ListFormat::None)
        return {};
    std::string number;
    for (std::size_t at = level + 1 - static_cast<std::size_t>(shown.displayLevels); at <= level; ++at) {
        const ListFormat format = style[at].bullet ? ListFormat::Decimal : style[at].format;
        if (!number.empty())
            number += '.';
        number += FormattedNumber(m_counters[at] != 0 ? m_counters[at] : start(at), format);
    }
    return shown.prefix + number + shown.suffix + " ";
}
