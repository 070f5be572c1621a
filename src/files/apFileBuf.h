// apFileBuf: a stream buffer over a C stream that it owns and closes.
//
// The get area is the one character last read and there is no put area, so
// every character is one fread or fwrite of one byte and the C stream's own
// buffering is the only buffering. Positioning is not supported (the base
// class answers the invalid position) and sync flushes nothing.
#ifndef QEL_FILES_APFILEBUF_H
#define QEL_FILES_APFILEBUF_H

#include <cstdio>
#include <streambuf>

class apFileBuf : public std::basic_streambuf<char> {
public:
    explicit apFileBuf(std::FILE* file) noexcept;
    ~apFileBuf() override;
    apFileBuf(const apFileBuf&) = delete;
    apFileBuf& operator=(const apFileBuf&) = delete;

protected:
    int_type overflow(int_type c) override;
    int_type underflow() override;

private:
    std::FILE* file_;
    char one_;
};

#endif
