#include "xml/xmlOwnedNodes.h"

#include <new>

#include "xml/xmlNode.h"

struct xmlOwnedNodes::Block {
    Block* next;
    size_t capacity;
    alignas(std::max_align_t) unsigned char bytes[1];

    static Block* make(size_t capacity, Block* next)
    {
        void* memory = ::operator new(offsetof(Block, bytes) + capacity);
        Block* block = static_cast<Block*>(memory);
        block->next = next;
        block->capacity = capacity;
        return block;
    }
};

namespace {

// Each block is twice the last up to the largest, so that a small document
// stays small and a large one takes few blocks.
const size_t kFirstBlock = 1024;
const size_t kLargestBlock = 64 * 1024;

size_t aligned(size_t size)
{
    const size_t a = alignof(std::max_align_t);
    return (size + a - 1) / a * a;
}

} // namespace

xmlOwnedNodes::xmlOwnedNodes() noexcept
    : count_(0), head_(nullptr), tail_(nullptr), blocks_(nullptr), used_(0)
{
}

xmlOwnedNodes::~xmlOwnedNodes()
{
    destroy_all();
}

void* xmlOwnedNodes::allocate(size_t size)
{
    size = aligned(size);
    if (blocks_ == nullptr || blocks_->capacity - used_ < size) {
        size_t capacity = blocks_ == nullptr ? kFirstBlock : blocks_->capacity * 2;
        if (capacity > kLargestBlock)
            capacity = kLargestBlock;
        if (capacity < size)
            capacity = size;
        blocks_ = Block::make(capacity, blocks_);
        used_ = 0;
    }
    void* memory = blocks_->bytes + used_;
    used_ += size;
    return memory;
}

xmlNode* xmlOwnedNodes::push_front(xmlNode* node)
{
    Cell* cell = new (allocate(sizeof(Cell))) Cell{head_, node};
    head_ = cell;
    if (tail_ == nullptr)
        tail_ = head_;
    ++count_;
    return node;
}

void xmlOwnedNodes::destroy_all() noexcept
{
    while (head_ != nullptr) {
        Cell* cell = head_;
        head_ = cell->next;
        --count_;
        cell->node->~xmlNode();
    }
    tail_ = nullptr;
    while (blocks_ != nullptr) {
        Block* block = blocks_;
        blocks_ = block->next;
        ::operator delete(block);
    }
    used_ = 0;
}
