// Streams over memory for the benchmarks: reading a string without copying
// it, and writing into one.
#ifndef QEL_BENCH_BENCHSTREAMS_H
#define QEL_BENCH_BENCHSTREAMS_H

#include <istream>
#include <streambuf>
#include <string>

namespace bench {

// Reads `bytes` in place; seeking works, as the document loader measures
// the stream before reading it.
class memory_source : public std::streambuf {
public:
    explicit memory_source(const std::string& bytes)
    {
        char* begin = const_cast<char*>(bytes.data());
        setg(begin, begin, begin + bytes.size());
    }

protected:
    pos_type seekoff(off_type offset, std::ios_base::seekdir dir, std::ios_base::openmode) override
    {
        char* base = dir == std::ios_base::beg ? eback() : dir == std::ios_base::cur ? gptr() : egptr();
        char* target = base + offset;
        if (target < eback() || target > egptr())
            return pos_type(off_type(-1));
        setg(eback(), target, egptr());
        return pos_type(target - eback());
    }
    pos_type seekpos(pos_type position, std::ios_base::openmode mode) override
    {
        return seekoff(off_type(position), std::ios_base::beg, mode);
    }
};

// Appends everything written to a string.
class string_sink : public std::streambuf {
public:
    std::string text;

protected:
    int_type overflow(int_type c) override
    {
        if (c != traits_type::eof())
            text.push_back(static_cast<char>(c));
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        text.append(s, static_cast<size_t>(n));
        return n;
    }
};

} // namespace bench

#endif
