// The nodes a document owns, in the order they were made. Emptying it
// destroys the newest node first.
//
// The nodes and the pages of pointers to them live in blocks of memory that
// the list hands out and frees all at once: nodes die only with their
// document, so none needs an allocation of its own, and a pointer to each is
// all the list adds.
#ifndef QEL_XML_XMLOWNEDNODES_H
#define QEL_XML_XMLOWNEDNODES_H

#include <cstddef>

class xmlNode;

class xmlOwnedNodes {
public:
    xmlOwnedNodes() noexcept;
    ~xmlOwnedNodes();
    xmlOwnedNodes(const xmlOwnedNodes&) = delete;
    xmlOwnedNodes& operator=(const xmlOwnedNodes&) = delete;

    // Memory for one object of `size` bytes at `alignment` (at most that of
    // std::max_align_t); it stays until destroy_all(), whether or not an
    // object is made in it. Objects are packed at their own alignment, since
    // nodes, made by the million, need only that of a pointer.
    void* allocate(size_t size, size_t alignment);
    // Takes over a node made in memory from allocate() and answers it.
    xmlNode* take(xmlNode* node);
    // Destroys every node, newest first, and frees the memory.
    void destroy_all() noexcept;
    int count() const noexcept { return count_; }

private:
    struct Page;
    struct Block;

    int count_;
    Page* pages_;   // the newest page first
    Block* blocks_; // the newest block first
    size_t used_;   // bytes taken from the newest block
};

#endif
