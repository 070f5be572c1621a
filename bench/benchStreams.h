// Streams for the benchmarks: reading a string without copying it, and
// writing without keeping what is written.
#ifndef QEL_BENCH_BENCHSTREAMS_H
#define QEL_BENCH_BENCHSTREAMS_H

#include <cstddef>
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

// Takes what is written through a 64 KiB buffer, as a file would, and keeps
// only its count. A sink that kept the bytes would time its own growth
// along with the writer: past 32 MB each of its buffers is fresh memory from
// the system, faulted in page by page on every run, which made saving four
// times the document look three times slower per byte.
class counting_sink : public std::streambuf {
public:
    counting_sink() { setp(buffer_, buffer_ + sizeof buffer_); }
    size_t count() const { return count_ + static_cast<size_t>(pptr() - pbase()); }

protected:
    int_type overflow(int_type c) override
    {
        count_ += static_cast<size_t>(pptr() - pbase());
        setp(buffer_, buffer_ + sizeof buffer_);
        if (c != traits_type::eof()) {
            *pptr() = static_cast<char>(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

private:
    char buffer_[64 * 1024];
    size_t count_ = 0;
};

} // namespace bench

#endif
