// A standard stream, buffered as std::filebuf is, over a C stream that it
// owns. The platform operations open files with the system's own calls
// (wide paths, sharing flags) and hand them to these streams.
#ifndef QEL_FILES_APSTDIOSTREAM_H
#define QEL_FILES_APSTDIOSTREAM_H

#include <cstdio>
#include <ext/stdio_filebuf.h>
#include <istream>
#include <ostream>

template <class Stream, std::ios_base::openmode Mode>
class apStdioStream : public Stream {
public:
    // A null file gives a stream that has failed.
    explicit apStdioStream(std::FILE* file)
        : Stream(nullptr), buf_(file, Mode | std::ios_base::binary), file_(file)
    {
        this->rdbuf(&buf_);
        if (file_ == nullptr)
            this->setstate(std::ios_base::failbit);
    }

    ~apStdioStream() override
    {
        // The buffer writes out what it holds but leaves a borrowed C stream
        // open: closing it is ours.
        buf_.close();
        if (file_ != nullptr)
            std::fclose(file_);
    }

    apStdioStream(const apStdioStream&) = delete;
    apStdioStream& operator=(const apStdioStream&) = delete;

private:
    __gnu_cxx::stdio_filebuf<char> buf_;
    std::FILE* file_;
};

using apStdioIStream = apStdioStream<std::istream, std::ios_base::in>;
using apStdioOStream = apStdioStream<std::ostream, std::ios_base::out>;

#endif
