#include "xml/xmlOwnedNodes.h"

#include "xml/xmlNode.h"

// Cells in the order they were handed out; each block is twice the last,
// up to a bound, so that small documents stay small.
struct xmlOwnedNodes::Block {
    Block* next;
    int capacity;
    Cell cells[1];

    static Block* make(int capacity, Block* next)
    {
        void* memory = ::operator new(sizeof(Block) + (capacity - 1) * sizeof(Cell));
        Block* block = static_cast<Block*>(memory);
        block->next = next;
        block->capacity = capacity;
        return block;
    }
};

namespace {

const int kFirstBlock = 8;
const int kLargestBlock = 4096;

} // namespace

xmlOwnedNodes::xmlOwnedNodes() noexcept
    : count_(0), head_(nullptr), tail_(nullptr), blocks_(nullptr), block_used_(0)
{
}

xmlOwnedNodes::~xmlOwnedNodes()
{
    destroy_all();
}

xmlOwnedNodes::Cell* xmlOwnedNodes::new_cell()
{
    if (blocks_ == nullptr || block_used_ == blocks_->capacity) {
        const int capacity = blocks_ == nullptr ? kFirstBlock
                             : blocks_->capacity >= kLargestBlock ? kLargestBlock
                                                                   : blocks_->capacity * 2;
        blocks_ = Block::make(capacity, blocks_);
        block_used_ = 0;
    }
    return &blocks_->cells[block_used_++];
}

xmlNode* xmlOwnedNodes::push_front(std::unique_ptr<xmlNode> node)
{
    Cell* cell = new_cell();
    cell->next = head_;
    cell->node = node.release();
    head_ = cell;
    if (tail_ == nullptr)
        tail_ = head_;
    ++count_;
    return cell->node;
}

void xmlOwnedNodes::destroy_all() noexcept
{
    while (head_ != nullptr) {
        Cell* cell = head_;
        head_ = cell->next;
        --count_;
        delete cell->node;
    }
    tail_ = nullptr;
    while (blocks_ != nullptr) {
        Block* block = blocks_;
        blocks_ = block->next;
        ::operator delete(block);
    }
    block_used_ = 0;
}
