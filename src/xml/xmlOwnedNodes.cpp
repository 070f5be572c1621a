#include "xml/xmlOwnedNodes.h"

#include "xml/xmlNode.h"

xmlOwnedNodes::xmlOwnedNodes() noexcept : count_(0), head_(nullptr), tail_(nullptr) {}

xmlOwnedNodes::~xmlOwnedNodes()
{
    destroy_all();
}

xmlNode* xmlOwnedNodes::push_front(std::unique_ptr<xmlNode> node)
{
    xmlNode* raw = node.get();
    head_ = new Cell{head_, std::move(node)};
    if (tail_ == nullptr)
        tail_ = head_;
    ++count_;
    return raw;
}

void xmlOwnedNodes::destroy_all() noexcept
{
    while (head_ != nullptr) {
        Cell* cell = head_;
        head_ = cell->next;
        --count_;
        delete cell;
    }
    tail_ = nullptr;
}
