#include <gtest/gtest.h>

#include <string>

#include "core/utString.h"
#include "xml/xmlAttr.h"
#include "xml/xmlCDATASection.h"
#include "xml/xmlComment.h"
#include "xml/xmlDocumentFragment.h"
#include "xml/xmlDocumentType.h"
#include "xml/xmlEntity.h"
#include "xml/xmlEntityReference.h"
#include "xml/xmlParser.h"
#include "xml/xmlProcessingInstruction.h"
#include "xml/xmlText.h"
#include "xmlTestSupport.h"

namespace {

using namespace xmltest;

class Tree : public ::testing::Test {
protected:
    DocumentPtr doc = new_document(kUtf8);
    xmlElement* element(const char* name) { return doc->create_element(name); }
    xmlElement* with_children(const char* name, std::initializer_list<xmlNode*> children)
    {
        xmlElement* e = element(name);
        for (xmlNode* c : children)
            e->append_child(c);
        return e;
    }
};

TEST_F(Tree, FactoriesGiveKindNameAndValue)
{
    struct {
        xmlNode* node;
        unsigned int type;
        const char* name;
        const char* value;
    } cases[] = {
        {doc.get(), DOCUMENT_NODE, "#document", ""},
        {element("e"), ELEMENT_NODE, "e", ""},
        {doc->create_attribute("a"), ATTRIBUTE_NODE, "a", ""},
        {doc->create_text_node("t"), TEXT_NODE, "#text", "t"},
        {doc->create_cdata_section("c"), CDATA_SECTION_NODE, "#cdata-section", "c"},
        {doc->create_entity_reference("r"), ENTITY_REFERENCE_NODE, "r", ""},
        {doc->create_entity(InternalEntity, "n", "v"), ENTITY_NODE, "n", ""},
        {doc->create_processing_instruction("pi", "d"), PROCESSING_INSTRUCTION_NODE, "pi", "d"},
        {doc->create_comment("m"), COMMENT_NODE, "#comment", "m"},
        {doc->create_document_type("dt", "", ""), DOCUMENT_TYPE_NODE, "dt", ""},
        {doc->create_document_fragment(), DOCUMENT_FRAGMENT_NODE, "#document-fragment", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.node->node_type(), c.type);
        EXPECT_EQ(utf8(c.node->node_name()), c.name);
        EXPECT_EQ(utf8(c.node->node_value()), c.value);
        EXPECT_EQ(c.node->owner_document(), doc.get());
        EXPECT_EQ(c.node->attributes() != nullptr, c.type == ELEMENT_NODE);
    }
    EXPECT_EQ(doc->create_entity(ExternalEntity, "x", "v"), nullptr);
    EXPECT_EQ(doc->create_entity(InternalEntity, "x", "", "", ""), nullptr);
    EXPECT_EQ(doc->create_entity(7, "x", "", "", ""), nullptr);
}

TEST_F(Tree, WhatEachKindMayHoldAsChild)
{
    // Columns: types 1 to 12.
    struct {
        xmlNode* node;
        const char* accepts;
    } cases[] = {
        {element("e"), "1.345.78...."},
        {doc->create_attribute("a"), "..3.5......."},
        {doc->create_document_fragment(), "1.345.78...."},
        {doc->create_entity(InternalEntity, "n", ""), "1.345.78...."},
        {doc->create_text_node("t"), "............"},
        {doc->create_entity_reference("r"), "............"},
        {doc->create_comment("c"), "............"},
    };
    for (const auto& c : cases) {
        std::string got;
        for (unsigned int type = 1; type <= 12; ++type)
            got += c.node->can_have_child(type) ? char('0' + type % 10) : '.';
        EXPECT_EQ(got, c.accepts) << utf8(c.node->node_name());
    }
}

TEST_F(Tree, AppendRefusesCyclesStrangersAndNull)
{
    xmlElement* leaf = element("leaf");
    xmlElement* mid = with_children("mid", {leaf});
    xmlElement* top = with_children("top", {mid});
    auto other = new_document(kUtf8);

    EXPECT_EQ(top->append_child(top), nullptr);
    EXPECT_EQ(leaf->append_child(top), nullptr);
    EXPECT_EQ(leaf->append_child(mid), nullptr);
    EXPECT_EQ(top->append_child(nullptr), nullptr);
    EXPECT_EQ(top->append_child(other->create_element("x")), nullptr);
    EXPECT_EQ(top->insert_before(top, mid), nullptr);
    EXPECT_EQ(picture(top), "top{mid{leaf}}");
}

TEST_F(Tree, DocumentHoldsOneElementAndNoText)
{
    EXPECT_NE(doc->append_child(doc->create_comment("c")), nullptr);
    EXPECT_NE(doc->append_child(element("root")), nullptr);
    EXPECT_EQ(doc->append_child(element("second")), nullptr);
    EXPECT_EQ(doc->append_child(doc->create_text_node("t")), nullptr);
    EXPECT_EQ(doc->append_child(doc->document_element()), nullptr); // still one element
    EXPECT_NE(doc->append_child(doc->create_processing_instruction("p", "")), nullptr);
    EXPECT_EQ(picture(doc.get()), "!\"c\",root,?p\"\"");
    EXPECT_EQ(utf8(doc->document_element()->node_name()), "root");

    // Once removed, a new one is welcome.
    EXPECT_NE(doc->remove_child(doc->document_element()), nullptr);
    EXPECT_EQ(doc->document_element(), nullptr);
    EXPECT_NE(doc->append_child(element("new")), nullptr);
}

TEST_F(Tree, DocumentTypeGoesFirstAndOnlyOnce)
{
    doc->append_child(element("root"));
    xmlDocumentType* dt = doc->create_document_type("root", "", "sys");
    EXPECT_EQ(doc->first_child(), dt);
    EXPECT_EQ(doc->doctype(), dt);
    EXPECT_FALSE(doc->can_have_child(DOCUMENT_TYPE_NODE));
    EXPECT_TRUE(dt->is_read_only());
    EXPECT_EQ(dt->append_child(doc->create_comment("c")), nullptr);
    dt->set_node_value(apString("v"));
    EXPECT_EQ(utf8(dt->node_value()), "");
}

TEST_F(Tree, FragmentMovesAllChildrenInOrderOrNone)
{
    xmlDocumentFragment* fragment = doc->create_document_fragment();
    fragment->append_child(element("a"));
    fragment->append_child(doc->create_text_node("b"));
    fragment->append_child(element("c"));
    xmlElement* target = with_children("t", {element("x")});

    EXPECT_EQ(doc->append_child(fragment), nullptr); // the text may not stand there
    EXPECT_EQ(picture(fragment), "a,\"b\",c");

    EXPECT_EQ(target->insert_before(fragment, target->first_child()), fragment);
    EXPECT_FALSE(fragment->has_child_nodes());
    EXPECT_EQ(picture(target), "t{a,\"b\",c,x}");
    EXPECT_EQ(target->first_child()->parent_node(), target);

    // A fragment may not carry an ancestor of its target into it.
    xmlElement* inner = element("inner");
    xmlElement* outer = with_children("outer", {inner});
    xmlDocumentFragment* sneaky = doc->create_document_fragment();
    sneaky->append_child(outer);
    EXPECT_EQ(inner->append_child(sneaky), nullptr);
    EXPECT_EQ(picture(sneaky), "outer{inner}");
}

TEST_F(Tree, InsertBeforeAndRemove)
{
    xmlElement* a = element("a");
    xmlElement* b = element("b");
    xmlElement* c = element("c");
    xmlElement* p = with_children("p", {a, c});

    EXPECT_EQ(p->insert_before(b, c), b);
    EXPECT_EQ(picture(p), "p{a,b,c}");
    EXPECT_EQ(p->insert_before(c, a), c); // moves
    EXPECT_EQ(picture(p), "p{c,a,b}");
    EXPECT_EQ(p->insert_before(element("x"), nullptr), nullptr);
    EXPECT_EQ(p->insert_before(element("x"), element("not-a-child")), nullptr);
    EXPECT_EQ(p->insert_before(a, a), a); // takes it out and inserts nothing
    EXPECT_EQ(picture(p), "p{c,b}");
    EXPECT_EQ(a->parent_node(), nullptr);

    EXPECT_EQ(p->remove_child(a), nullptr);
    EXPECT_EQ(p->remove_child(nullptr), nullptr);
    EXPECT_EQ(p->remove_child(c), c);
    EXPECT_EQ(c->parent_node(), nullptr);
    EXPECT_EQ(picture(p), "p{b}");

    // A removed node lives on and can go anywhere in its document.
    xmlElement* q = with_children("q", {c, a});
    EXPECT_EQ(picture(q), "q{c,a}");
    EXPECT_EQ(q->append_child(c), c); // a child appended again moves to the end
    EXPECT_EQ(picture(q), "q{a,c}");
}

TEST_F(Tree, SiblingsAndItems)
{
    xmlElement* p = with_children("p", {element("a"), element("b"), element("c")});
    xmlNodeList* list = p->child_nodes();
    ASSERT_EQ(list->length(), 3);
    EXPECT_EQ(list->item(-1), nullptr);
    EXPECT_EQ(list->item(3), nullptr);
    const char* names = "cabbac";
    int order[] = {2, 0, 1, 1, 0, 2};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(utf8(list->item(order[k])->node_name()), std::string(1, names[k]));
    xmlNode* b = list->item(1);
    EXPECT_EQ(b->previous_sibling(), list->item(0));
    EXPECT_EQ(b->next_sibling(), list->item(2));
    EXPECT_EQ(list->item(0)->previous_sibling(), nullptr);
    EXPECT_EQ(list->item(2)->next_sibling(), nullptr);
    EXPECT_EQ(p->previous_sibling(), nullptr);
    p->remove_child(b);
    EXPECT_EQ(utf8(list->item(1)->node_name()), "c");
    EXPECT_EQ(p->first_child()->next_sibling(), p->last_child());
}

TEST_F(Tree, AttributesKeepFirstInsertionOrder)
{
    xmlElement* e = element("e");
    e->set_attribute("b", "1");
    e->set_attribute("a", "");
    e->set_attribute("c", apString());
    e->set_attribute(apString(), "x");
    e->set_attribute("b", "2");
    EXPECT_EQ(picture(e), "e[b=2,a=]");
    xmlNamedNodeMap* map = e->attributes();
    EXPECT_EQ(map->length(), 2);
    EXPECT_EQ(map->item(2), nullptr);
    EXPECT_EQ(map->named_item("c"), nullptr);
    EXPECT_EQ(map->named_item("b")->parent_node(), e);
    EXPECT_EQ(e->first_child(), nullptr); // attributes are no children
    EXPECT_TRUE(map->named_item("a")->node_value().length() == 0 && !map->named_item("a")->node_value().is_null());
}

TEST_F(Tree, NamedItemRefusalsAndReplacement)
{
    xmlElement* e = element("e");
    xmlElement* f = element("f");
    xmlAttr* a1 = doc->create_attribute("a");
    xmlAttr* a2 = doc->create_attribute("a");
    auto other = new_document(kUtf8);
    xmlNamedNodeMap* map = e->attributes();

    EXPECT_EQ(map->set_named_item(nullptr), nullptr);
    EXPECT_EQ(map->set_named_item(other->create_attribute("x")), nullptr);
    EXPECT_EQ(map->set_named_item(a1), nullptr); // nothing replaced
    EXPECT_EQ(map->set_named_item(a1), nullptr); // already placed: refused
    EXPECT_EQ(f->attributes()->set_named_item(a1), nullptr);
    EXPECT_EQ(f->attributes()->length(), 0);
    EXPECT_EQ(map->set_named_item(a2), a1);
    EXPECT_EQ(map->named_item("a"), a2);
    EXPECT_EQ(a1->parent_node(), e); // the replaced one is not detached
    EXPECT_EQ(map->length(), 1);
    EXPECT_EQ(e->remove_child(a2), nullptr);
}

TEST_F(Tree, AttributeValueIsItsChildren)
{
    xmlAttr* a = doc->create_attribute("a");
    a->set_node_value(apString("x<y"));
    EXPECT_EQ(picture(a), "\"x<y\"");
    a->append_child(doc->create_entity_reference("amp"));
    EXPECT_EQ(utf8(a->node_value()), "x<y&");
    a->set_node_value(apString());
    EXPECT_EQ(utf8(a->node_value()), "x<y&");
    a->set_node_value(apString("z"));
    EXPECT_EQ(picture(a), "\"z\"");
    EXPECT_EQ(a->append_child(element("no")), nullptr);
}

TEST_F(Tree, SetTextAndNarrowValues)
{
    xmlElement* e = with_children("e", {element("a"), doc->create_text_node("b")});
    e->set_text("");
    EXPECT_EQ(picture(e), "e{\"\"}");
    EXPECT_EQ(e->child_nodes()->length(), 1);
    e->set_text(apString());
    EXPECT_EQ(picture(e), "e{\"\"}");
    e->set_text("new");
    EXPECT_EQ(picture(e), "e{\"new\"}");

    // Narrow values go through an encoding.
    xmlText* t = doc->create_text_node("old");
    t->set_node_value(utString("plain"), nullptr);
    EXPECT_EQ(utf8(t->node_value()), "plain");
    t->set_node_value(utString(), nullptr);
    EXPECT_TRUE(t->node_value().is_null());
}

TEST_F(Tree, TextJoinsWhatTheChildrenSay)
{
    xmlElement* e = with_children("e", {doc->create_text_node("a"), doc->create_entity_reference("lt"),
                                        doc->create_comment("no"), doc->create_processing_instruction("p", "no"),
                                        doc->create_cdata_section("c"),
                                        with_children("i", {doc->create_text_node("d")}),
                                        doc->create_entity_reference("#65"), doc->create_entity_reference("#5"),
                                        doc->create_entity_reference("nope")});
    EXPECT_EQ(utf8(e->text()), "a<cdA&#5;&nope;");
    EXPECT_EQ(utf8(element("empty")->text()), "");
    EXPECT_FALSE(element("empty")->text().is_null());
    EXPECT_EQ(utf8(doc->create_comment("x")->text()), "");
}

TEST_F(Tree, ClonesBelongToTheSameDocument)
{
    xmlElement* e = with_children("e", {with_children("i", {doc->create_text_node("t")})});
    e->set_attribute("a", "1");
    xmlNode* shallow = e->clone_node(false);
    xmlNode* deep = e->clone_node(true);
    EXPECT_EQ(picture(shallow), "e[a=1]");
    EXPECT_EQ(picture(deep), "e[a=1]{i{\"t\"}}");
    EXPECT_EQ(deep->parent_node(), nullptr);
    EXPECT_EQ(deep->owner_document(), doc.get());
    EXPECT_NE(deep->attributes()->item(0), e->attributes()->item(0));

    EXPECT_EQ(doc->clone_node(true), nullptr);
    EXPECT_EQ(doc->create_document_type("d", "", "")->clone_node(true), nullptr);
    EXPECT_EQ(picture(doc->create_cdata_section("c")->clone_node(false)), "CDATA\"c\"");
    EXPECT_EQ(picture(doc->create_processing_instruction("p", "d")->clone_node(false)), "?p\"d\"");
    xmlNode* fragment = doc->create_document_fragment();
    fragment->append_child(element("x"));
    EXPECT_EQ(picture(fragment->clone_node(true)), "x");
    EXPECT_EQ(picture(fragment->clone_node(false)), "");
}

class Entities : public ::testing::Test {
protected:
    DocumentPtr doc = new_document(kUtf8);
    void SetUp() override
    {
        xmlParser parser;
        ASSERT_TRUE(parser.parse(doc.get(), "<!DOCTYPE r SYSTEM [<!ENTITY e \"<b>x</b>y\">]><r/>"));
        entity = static_cast<xmlEntity*>(doc->doctype()->entities()->named_item("e"));
        ASSERT_NE(entity, nullptr);
    }
    xmlEntity* entity = nullptr;
};

TEST_F(Entities, ReferencesBindWhenMade)
{
    xmlEntityReference* bound = doc->create_entity_reference("e");
    xmlEntityReference* unbound = doc->create_entity_reference("f");
    EXPECT_EQ(bound->entity(), entity);
    EXPECT_EQ(unbound->entity(), nullptr);
    EXPECT_EQ(bound->first_child(), entity->first_child());
    EXPECT_EQ(bound->last_child(), entity->last_child());
    EXPECT_EQ(bound->child_nodes(), entity->child_nodes());
    EXPECT_FALSE(bound->has_child_nodes()); // its own list stays empty
    EXPECT_EQ(unbound->first_child(), nullptr);
    EXPECT_EQ(utf8(bound->text()), "xy");
    EXPECT_EQ(utf8(unbound->text()), "&f;");

    // A deep clone is the entity's content, writable; a shallow one the reference.
    xmlNode* deep = bound->clone_node(true);
    EXPECT_EQ(deep->node_type(), unsigned(DOCUMENT_FRAGMENT_NODE));
    EXPECT_EQ(picture(deep), "b{\"x\"},\"y\"");
    EXPECT_FALSE(deep->first_child()->is_read_only());
    EXPECT_EQ(utf8(bound->clone_node(false)->node_name()), "e");

    // Declared later: existing references stay as they were.
    auto later = new_document(kUtf8);
    xmlEntityReference* early = later->create_entity_reference("e");
    xmlParser parser;
    ASSERT_TRUE(parser.parse(later.get(), "<!DOCTYPE r SYSTEM [<!ENTITY e \"v\">]><r/>"));
    EXPECT_EQ(early->entity(), nullptr);
    EXPECT_NE(later->create_entity_reference("e")->entity(), nullptr);
}

TEST_F(Entities, EntityContentIsReadOnly)
{
    xmlNode* b = entity->first_child();
    EXPECT_TRUE(entity->is_read_only());
    EXPECT_TRUE(b->is_read_only());
    EXPECT_TRUE(b->first_child()->is_read_only());
    EXPECT_EQ(entity->append_child(doc->create_element("z")), nullptr);
    EXPECT_EQ(entity->remove_child(b), nullptr);
    EXPECT_EQ(static_cast<xmlElement*>(b)->append_child(doc->create_element("z")), nullptr);
    static_cast<xmlElement*>(b)->set_attribute("a", "1");
    static_cast<xmlElement*>(b)->set_text("no");
    b->first_child()->set_node_value(apString("changed"));
    EXPECT_EQ(picture(entity), "b{\"x\"},\"y\"");
    // Its nodes cannot be carried off either.
    xmlElement* r = doc->document_element();
    EXPECT_EQ(r->append_child(b), nullptr);
    EXPECT_EQ(b->parent_node(), entity);
}

// An element's attributes become read-only with it, values included; one
// without attributes still answers a map, which refuses new ones.
TEST(EntityContent, AttributesAreReadOnlyToo)
{
    DocumentPtr doc = new_document(kUtf8);
    xmlParser parser;
    ASSERT_TRUE(parser.parse(doc.get(), "<!DOCTYPE r SYSTEM [<!ENTITY e \"<b a='1'><c/></b>\">]><r/>"));
    xmlNode* entity = doc->doctype()->entities()->named_item("e");
    ASSERT_NE(entity, nullptr);
    xmlElement* b = static_cast<xmlElement*>(entity->first_child());
    xmlNode* a = b->attributes()->named_item("a");
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->is_read_only());
    EXPECT_TRUE(a->first_child()->is_read_only());
    a->set_node_value(apString("2"));
    b->set_attribute("a", "3");
    b->set_attribute("z", "4");

    xmlElement* c = static_cast<xmlElement*>(b->first_child());
    ASSERT_NE(c->attributes(), nullptr);
    EXPECT_EQ(c->attributes()->set_named_item(doc->create_attribute("z")), nullptr);
    c->set_attribute("z", "5");
    EXPECT_EQ(c->attributes()->length(), 0);
    EXPECT_EQ(picture(entity), "b[a=1]{c}");
}

// Past a handful of attributes a map looks names up in its table; order,
// replacement in place and lookups must not notice the change.
TEST_F(Tree, ManyAttributesKeepOrderAndReplaceInPlace)
{
    xmlElement* e = element("e");
    const auto name = [](int i) { return apString(("a" + std::to_string(i)).c_str()); };
    for (int count = 1; count <= 20; ++count) {
        e->set_attribute(name(count - 1), apString(std::to_string(count - 1).c_str()));
        xmlNamedNodeMap* map = e->attributes();
        ASSERT_EQ(map->length(), count);
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(utf8(map->item(i)->node_name()), "a" + std::to_string(i));
            ASSERT_EQ(map->named_item(name(i)), map->item(i));
        }
        EXPECT_EQ(map->named_item("a99"), nullptr);
    }
    xmlNamedNodeMap* map = e->attributes();
    xmlNode* third = map->item(3);
    xmlAttr* replacement = doc->create_attribute("a3");
    EXPECT_EQ(map->set_named_item(replacement), third);
    EXPECT_EQ(map->item(3), replacement);
    e->set_attribute("a15", "x");
    EXPECT_EQ(utf8(map->named_item("a15")->node_value()), "x");
    EXPECT_EQ(utf8(map->item(15)->node_name()), "a15");
    EXPECT_EQ(map->length(), 20);
}

} // namespace
