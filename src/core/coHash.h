// The generic open-addressing hash table behind every keyed table.
//
// Elements are handled as untyped pointers through a small set of virtual
// operations (compare, hash, assign, ...), so probing, insertion, growth and
// copying are written once here; an element layer (coTable<V>) supplies the
// operations and the storage of its element type.
//
// Slot counts are powers of two. A slot index is Fibonacci hashing: the key
// hash times 0x9E3779B9 (mod 2^32), top log_size bits. Collisions step
// downward one slot at a time, wrapping from 0 to the top. A slot is empty
// when its element is_undefined (its key is the null key); every slot always
// holds a fully constructed element.
#ifndef QEL_CORE_COHASH_H
#define QEL_CORE_COHASH_H

#include <cstddef>
#include <cstdint>

// Per-element operations over untyped element pointers.
class coObjInterface {
public:
    // The element every empty slot equals; a process-wide object.
    virtual const void* undefined_element() const { return nullptr; }
    // A new heap copy of e, or null when the element type makes none.
    virtual void* clone(const void* /*e*/) const { return nullptr; }
    virtual void assign(void* /*dst*/, const void* /*src*/) const {}
    // 0 when a and b hold equal keys.
    virtual int compare(const void* /*a*/, const void* /*b*/) const { return 0; }
    virtual std::uint32_t hash(const void* /*e*/) const { return 0; }
    virtual int is_undefined(const void* e) const { return compare(undefined_element(), e) == 0; }
    // Frees what clone() made.
    virtual void destroy(void* /*e*/) const {}
    virtual ~coObjInterface();

protected:
    coObjInterface() = default;
    coObjInterface(const coObjInterface&) = default;
    coObjInterface& operator=(const coObjInterface&) = default;
};

// An indexed array of elements.
class coArrInterface : public coObjInterface {
public:
    virtual int log_size() const = 0;
    // Copies e into slot i.
    virtual void put(int i, const void* e) = 0;
    // Address of slot i.
    virtual const void* get(int i) const = 0;
    // Exchanges two slots through a clone; does nothing for element types
    // that make no clones.
    virtual void swap(int i, int j);
    virtual void copy_slot(int from, int to);

protected:
    coArrInterface() = default;
    coArrInterface(const coArrInterface&) = default;
    coArrInterface& operator=(const coArrInterface&) = default;
};

class coHash : public coArrInterface {
public:
    // Grows to twice the slots once n reaches load_percent of them.
    virtual void check_load(int n);

    int log_size() const override { return log_size_; }
    // Creates the slot array on first use.
    void put(int i, const void* e) override;
    // The undefined element while there is no slot array.
    const void* get(int i) const override;

    // The stored element with e's key, or null.
    void* find(const void* e) const;
    int member(const void* e) const { return find(e) != nullptr; }
    // Inserts e unless its key is present or null. Answers the stored
    // element when the key was present (left unchanged), otherwise the
    // undefined element.
    const void* add(const void* e);
    // Empties the table. Without reallocate an existing slot array is kept
    // at its size; otherwise a new one of 2^new_log_size slots replaces it.
    void clear(int new_log_size, bool reallocate);
    // Re-adds every element, in slot order, into 2^new_log_size slots.
    void rehash(int new_log_size);

    int count() const { return count_; }
    int initial_log_size() const { return initial_log_size_; }
    int load_percent() const { return load_percent_; }
    // XOR of hash(e) over the elements added since the last clear.
    std::uint32_t content_hash() const { return content_hash_; }
    bool has_slots() const { return slots_ != nullptr; }
    std::size_t slot_count() const { return std::size_t(1) << log_size_; }

protected:
    coHash(int initial_log_size, int load_percent);
    coHash(const coHash&) = delete;
    coHash& operator=(const coHash&) = delete;
    // The slot array must already be gone: only the element layer can
    // destroy its elements (see release_slots).
    ~coHash() override;

    // Storage of the element layer: n undefined elements in one array, its
    // release (elements destroyed in reverse order), and the element stride.
    virtual void* new_slots(std::size_t n) const = 0;
    virtual void delete_slots(void* slots) const = 0;
    virtual std::size_t element_size() const = 0;

    // Destroys the slot elements and releases the array.
    void release_slots() noexcept;
    // Becomes a copy of src with the very same slot layout (no rehash).
    // src must have the same element layer.
    void assign_table(const coHash& src);
    // Slot of e's key, or the first empty slot below its home slot.
    std::size_t probe(const void* e) const;

private:
    void* slot(std::size_t i) const
    {
        return static_cast<char*>(slots_) + i * element_size();
    }

    std::int32_t count_;
    std::int32_t initial_log_size_;
    std::int32_t load_percent_;
    std::int32_t log_size_;
    std::uint32_t content_hash_;
    void* slots_;
};

// The set layer of a table; the element layer derives from it.
class basecoSet : public coHash {
protected:
    using coHash::coHash;
};

#endif
