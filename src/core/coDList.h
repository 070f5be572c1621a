// coDList: a doubly linked, circular list with a sentinel header, and a
// cursor that carries the index of the link it stands on.
//
//   coDLink<T>              one link: next, prev, the item
//   coDListB<T>             the header: first link, last link, count; it is
//                           the sentinel that closes the ring
//   coDListBcoIteratorB<T>  basic cursor: the header and the current link
//                           (the header itself when on no element)
//   coDListBcoIterator<T>   adds the index of the current link (-1 on none)
//   coDListcoIterator<T>    the same cursor, made from a list object
//   coDList<T>              a built-in cursor followed by the header
//
// The list owns its links (and so copies of the items), never what an item
// points to.
//
// Linear work on large lists (children of an XML node, say) must not go
// through index-based cursor moves, which walk link by link. The O(1)
// building blocks are:
//   - coDListB::first_link / last_link / next_link / prev_link: walk links
//     directly; a link pointer stays valid until that link is removed;
//   - coDListB::link_before / link_after: insert next to a known link and
//     answer the new link (keep it to reach the item's neighbours later);
//   - coDListB::unlink: remove and free a known link;
//   - coDListBcoIterator::place: stand a cursor on a known link whose index
//     the caller knows;
//   - coDListB::link_given_before / detach: for links that belong to their
//     items (an item that sits in at most one list can carry its own link,
//     and nothing is allocated). Such a list never frees a link, and is
//     dropped without clear(): its links die with their items.
// The link-level operations do not adjust any cursor: a cursor must not
// stand on a link that is removed, and its index is stale after an insertion
// or removal before it.
#ifndef QEL_CORE_CODLIST_H
#define QEL_CORE_CODLIST_H

#include <cassert>
#include <cstdint>
#include <new>

#include "core/apString.h"

// The pair shared by links and the header, so the header can stand in the
// ring as a link.
struct coDNode {
    coDNode* next;
    coDNode* prev;
};

template <class T>
class coDLink : public coDNode {
public:
    explicit coDLink(const T& item) : item_(item)
    {
        next = nullptr;
        prev = nullptr;
    }
    T& read() { return item_; }
    const T& read() const { return item_; }

private:
    T item_;
};

template <class T>
class coDListB : public coDNode {
public:
    coDListB() noexcept : count_(0)
    {
        next = this;
        prev = this;
    }
    ~coDListB()
    {
        clear();
        next = this;
        prev = this;
    }
    coDListB(const coDListB&) = delete;
    coDListB& operator=(const coDListB&) = delete;

    int count() const { return count_; }

    // 1 when the item was linked in, 0 when no link could be made.
    int append(const T& item) { return link_before(this, item) != nullptr; }
    int prepend(const T& item) { return link_before(next, item) != nullptr; }
    void remove_first()
    {
        if (count_ > 0)
            unlink(as_link(next));
    }
    void clear()
    {
        while (count_ > 0)
            remove_first();
    }

    // Null at either end.
    coDLink<T>* first_link() const { return link_or_null(next); }
    coDLink<T>* last_link() const { return link_or_null(prev); }
    coDLink<T>* next_link(const coDLink<T>* l) const { return link_or_null(l->next); }
    coDLink<T>* prev_link(const coDLink<T>* l) const { return link_or_null(l->prev); }

    // A new link before pos (a link of this list, or the header to append),
    // or null when it could not be made.
    coDLink<T>* link_before(coDNode* pos, const T& item)
    {
        coDLink<T>* l = new (std::nothrow) coDLink<T>(item);
        if (l != nullptr)
            link_given_before(pos, l);
        return l;
    }
    // A new link after pos (a link of this list, or the header to prepend).
    coDLink<T>* link_after(coDNode* pos, const T& item) { return link_before(pos->next, item); }
    // Links in, before pos, a link the caller made and keeps.
    void link_given_before(coDNode* pos, coDLink<T>* l) noexcept
    {
        l->next = pos;
        l->prev = pos->prev;
        pos->prev->next = l;
        pos->prev = l;
        ++count_;
    }
    // Takes out a link the caller keeps; its pointers become null.
    void detach(coDLink<T>* l) noexcept
    {
        l->next->prev = l->prev;
        l->prev->next = l->next;
        l->next = nullptr;
        l->prev = nullptr;
        --count_;
    }

    // Removes and frees a link of this list.
    void unlink(coDLink<T>* l)
    {
        detach(l);
        delete l;
    }

    bool is_header(const coDNode* n) const { return n == this; }
    static coDLink<T>* as_link(coDNode* n) { return static_cast<coDLink<T>*>(n); }

private:
    coDLink<T>* link_or_null(coDNode* n) const { return n == this ? nullptr : as_link(n); }

    std::int32_t count_;
};

template <class T>
class coDListBcoIteratorB {
public:
    explicit coDListBcoIteratorB(coDListB<T>& list) : list_(&list), current_(&list) {}

    void reset() { current_ = list_; }
    // 1 when the cursor stands on no element.
    int undefined() const { return current_ == list_; }
    // The item under the cursor, which must stand on an element.
    T& operator()() const
    {
        assert(current_ != list_);
        return coDListB<T>::as_link(current_)->read();
    }
    // The link under the cursor, or null.
    coDLink<T>* link() const { return current_ == list_ ? nullptr : coDListB<T>::as_link(current_); }

protected:
    // For lists that attach their own header after construction.
    coDListBcoIteratorB() : list_(nullptr), current_(nullptr) {}
    coDListB<T>* cheat() const { return list_; }

    coDListB<T>* list_;
    coDNode* current_;
};

template <class T>
class coDListBcoIterator : public coDListBcoIteratorB<T> {
    using Base = coDListBcoIteratorB<T>;

public:
    explicit coDListBcoIterator(coDListB<T>& list) : Base(list), index_(-1) {}

    void reset()
    {
        Base::reset();
        index_ = -1;
    }
    int index() const { return index_; }

    // One step towards the end; false (and index -1) on passing the last
    // element. From the header it lands on the first element.
    bool next()
    {
        ++index_;
        this->current_ = this->current_->next;
        if (this->current_ == this->list_)
            index_ = -1;
        return index_ >= 0;
    }
    // One step towards the start; false on passing the first element. From
    // the header it lands on the last element.
    bool prev()
    {
        this->current_ = this->current_->prev;
        if (this->current_ == this->list_) {
            index_ = -1;
            return false;
        }
        if (index_ == -1)
            index_ = this->list_->count();
        --index_;
        return index_ >= 0;
    }
    bool advance(int n)
    {
        for (int k = 0; k < n; ++k)
            if (!next())
                return false;
        return true;
    }
    bool retreat(int n)
    {
        for (int k = 0; k < n; ++k)
            if (!prev())
                return false;
        return true;
    }
    bool seek(int target)
    {
        const int d = target - index_;
        return d >= 0 ? advance(d) : retreat(-d);
    }

    // Links item in before the current element (or appends it when on no
    // element). The cursor keeps standing where it stood.
    int insert(const T& item)
    {
        if (this->current_ == this->list_)
            return this->list_->append(item);
        if (this->list_->link_before(this->current_, item) == nullptr)
            return 0;
        ++index_;
        return 1;
    }
    // Removes the current element; the cursor moves to the following one,
    // which takes its index, or to no element after the last.
    void remove()
    {
        if (this->current_ == this->list_)
            return;
        coDNode* gone = this->current_;
        const bool on_element = next();
        this->list_->unlink(coDListB<T>::as_link(gone));
        if (on_element)
            --index_;
    }

    // Stands on a link of this list whose index the caller knows.
    void place(coDLink<T>* link, int index)
    {
        this->current_ = link;
        index_ = index;
    }

protected:
    coDListBcoIterator() : index_(-1) {}

    std::int32_t index_;
};

template <class T>
class coDList;

template <class T>
class coDListcoIterator : public coDListBcoIterator<T> {
public:
    explicit coDListcoIterator(coDList<T>& list) : coDListBcoIterator<T>(list.header()) {}
};

// The list object: its built-in cursor first, then the header.
template <class T>
class coDList : public coDListBcoIterator<T> {
    using Cursor = coDListBcoIterator<T>;

public:
    using value_type = T;

    coDList() { attach(); }
    coDList(const coDList& other) : coDList() { copy_from(other); }
    coDList& operator=(const coDList& other)
    {
        copy_from(other);
        return *this;
    }

    coDListB<T>& header() { return header_; }
    const coDListB<T>& header() const { return header_; }
    int count() const { return header_.count(); }

    // These only link and count: the built-in cursor keeps standing on its
    // element, and after a prepend its index is stale, as after any
    // insertion before it.
    int append(const T& item) { return header_.append(item); }
    int prepend(const T& item) { return header_.prepend(item); }
    // The built-in cursor keeps standing on its element, or is reset when
    // that element goes.
    void remove_first()
    {
        if (header_.count() == 0)
            return;
        if (this->current_ == header_.next)
            Cursor::reset();
        else if (!this->undefined())
            --this->index_;
        header_.remove_first();
    }
    void clear()
    {
        Cursor::reset();
        header_.clear();
    }
    void copy_from(const coDList& other)
    {
        if (this == &other)
            return;
        clear();
        for (const coDLink<T>* l = other.header_.first_link(); l != nullptr; l = other.header_.next_link(l))
            header_.append(l->read());
    }

private:
    // The cursor part is built before the header, so it learns the header's
    // address only here.
    void attach()
    {
        this->list_ = &header_;
        Cursor::reset();
    }

    coDListB<T> header_;
};

class xmlElement;

// The instances, named after their item types.
using xmlElementcoDListPtrcoPtrcoDLink = coDLink<xmlElement*>;
using xmlElementcoDListPtrcoPtrcoDListB = coDListB<xmlElement*>;
using xmlElementcoDListPtrcoPtrcoDListBcoIteratorB = coDListBcoIteratorB<xmlElement*>;
using xmlElementcoDListPtrcoPtrcoDListBcoIterator = coDListBcoIterator<xmlElement*>;
using xmlElementcoDListPtrcoPtrcoDListcoIterator = coDListcoIterator<xmlElement*>;
using xmlElementcoDListPtrcoPtrcoDList = coDList<xmlElement*>;

using apStringcoDLink = coDLink<apString>;
using apStringcoDListB = coDListB<apString>;
using apStringcoDListBcoIteratorB = coDListBcoIteratorB<apString>;
using apStringcoDListBcoIterator = coDListBcoIterator<apString>;
using apStringcoDListcoIterator = coDListcoIterator<apString>;
using apStringcoDList = coDList<apString>;

#endif
