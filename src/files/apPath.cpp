#include "files/apPath.h"

#include <vector>

#include "core/apIStringEncoding.h"
#include "files/apIFileOperations.h"

namespace {

const apString::codepoint kSlash = '/';

bool ends_with_slash(const apString& s) noexcept
{
    return s.length() > 0 && s[s.length() - 1] == kSlash;
}

} // namespace

apPath::apPath()
    : narrow_ok_(0), encoding_(default_string_encoding()), operations_(default_file_operations())
{
}

apPath::apPath(const apString& text, apIFileOperations* operations, apIStringEncoding* encoding)
    : text_(normalize(text)), narrow_ok_(0), encoding_(encoding), operations_(operations)
{
    make_narrow();
}

apPath::apPath(keep_text_t, const apString& text, apIFileOperations* operations,
               apIStringEncoding* encoding)
    : text_(text), narrow_ok_(0), encoding_(encoding), operations_(operations)
{
    make_narrow();
}

void apPath::make_narrow()
{
    if (operations_ == nullptr)
        operations_ = default_file_operations();
    if (encoding_ == nullptr)
        encoding_ = default_string_encoding();
    int failed = 0;
    narrow_text_ = encoding_->encode(text_, &failed);
    narrow_ok_ = failed == 0 ? 1 : 0;
}

int apPath::root_length(const apString& t) noexcept
{
    const size_t n = t.length();
    int r = 0;
    if (n >= 1 && t[0] == kSlash)
        r = 1;
    if (n >= 2 && t[0] == kSlash && t[1] == kSlash)
        r = 2;
    if (n >= 3 && t[1] == ':' && t[2] == kSlash)
        r = 3;
    return r;
}

// Backslashes become slashes, then the part after the root prefix loses its
// trailing slashes and every run of slashes shrinks to one. One pass over the
// text; the root prefix is never touched.
apString apPath::normalize(const apString& text)
{
    if (text.length() == 0)
        return apString(".");
    const apString t = text.replace_all(apString("\\"), apString("/"));
    const size_t r = static_cast<size_t>(root_length(t));
    size_t end = t.length();
    while (end > r && t[end - 1] == kSlash)
        --end;

    std::vector<apString::codepoint> out;
    out.reserve(end);
    out.insert(out.end(), t.data(), t.data() + r);
    bool after_slash = false;
    for (size_t i = r; i < end; ++i) {
        const bool slash = t[i] == kSlash;
        if (!(slash && after_slash))
            out.push_back(t[i]);
        after_slash = slash;
    }
    if (out.size() == t.length())
        return t;
    return apString(out.data(), out.size(), nullptr);
}

int apPath::is_root() const noexcept
{
    return static_cast<size_t>(root_length()) == text_.length() ? 1 : 0;
}

apString apPath::parent() const
{
    if ((text_.length() == 1 && text_[0] == '.') || is_root())
        return normalize(text_);
    size_t p = text_.length();
    while (p > 0 && text_[p - 1] != kSlash)
        --p;
    if (p == 0)
        return apString(".");
    --p;
    if (p <= static_cast<size_t>(root_length()))
        ++p;
    return normalize(text_.head(text_.at(p)));
}

apPath apPath::join(const apFileName& name) const
{
    return join(name.string());
}

apPath apPath::join(const apString& relative) const
{
    const apString candidate =
        ends_with_slash(text_) ? text_ + relative : text_ + apString("/") + relative;
    return apPath(candidate, operations_, encoding_);
}

apPath apPath::join(const utString& relative) const
{
    int ignored = 0;
    return join(encoding_->decode(relative.c_str(), &ignored));
}

apPath apPath::with_string(const apString& text) const
{
    return apPath(text, operations_, encoding_);
}

int apPath::is_file() const
{
    return operations_->kind(*this) == 0 ? 1 : 0;
}

int apPath::is_directory() const
{
    return operations_->kind(*this) == 1 ? 1 : 0;
}

int apPath::exists() const
{
    const int k = operations_->kind(*this);
    return k == 0 || k == 1 ? 1 : 0;
}

int apPath::remove() const
{
    if (!is_file())
        return 1;
    return operations_->remove_file(*this);
}
