#include "entry/EntryRules.h"

#include "platform/Text.h"

#include <QRadioButton>

bool IsAcceptableEmail(std::string_view address) {
    if (address.find(' ') != std::string_view::npos)
        return false;
    const std::size_t at = address.find('@');
    return at != std::string_view::npos && at != 0 && at + 1 < address.size();
}

std::string StatusFromCaption(const QString& caption) {
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // "&&" stands for one "&"; a single "&" only marks the mnemonic.
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        plain += caption[i];
    }
    while (!plain.isEmpty() && plain.back().isSpace())
        plain.chop(1);
    return FromQt(plain);
}

namespace {

std::string TrimmedOf(std::string_view text, std::string_view trimmed) {
    const std::size_t first = text.find_first_not_of(trimmed);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(trimmed);
    return std::string(text.substr(first, last - first + 1));
}

} // namespace

std::string TrimmedBytes(std::string_view text) {
    return TrimmedOf(text, " \t\r\n\v\f");
}

std::string TrimmedTag(std::string_view text) {
    return TrimmedOf(text, " \t\r\n\v\f,;:");
}

std::string TrimmedText(const QString& text) {
    return FromQt(text.trimmed());
}

std::string CheckedStatus(std::initializer_list<const QRadioButton*> buttons) {
    for (const QRadioButton* button : buttons) {
        if (button->isChecked())
            return StatusFromCaption(button->text());
    }
    return StatusFromCaption((*buttons.begin())->text());
}
