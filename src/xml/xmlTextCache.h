// The texts a parse meets again and again (element and attribute names,
// short values): the same characters give one shared apString, so that a
// repeated name costs neither an allocation nor memory of its own.
#ifndef QEL_XML_XMLTEXTCACHE_H
#define QEL_XML_XMLTEXTCACHE_H

#include <cstddef>
#include <vector>

#include "core/apString.h"

class xmlTextCache {
public:
    // Texts of more bytes than this are rarely repeated, and decoded every
    // time.
    static const size_t longest = 32;

    // Sizes the cache for a text of `length` characters: a small text gets
    // few slots, which cost less to make than they would save.
    void prepare(size_t length);

    // The `count` bytes of UTF-8 at `bytes` as a string. The reference
    // holds until the next call; copy it to keep it longer.
    const apString& get(const unsigned char* bytes, size_t count);

private:
    // A text and its bytes, which a lookup compares without decoding.
    struct Slot {
        apString text;
        size_t size = 0;
        unsigned char bytes[longest];
    };

    apString empty_;
    apString long_; // the last text too long for the slots
    // Direct-mapped by a hash of the bytes; a newer text displaces an older
    // one in its slot.
    std::vector<Slot> slots_;
    size_t slot_count_ = 32; // a power of two; made on first use
};

#endif
