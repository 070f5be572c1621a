// Keyed tables: apString keys mapped to values of one type.
//
// coTable<V> is the element layer over coHash: it stores coTableP<V>
// elements (key, value) and supplies their operations. Keys compare as
// apStrings and hash to the XOR of their code points; values are never
// compared. A slot is empty when its key is the null apString, so a null key
// is never stored. The table owns its keys and values (a copy of each), but a
// pointer value is only a pointer: the table frees nothing it points to.
//
// Every table of the library is built with (4, 50): 16 slots at first,
// doubling when the element count reaches half the slots.
#ifndef QEL_CORE_COTABLE_H
#define QEL_CORE_COTABLE_H

#include <cstddef>
#include <cstdint>

#include "core/apString.h"
#include "core/coHash.h"

class xmlNode;

template <class V>
struct coTableP {
    apString key;
    V value{};

    coTableP() = default;
    explicit coTableP(const apString& k) : key(k) {}
    coTableP(const apString& k, const V& v) : key(k), value(v) {}
};

template <class V>
class coTable : public basecoSet {
public:
    using element_type = coTableP<V>;

    coTable(int initial_log_size, int load_percent) : basecoSet(initial_log_size, load_percent) {}
    coTable(const coTable& other) : basecoSet(4, 50) { assign_table(other); }
    coTable& operator=(const coTable& other)
    {
        assign_table(other);
        return *this;
    }
    ~coTable() override { release_slots(); }

    // The process-wide element that empty slots equal: null key, null value.
    static const element_type& undefined()
    {
        static const element_type u;
        return u;
    }

    element_type* find(const element_type& e) const
    {
        return static_cast<element_type*>(coHash::find(&e));
    }
    element_type* find(const apString& key) const { return find(element_type(key)); }
    int member(const element_type& e) const { return coHash::member(&e); }
    int member(const apString& key) const { return member(element_type(key)); }

    // Inserts e unless its key is present (nothing is replaced) or null.
    // Answers the stored element, or the undefined element when e went in.
    const element_type* add(const element_type& e)
    {
        return static_cast<const element_type*>(coHash::add(&e));
    }

    // The value under key, added as (key, null value) when absent. A null
    // key is never stored: its answer is a scratch value that nothing reads.
    V& operator[](const apString& key)
    {
        const element_type e(key);
        element_type* p = find(e);
        if (p == nullptr) {
            coHash::add(&e);
            p = find(e);
        }
        if (p == nullptr) {
            static V scratch;
            scratch = V();
            return scratch;
        }
        return p->value;
    }

    // Slot i as stored (the undefined element while there are no slots).
    const element_type& slot_element(int i) const
    {
        return *static_cast<const element_type*>(get(i));
    }

    const void* undefined_element() const override { return &undefined(); }
    void assign(void* dst, const void* src) const override
    {
        element_type& d = *static_cast<element_type*>(dst);
        const element_type& s = *static_cast<const element_type*>(src);
        d.key = s.key;
        d.value = s.value;
    }
    int compare(const void* a, const void* b) const override
    {
        return static_cast<const element_type*>(a)->key == static_cast<const element_type*>(b)->key ? 0 : 1;
    }
    std::uint32_t hash(const void* e) const override
    {
        return static_cast<const element_type*>(e)->key.hash();
    }

protected:
    void* new_slots(std::size_t n) const override { return new element_type[n]; }
    void delete_slots(void* slots) const override { delete[] static_cast<element_type*>(slots); }
    std::size_t element_size() const override { return sizeof(element_type); }
};

// The instances, named after their element types.
using apStringapStringcoTableP = coTableP<apString>;
using apStringapStringcoTablePcoSet = coTable<apString>;
using apStringapStringcoTable = coTable<apString>;

using apStringxmlNodecoTablePtrcoPtrcoTableP = coTableP<xmlNode*>;
using apStringxmlNodecoTablePtrcoPtrcoTablePcoSet = coTable<xmlNode*>;
using apStringxmlNodecoTablePtrcoPtrcoTable = coTable<xmlNode*>;

#endif
