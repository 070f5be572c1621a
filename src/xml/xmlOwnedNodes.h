// The nodes a document owns: a singly linked list onto whose front every
// new node goes. Emptying it destroys from the front, so the newest node
// dies first. Its cells are carved from blocks that grow with the list, so
// owning a node costs no allocation of its own.
#ifndef QEL_XML_XMLOWNEDNODES_H
#define QEL_XML_XMLOWNEDNODES_H

#include <memory>

class xmlNode;

class xmlOwnedNodes {
public:
    xmlOwnedNodes() noexcept;
    ~xmlOwnedNodes();
    xmlOwnedNodes(const xmlOwnedNodes&) = delete;
    xmlOwnedNodes& operator=(const xmlOwnedNodes&) = delete;

    // Takes the node over and answers it.
    xmlNode* push_front(std::unique_ptr<xmlNode> node);
    void destroy_all() noexcept;
    int count() const noexcept { return count_; }

private:
    struct Cell {
        Cell* next;
        xmlNode* node;
    };
    struct Block;

    Cell* new_cell();

    int count_;
    Cell* head_;
    Cell* tail_;
    Block* blocks_;    // the newest block first
    int block_used_;   // cells taken from the newest block
};

#endif
