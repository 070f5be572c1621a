// A sequence of tree operations decoded from the input, each checked against
// a model of the tree kept beside it: the operation succeeds exactly when
// the refusal rules let it (owner, read-only parent, cycles, which child
// kinds a node takes), and afterwards every node has the parent and the
// children the model says. The document is then written and destroyed.
#include <algorithm>
#include <memory>
#include <vector>

#include "core/apString.h"
#include "fuzzTarget.h"
#include "xml/xmlDocument.h"
#include "xml/xmlAttr.h"
#include "xml/xmlCDATASection.h"
#include "xml/xmlComment.h"
#include "xml/xmlDocumentFragment.h"
#include "xml/xmlDocumentType.h"
#include "xml/xmlElement.h"
#include "xml/xmlEntityReference.h"
#include "xml/xmlProcessingInstruction.h"
#include "xml/xmlText.h"

namespace {

struct Node {
    xmlNode* node;
    int document; // 0 or 1
    int parent;   // index, or -1
    std::vector<int> children;
};

class Model {
public:
    Model() : first_(new xmlDocument(apEncodingDescriptor())), second_(new xmlDocument(apEncodingDescriptor()))
    {
        nodes_.push_back(Node{first_.get(), 0, -1, {}});
        nodes_.push_back(Node{second_.get(), 1, -1, {}});
    }

    void run(const uint8_t* data, size_t size)
    {
        data_ = data;
        end_ = data + size;
        while (data_ < end_ && nodes_.size() < 512) {
            switch (next() % 6) {
            case 0: create(); break;
            case 1: append(); break;
            case 2: insert(); break;
            case 3: remove(); break;
            case 4: document_type(); break;
            default: set_text(); break;
            }
            check();
        }
        (void)first_->serialize();
        (void)second_->serialize();
    }

private:
    uint8_t next() { return data_ < end_ ? *data_++ : 0; }

    // An index into the nodes, or -1 (a null argument) for one value in 64.
    int pick()
    {
        const unsigned int n = next() | (next() << 8);
        if (n % 64 == 63)
            return -1;
        return static_cast<int>(n % nodes_.size());
    }

    xmlNode* at(int i) const { return i < 0 ? nullptr : nodes_[i].node; }
    unsigned int type(int i) const { return nodes_[i].node->node_type(); }

    void create()
    {
        const uint8_t how = next();
        xmlDocument* owner = how & 0x80 ? second_.get() : first_.get();
        const apString name("n"), text("t <&> \xC3\xA4");
        xmlNode* made = nullptr;
        switch (how % 8) {
        case 0: made = owner->create_element(name); break;
        case 1: made = owner->create_text_node(text); break;
        case 2: made = owner->create_comment(text); break;
        case 3: made = owner->create_processing_instruction(name, text); break;
        case 4: made = owner->create_cdata_section(text); break;
        case 5: made = owner->create_document_fragment(); break;
        case 6: made = owner->create_entity_reference(apString("r")); break;
        default: made = owner->create_attribute(name); break;
        }
        fuzz_check(made != nullptr && made->parent_node() == nullptr, "a new node is detached");
        nodes_.push_back(Node{made, how & 0x80 ? 1 : 0, -1, {}});
    }

    // The child kinds a node takes; a document also looks at what it holds.
    bool takes(int parent, unsigned int kind) const
    {
        switch (type(parent)) {
        case 9: {
            if (kind == 7 || kind == 8)
                return true;
            if (kind != 1 && kind != 10)
                return false;
            for (int child : nodes_[parent].children)
                if (type(child) == kind)
                    return false;
            return true;
        }
        case 1:
        case 11: return kind == 1 || kind == 3 || kind == 4 || kind == 5 || kind == 7 || kind == 8;
        case 2: return kind == 3 || kind == 5;
        default: return false;
        }
    }

    bool is_ancestor_or_self(int node, int of) const
    {
        for (int i = of; i >= 0; i = nodes_[i].parent)
            if (i == node)
                return true;
        return false;
    }

    // The nodes an insertion moves, or an empty list when it is refused.
    std::vector<int> movable(int parent, int node) const
    {
        if (node < 0 || nodes_[node].document != nodes_[parent].document || at(parent)->is_read_only() ||
            is_ancestor_or_self(node, parent))
            return {};
        std::vector<int> moved = type(node) == 11 ? nodes_[node].children : std::vector<int>{node};
        for (int m : moved)
            if (!takes(parent, type(m)))
                return {};
        if (moved.empty())
            moved.push_back(-1); // an empty fragment: accepted, nothing moves
        return moved;
    }

    void detach(int node)
    {
        std::vector<int>& siblings = nodes_[nodes_[node].parent].children;
        siblings.erase(std::find(siblings.begin(), siblings.end(), node));
        nodes_[node].parent = -1;
    }

    void place(int parent, const std::vector<int>& moved, int before)
    {
        for (int m : moved)
            if (m >= 0 && nodes_[m].parent >= 0)
                detach(m);
        std::vector<int>& children = nodes_[parent].children;
        for (int m : moved) {
            if (m < 0 || m == before)
                continue;
            auto where = before < 0 ? children.end() : std::find(children.begin(), children.end(), before);
            children.insert(where, m);
            nodes_[m].parent = parent;
        }
    }

    void append()
    {
        const int parent = pick(), node = pick();
        if (parent < 0)
            return;
        const std::vector<int> moved = movable(parent, node);
        xmlNode* answer = at(parent)->append_child(at(node));
        fuzz_check((answer != nullptr) == !moved.empty(), "append_child refuses exactly what the rules refuse");
        if (answer) {
            fuzz_check(answer == at(node), "append_child answers the node");
            place(parent, moved, -1);
        }
    }

    void insert()
    {
        const int parent = pick(), node = pick(), reference = pick();
        if (parent < 0)
            return;
        std::vector<int> moved;
        if (reference >= 0 && nodes_[reference].parent == parent)
            moved = movable(parent, node);
        xmlNode* answer = at(parent)->insert_before(at(node), at(reference));
        fuzz_check((answer != nullptr) == !moved.empty(), "insert_before refuses exactly what the rules refuse");
        if (answer) {
            fuzz_check(answer == at(node), "insert_before answers the node");
            place(parent, moved, reference);
        }
    }

    void remove()
    {
        const int parent = pick(), node = pick();
        if (parent < 0)
            return;
        const bool allowed = node >= 0 && !at(parent)->is_read_only() && nodes_[node].parent == parent;
        xmlNode* answer = at(parent)->remove_child(at(node));
        fuzz_check((answer != nullptr) == allowed, "remove_child refuses exactly what the rules refuse");
        if (answer) {
            fuzz_check(answer == at(node), "remove_child answers the node");
            detach(node);
        }
    }

    void document_type()
    {
        const int document = next() & 1;
        xmlDocument* owner = document ? second_.get() : first_.get();
        xmlNode* made = owner->create_document_type(apString("n"), apString(""), apString(""));
        fuzz_check(made != nullptr && made->is_read_only(), "a document type is made read-only");
        nodes_.push_back(Node{made, document, -1, {}});
        const int index = static_cast<int>(nodes_.size()) - 1;
        nodes_[document].children.insert(nodes_[document].children.begin(), index);
        nodes_[index].parent = document;
    }

    void set_text()
    {
        const int element = pick();
        if (element < 0 || type(element) != 1)
            return;
        static_cast<xmlElement*>(at(element))->set_text(apString("x"));
        for (int child : std::vector<int>(nodes_[element].children))
            detach(child);
        xmlNode* text = at(element)->first_child();
        fuzz_check(text != nullptr && text->node_type() == 3, "set_text leaves one text child");
        nodes_.push_back(Node{text, nodes_[element].document, element, {}});
        nodes_[element].children.push_back(static_cast<int>(nodes_.size()) - 1);
    }

    void check() const
    {
        for (const Node& n : nodes_) {
            fuzz_check(n.node->parent_node() == (n.parent < 0 ? nullptr : nodes_[n.parent].node),
                       "every node has the parent the model says");
            const xmlNode* child = n.node->first_child();
            for (int c : n.children) {
                fuzz_check(child == nodes_[c].node, "every node has the children the model says");
                child = child->next_sibling();
            }
            fuzz_check(child == nullptr, "no node has more children than the model says");
            fuzz_check(n.node->has_child_nodes() == !n.children.empty(), "has_child_nodes agrees");
        }
    }

    std::unique_ptr<xmlDocument> first_, second_;
    std::vector<Node> nodes_;
    const uint8_t* data_ = nullptr;
    const uint8_t* end_ = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Model model;
    model.run(data, size);
    return 0;
}
