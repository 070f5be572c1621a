#include "core/apStringFormatter.h"

#include <cstring>

#include "core/apFormatSpec.h"
#include "core/apNumberText.h"
#include "core/apStringBuilder.h"
#include "core/coArray.h"

namespace {

using codepoint = apString::codepoint;

const char kFormatError[] = "Error formatting string";

// An upper bound of the directives: every "%" counts, "%%" once.
int count_directives(const codepoint* text, size_t length)
{
    int count = 0;
    for (size_t i = 0; i < length;) {
        if (text[i] == '%') {
            ++count;
            i += i + 1 < length && text[i + 1] == '%' ? 2 : 1;
        } else {
            ++i;
        }
    }
    return count;
}

// An empty piece stays null: it joins as nothing and costs no allocation.
apString literal(const apString& format, size_t from, size_t to)
{
    return to > from ? apString(format.data() + from, to - from, nullptr) : apString();
}

apString error_text()
{
    return apString(kFormatError);
}

apString convert_string(const apFormatSpec& spec, const apString* argument)
{
    const apString source = argument ? *argument : apString();
    size_t length = source.length();
    if (spec.has_precision && length > static_cast<size_t>(spec.precision))
        length = static_cast<size_t>(spec.precision);
    const size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
    if (length == source.length() && length >= width)
        return source.is_null() ? apString::empty_string() : source;

    const size_t fill = length < width ? width - length : 0;
    codepoint* block = apString::allocate(fill + length);
    const codepoint pad = spec.zero_pad ? '0' : ' ';
    for (size_t i = 0; i < fill; ++i)
        block[i] = pad;
    if (length)
        std::memcpy(block + fill, source.data(), length * sizeof(codepoint));
    return apString::adopt(block);
}

// The text of one directive, reading its argument (if any) from `args`.
apString convert(const apFormatSpec& spec, va_list* args)
{
    switch (spec.conversion) {
    case 'd': {
        const int value = va_arg(*args, int);
        const unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
        return apNumberText::integer(spec, value < 0, magnitude);
    }
    case 'u':
    case 'x':
    case 'X':
        return apNumberText::integer(spec, false, va_arg(*args, unsigned int));
    case 'f':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
        return apNumberText::floating(spec, va_arg(*args, double));
    case 's':
        return convert_string(spec, va_arg(*args, const apString*));
    case '%':
        return apString("%");
    default:
        return error_text();
    }
}

} // namespace

apString apStringFormatter::format(apString format, ...)
{
    va_list args;
    va_start(args, format);
    apString result = vformat(format, args);
    va_end(args);
    return result;
}

apString apStringFormatter::vformat(const apString& format, va_list args)
{
    const codepoint* text = format.data();
    const size_t length = format.length();
    const int capacity = count_directives(text, length);

    // Sized once from the count; set() would still grow them should the
    // count ever fall short.
    coArray<apString> pieces(capacity + 1, 1);
    coArray<apFormatSpec> specs(capacity, 1);
    coArray<int> owners(capacity, 1);     // positional: directive of each slot
    coArray<apString> outputs(capacity, 1);

    bool positional = false;
    int directive = 0;
    size_t literal_start = 0;
    for (size_t i = 0; i < length;) {
        if (text[i] != '%') {
            ++i;
            continue;
        }
        pieces.set(directive, literal(format, literal_start, i));
        apFormatSpec spec;
        i = spec.parse(text, i, length);
        literal_start = i;
        if (directive == 0 && spec.positional)
            positional = true;

        if (!positional) {
            specs.set(directive, spec);
        } else if (!spec.reads_argument()) {
            outputs.set(directive, convert(spec, nullptr));
        } else if (!spec.positional || spec.position > capacity ||
                   (spec.position <= specs.count() && specs[spec.position - 1].conversion != 0)) {
            // Cannot take its place in the argument order.
            outputs.set(directive, error_text());
        } else {
            specs.set(spec.position - 1, spec);
            owners.set(spec.position - 1, directive);
        }
        ++directive;
    }
    pieces.set(directive, literal(format, literal_start, length));

    // Arguments are read in slot order, which is position order when
    // positional. The copy makes the list addressable as a va_list* on
    // ABIs where va_list is an array.
    va_list remaining;
    va_copy(remaining, args);
    for (int slot = 0; slot < specs.count(); ++slot) {
        const apFormatSpec& spec = specs[slot];
        if (spec.conversion == 0)
            continue;
        outputs.set(positional ? owners[slot] : slot, convert(spec, &remaining));
    }
    va_end(remaining);

    apStringBuilder builder(pieces.count() + directive);
    builder.append(pieces[0]);
    for (int d = 0; d < directive; ++d) {
        if (d < outputs.count())
            builder.append(outputs[d]);
        builder.append(pieces[d + 1]);
    }
    return builder.join();
}
