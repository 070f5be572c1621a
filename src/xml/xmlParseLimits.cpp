#include "xml/xmlParseLimits.h"

void xmlParseLimits::begin_parse(unsigned long long length)
{
    if (depth_ != 0)
        return;
    expansion_ = 0;
    const unsigned long long scaled = length * xml_expansion_factor;
    budget_ = scaled > xml_min_expansion_budget ? scaled : xml_min_expansion_budget;
}

bool xmlParseLimits::enter()
{
    // Refused before the level is entered, so the stack never holds more
    // than xml_max_depth levels of the recursion.
    if (depth_ >= xml_max_depth)
        return false;
    ++depth_;
    return true;
}

xmlParseError xmlParseLimits::admit_reference(unsigned long long expanded, int nested, int* depth)
{
    expansion_ += expanded;
    if (expansion_ > budget_)
        return ExpansionTooLarge;
    // The reference is a level of its own, and its entity's content hangs
    // below it wherever the tree is walked.
    const int reached = depth_ + 1 + nested;
    if (reached > xml_max_depth)
        return NestingTooDeep;
    *depth = reached;
    return NoError;
}

bool xmlParseLimits::enter_file()
{
    // A file that names itself, or a ring of files, would read forever.
    if (file_depth_ >= xml_max_external_depth)
        return false;
    ++file_depth_;
    return true;
}
