#include "xml/xmlOwnedNodes.h"

#include <new>

#include "xml/xmlNode.h"

struct xmlOwnedNodes::Page {
    Page* next;
    size_t capacity;
    size_t used;
    xmlNode* nodes[1];
};

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

// Pages of pointers grow like the blocks: a small document keeps few.
const size_t kFirstPage = 16;
const size_t kLargestPage = 1024;

// Each block is twice the last up to the largest, so that a small document
// stays small and a large one takes few blocks.
const size_t kFirstBlock = 1024;
const size_t kLargestBlock = 64 * 1024;

size_t aligned(size_t offset, size_t alignment)
{
    return (offset + alignment - 1) / alignment * alignment;
}

} // namespace

xmlOwnedNodes::xmlOwnedNodes() noexcept
    : count_(0), pages_(nullptr), blocks_(nullptr), used_(0)
{
}

xmlOwnedNodes::~xmlOwnedNodes()
{
    destroy_all();
}

void* xmlOwnedNodes::allocate(size_t size, size_t alignment)
{
    // A new block starts at the strictest alignment, so 0 suits any.
    size_t start = blocks_ == nullptr ? 0 : aligned(used_, alignment);
    if (blocks_ == nullptr || start > blocks_->capacity || blocks_->capacity - start < size) {
        size_t capacity = blocks_ == nullptr ? kFirstBlock : blocks_->capacity * 2;
        if (capacity > kLargestBlock)
            capacity = kLargestBlock;
        if (capacity < size)
            capacity = size;
        blocks_ = Block::make(capacity, blocks_);
        start = 0;
    }
    void* memory = blocks_->bytes + start;
    used_ = start + size;
    return memory;
}

xmlNode* xmlOwnedNodes::take(xmlNode* node)
{
    if (pages_ == nullptr || pages_->used == pages_->capacity) {
        const size_t capacity =
            pages_ == nullptr ? kFirstPage : pages_->capacity < kLargestPage ? pages_->capacity * 2 : kLargestPage;
        Page* page = static_cast<Page*>(allocate(offsetof(Page, nodes) + capacity * sizeof(xmlNode*), alignof(Page)));
        page->next = pages_;
        page->capacity = capacity;
        page->used = 0;
        pages_ = page;
    }
    pages_->nodes[pages_->used++] = node;
    ++count_;
    return node;
}

void xmlOwnedNodes::destroy_all() noexcept
{
    while (pages_ != nullptr) {
        Page* page = pages_;
        while (page->used > 0) {
            --count_;
            page->nodes[--page->used]->~xmlNode();
        }
        pages_ = page->next;
    }
    while (blocks_ != nullptr) {
        Block* block = blocks_;
        blocks_ = block->next;
        ::operator delete(block);
    }
    used_ = 0;
}
