#include "files/posix/lexicalPath.h"

#include <cerrno>
#include <unistd.h>
#include <vector>


namespace {

const size_t kFullPathUnits = 260;
const apString::codepoint kSlash = '/';

// The current directory, decoded as UTF-8 as every name is; null when
// unknown or not UTF-8.
apString current_directory()
{
    std::vector<char> bytes(256);
    while (::getcwd(bytes.data(), bytes.size()) == nullptr) {
        if (errno != ERANGE)
            return apString();
        bytes.resize(bytes.size() * 2);
    }
    int error = 0;
    const apString dir(bytes.data(), &error);
    return error ? apString() : dir;
}

bool is_dots(const apString& t, size_t from, size_t count)
{
    for (size_t i = from; i < from + count; ++i)
        if (t[i] != '.')
            return false;
    return true;
}

} // namespace

apString lexical_absolute(const apPath& p)
{
    if (p.text().length() == 0)
        return apString();
    apString text = p.text().replace_all(apString("\\"), apString("/"));
    if (apPath::root_length(text) == 0) {
        const apString cwd = current_directory();
        if (cwd.is_null())
            return apString();
        text = cwd + apString("/") + text;
    }

    // Components are appended to `out`; `starts` remembers where each kept
    // one begins, so ".." drops the last in constant time. The root prefix
    // is never dropped.
    const size_t root = static_cast<size_t>(apPath::root_length(text));
    const size_t n = text.length();
    std::vector<apString::codepoint> out(text.data(), text.data() + root);
    std::vector<size_t> starts;
    for (size_t i = root; i < n;) {
        size_t j = i;
        while (j < n && text[j] != kSlash)
            ++j;
        const size_t len = j - i;
        if (len == 2 && is_dots(text, i, 2)) {
            if (!starts.empty()) {
                out.resize(starts.back());
                starts.pop_back();
            }
        } else if (len > 0 && !(len == 1 && text[i] == '.')) {
            starts.push_back(out.size());
            if (out.size() > root)
                out.push_back(kSlash);
            out.insert(out.end(), text.data() + i, text.data() + j);
        }
        i = j + 1;
    }

    const apString full(out.data(), out.size(), nullptr);
    // GetFullPathNameW keeps a trailing separator and needs room for the
    // terminator.
    const size_t trailing = text[n - 1] == kSlash && out.size() > root ? 1 : 0;
    if (full.utf16_length() + trailing + 1 > kFullPathUnits)
        return apString();
    return apPath::normalize(full);
}
