#include "documents/WordNumbering.h"

#include "documents/MarkupReading.h"

#include <QXmlStreamReader>
#include <algorithm>

namespace {

// The w:val (or another) attribute of the element the reader stands on.
QStringView Value(const QXmlStreamReader& reader, const char* name = "val") {
    for (const QXmlStreamAttribute& attribute : reader.attributes()) {
        if (attribute.name() == QLatin1StringView(name))
            return attribute.value();
    }
    return {};
}

int Number(const QXmlStreamReader& reader, const char* name = "val") {
    return Value(reader, name).toInt();
}

ListFormat FormatNamed(QStringView name) {
    if (name == u"bullet")
        return ListFormat::Bullet;
    if (name == u"none")
        return ListFormat::None;
    if (name == u"lowerLetter")
        return ListFormat::LowerLetter;
    if (name == u"upperLetter")
        return ListFormat::UpperLetter;
    if (name == u"lowerRoman")
        return ListFormat::LowerRoman;
    if (name == u"upperRoman")
        return ListFormat::UpperRoman;
    return ListFormat::Decimal; // decimal and the many national forms, shown as digits
}

int ClampLevel(int level) {
    return std::clamp(level, 0, WordNumbering::kLevels - 1);
}

} // namespace

WordNumbering::WordNumbering(std::string_view numberingXml, std::string_view stylesXml) {
    ReadNumbering(numberingXml);
    ReadStyles(stylesXml);
}

void WordNumbering::ReadNumbering(std::string_view xml) {
    QXmlStreamReader reader(BorrowedBytes(xml));
    Levels* levels = nullptr;
    Level* level = nullptr;
    Instance* instance = nullptr;
    int overrideLevel = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = reader.name();
        if (name == u"abstractNum") {
            levels = &m_abstract[Number(reader, "abstractNumId")];
            level = nullptr;
            instance = nullptr;
        } else if (name == u"num") {
            instance = &m_instances[Number(reader, "numId")];
            levels = nullptr;
            level = nullptr;
        } else if (name == u"lvl" && levels != nullptr) {
            level = &(*levels)[static_cast<std::size_t>(ClampLevel(Number(reader, "ilvl")))];
        } else if (name == u"numFmt" && level != nullptr) {
            level->format = FormatNamed(Value(reader));
        } else if (name == u"lvlText" && level != nullptr) {
            level->text = Utf8(Value(reader));
        } else if (name == u"start" && level != nullptr) {
            level->start = Number(reader);
        } else if (name == u"abstractNumId" && instance != nullptr) {
            instance->abstractId = Number(reader);
        } else if (name == u"lvlOverride" && instance != nullptr) {
            overrideLevel = ClampLevel(Number(reader, "ilvl"));
        } else if (name == u"startOverride" && instance != nullptr) {
            instance->startOverrides[overrideLevel] = Number(reader);
        }
    }
}

void WordNumbering::ReadStyles(std::string_view xml) {
    QXmlStreamReader reader(BorrowedBytes(xml));
    StyleInfo* style = nullptr;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = reader.name();
        if (name == u"style") {
            style = &m_styles[Utf8(Value(reader, "styleId"))];
        } else if (style == nullptr) {
            continue;
        } else if (name == u"basedOn") {
            style->basedOn = Utf8(Value(reader));
        } else if (name == u"numId") {
            style->place = WordListPlace{Number(reader), style->place ? style->place->level : 0};
        } else if (name == u"ilvl") {
            style->place = WordListPlace{style->place ? style->place->numId : 0, Number(reader)};
        }
    }
}

std::optional<WordListPlace> WordNumbering::StyleList(const std::string& styleId) const {
    std::string id = styleId;
    // A chain of based-on styles is short; the bound stops a loop in a broken file.
    for (int step = 0; step < 20; ++step) {
        const auto found = m_styles.find(id);
        if (found == m_styles.end())
            return std::nullopt;
        if (found->second.place)
            return found->second.place;
        id = found->second.basedOn;
    }
    return std::nullopt;
}

std::string WordNumbering::NextLabel(WordListPlace place) {
    const auto instance = m_instances.find(place.numId);
    if (place.numId == 0 || instance == m_instances.end())
        return {};
    const auto abstract = m_abstract.find(instance->second.abstractId);
    const Levels levels = abstract != m_abstract.end() ? abstract->second : Levels{};
    const auto start = [&](int level) {
        const auto found = instance->second.startOverrides.find(level);
        return found != instance->second.startOverrides.end() ? found->second
                                                              : levels[static_cast<std::size_t>(level)].start;
    };
    const int level = ClampLevel(place.level);
    std::array<int, kLevels>& counters = m_counters[place.numId];
    int& counter = counters[static_cast<std::size_t>(level)];
    counter = counter == 0 ? start(level) : counter + 1;
    // An item restarts the counting of the levels below it.
    for (int deeper = level + 1; deeper < kLevels; ++deeper)
        counters[static_cast<std::size_t>(deeper)] = 0;
    const Level& shown = levels[static_cast<std::size_t>(level)];
    if (shown.format == ListFormat::Bullet)
        return kBulletLabel;
    if (shown.format == ListFormat::None)
        return {};
    std::string label;
    for (std::size_t at = 0; at < shown.text.size(); ++at) {
        const char next = at + 1 < shown.text.size() ? shown.text[at + 1] : '\0';
        if (shown.text[at] == '%' && next >= '1' && next <= '9') {
            const int referred = next - '1';
            const int value = counters[static_cast<std::size_t>(referred)];
            const ListFormat format = levels[static_cast<std::size_t>(referred)].format;
            label += FormattedNumber(
                value != 0 ? value : start(referred),
                format == ListFormat::Bullet || format == ListFormat::None ? ListFormat::Decimal : format);
            ++at;
        } else {
            label += shown.text[at];
        }
    }
    return label.empty() ? std::string() : label + " ";
}
