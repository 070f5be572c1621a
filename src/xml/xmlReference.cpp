#include "xml/xmlReference.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>

namespace {

const struct {
    const char* name;
    char character;
} kPredefined[] = {{"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};

apStringapStringcoTablePcoSet make_predefined_entities()
{
    apStringapStringcoTablePcoSet table(4, 50);
    for (const auto& entity : kPredefined) {
        const char character[2] = {entity.character, 0};
        table[entity.name] = apString(character);
    }
    return table;
}

} // namespace

apStringapStringcoTablePcoSet& xml_predefined_entities()
{
    // Created on first use, destroyed at exit (or when the library unloads).
    static apStringapStringcoTablePcoSet table = make_predefined_entities();
    return table;
}

namespace {

bool is_decimal_digit(apString::codepoint c)
{
    return c >= '0' && c <= '9';
}

// "&" ... ";" around at least nothing.
bool is_delimited(const apString& text)
{
    return text.length() >= 2 && text[0] == '&' && text[text.length() - 1] == ';';
}

apString between_delimiters(const apString& text)
{
    return text.sub(text.at(1), text.at(text.length() - 1));
}

} // namespace

bool is_valid_reference(const apString& text)
{
    if (!is_delimited(text))
        return false;
    const apString name = between_delimiters(text);
    if (name.is_empty() || name[0] != '#')
        return xml_predefined_entities().member(name) != 0;
    if (name.length() != 3 && name.length() != 4)
        return false;
    for (size_t i = 1; i < name.length(); ++i)
        if (!is_decimal_digit(name[i]))
            return false;
    return true;
}

apString resolve_reference(const apString& name)
{
    if (const apStringapStringcoTableP* entry = xml_predefined_entities().find(name))
        return entry->value;
    if (name.length() != 3 && name.length() != 4)
        return apString();
    if (name[0] != '#')
        return apString();
    // The C library's own reading of a decimal number: the whole text must
    // be consumed, without a range error.
    char digits[4] = {0, 0, 0, 0};
    for (size_t i = 1; i < name.length(); ++i) {
        if (name[i] == 0 || name[i] > 0x7F)
            return apString();
        digits[i - 1] = static_cast<char>(name[i]);
    }
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(digits, &end, 10);
    if (end == digits || *end != 0 || errno == ERANGE)
        return apString();
    const apString::codepoint unit = static_cast<std::uint16_t>(number);
    return apString(&unit, 1, nullptr);
}

bool xml_reference_character(const apString::codepoint* name, size_t length, apString::codepoint* character)
{
    if (length >= 1 && name[0] == '#') {
        if (length != 3 && length != 4)
            return false;
        apString::codepoint number = 0;
        for (size_t i = 1; i < length; ++i) {
            if (!is_decimal_digit(name[i]))
                return false;
            number = number * 10 + (name[i] - '0');
        }
        *character = number;
        return true;
    }
    for (const auto& entity : kPredefined) {
        size_t i = 0;
        while (i < length && entity.name[i] != 0 && name[i] == static_cast<unsigned char>(entity.name[i]))
            ++i;
        if (i == length && entity.name[i] == 0) {
            *character = static_cast<unsigned char>(entity.character);
            return true;
        }
    }
    return false;
}

apString resolve_reference_text(const apString& text)
{
    if (!is_delimited(text))
        return apString();
    return resolve_reference(between_delimiters(text));
}
