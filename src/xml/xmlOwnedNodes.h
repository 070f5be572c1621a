// The nodes a document owns: a singly linked list onto whose front every
// new node goes. Emptying it destroys from the front, so the newest node
// dies first.
//
// The nodes and the list's cells live in blocks of memory that the list
// hands out and frees all at once: nodes die only with their document, so
// none needs an allocation of its own.
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

    // Memory for one node, aligned for any node; it stays until
    // destroy_all(), whether or not a node is made in it.
    void* allocate(size_t size);
    // Takes over a node made in memory from allocate() and answers it.
    xmlNode* push_front(xmlNode* node);
    // Destroys every node, newest first, and frees the memory.
    void destroy_all() noexcept;
    int count() const noexcept { return count_; }

private:
    struct Cell {
        Cell* next;
        xmlNode* node;
    };
    struct Block;

    int count_;
    Cell* head_;
    Cell* tail_;
    Block* blocks_; // the newest block first
    size_t used_;   // bytes taken from the newest block
};

#endif
