#include <gtest/gtest.h>

#include "boundary/qliParameter.h"
#include "xmlTestSupport.h"

namespace {

using namespace xmltest;

TEST(ParameterElement, NamedAfterTheParameterWithItsValueAsText)
{
    auto doc = new_document(kUtf8);
    struct {
        apString value;
        const char* tree;
    } cases[] = {
        {"Copper", "PartMaterial{\"Copper\"}"},
        {apString::empty_string(), "PartMaterial{\"\"}"},
        {apString(), "PartMaterial"},
        {"a<b & c", "PartMaterial{\"a<b & c\"}"},
    };
    for (const auto& c : cases) {
        xmlElement* e = qliParameter("PartMaterial", c.value).element(*doc).get();
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(picture(e), c.tree);
        EXPECT_EQ(e->parent_node(), nullptr);
        EXPECT_EQ(e->owner_document(), doc.get());
    }
}

} // namespace
