// xmlSourceText: the text a parser reads, as UTF-8, through a window.
// A small input, or one in another encoding (turned into UTF-8 once), is
// held whole, followed by a 0 byte. A large UTF-8 input is checked once as
// it streams by and then held only from where the reader still needs it:
// the window slides over the stream and grows only while one construct
// needs more. Either way the text ends at its first 0 character, and no copy
// of it in code points is ever made.
#ifndef QEL_XML_XMLSOURCETEXT_H
#define QEL_XML_XMLSOURCETEXT_H

#include <cstddef>
#include <iosfwd>
#include <memory>

#include "core/apEncodingDescriptor.h"
#include "core/apString.h"
#include "xml/xmlParseError.h"

class xmlSourceText {
public:
    xmlSourceText();

    // Takes over `bytes`, `count` of them followed by a 0, whose first
    // `skip` bytes are a byte order mark: NoError, DecodeError for bytes
    // the encoding does not define (or no known encoding), or
    // UnsupportedEncoding for units it cannot decode.
    xmlParseError adopt(std::unique_ptr<unsigned char[]> bytes, size_t count, size_t skip,
                        const apEncodingDescriptor& encoding);
    // Takes `count` bytes of UTF-8 from `in`, starting at `start`, `window`
    // bytes at a time (at least 16): NoError, DecodeError for bytes that
    // are not UTF-8, ReadError when the stream gives fewer bytes. The
    // stream must outlive the reading.
    xmlParseError stream_utf8(std::istream& in, std::streamoff start, size_t count, size_t window);
    void assign(const apString& text);
    void clear();

    // The whole text, for a text held whole.
    const unsigned char* data() const { return data_; }
    // Bytes before the terminating 0.
    size_t size() const { return size_; }
    unsigned long long characters() const { return characters_; }

    // Bytes base() to window_end() of the text are at window(); a text held
    // whole is one window.
    const unsigned char* window() const { return data_; }
    size_t base() const { return base_; }
    size_t window_end() const { return base_ + held_; }
    // Makes the window reach past `offset` when the text does (false when
    // it does not); the window may move in memory, its base stays.
    bool extend(size_t offset);
    // Bytes before `offset` are no longer needed: once they are most of the
    // window (offset at release_from() or later), the window moves on to
    // start there. Few bytes are then left to move to the block's start,
    // and a construct that starts there grows the block only when it is
    // longer than an eighth of it.
    void release_before(size_t offset);
    size_t release_from() const
    {
        return in_ != nullptr ? base_ + capacity_ - capacity_ / 8 : static_cast<size_t>(-1);
    }
    // Whether the stream failed to give again bytes it gave before.
    bool reread_failed() const { return reread_failed_; }
    // Line and column (from 1, in characters) of byte `offset`.
    void position(size_t offset, int* line, int* column);

private:
    void take(std::unique_ptr<unsigned char[]> block, size_t size, unsigned long long characters);
    bool adopt_utf8(std::unique_ptr<unsigned char[]> bytes, size_t count, size_t skip);
    // Code points handed out by `walk` (a call taking a sink), up to the
    // first 0, as UTF-8; false when the walk reports a broken sequence.
    template <class Walk>
    bool encode(Walk walk);

    // Reads on after the window's end, up to the block's capacity.
    void fill();
    // Whether `count` bytes at text offset `at` arrive from the stream.
    bool read_at(size_t at, unsigned char* into, size_t count);

    std::unique_ptr<unsigned char[]> owned_;
    const unsigned char* data_;
    size_t size_;
    unsigned long long characters_;
    size_t base_;
    size_t held_;
    // A streamed text's: the stream, where byte 0 stands in it, where it
    // stands now (as a text offset), and the block's size.
    std::istream* in_;
    std::streamoff start_;
    size_t stream_at_;
    size_t capacity_;
    bool reread_failed_;
};

#endif
