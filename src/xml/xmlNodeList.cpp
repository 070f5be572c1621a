#include "xml/xmlNodeList.h"

#include <cstdlib>

xmlNodeList::xmlNodeList() : list_(&storage_), owns_(1) {}

xmlNodeList::~xmlNodeList() = default;

int xmlNodeList::length() const
{
    return list_->count();
}

xmlNode* xmlNodeList::item(int index) const
{
    if (index < 0 || index >= list_->count())
        return nullptr;
    // From the cursor's last place or from the nearer end, whichever is
    // closer.
    const int from_cursor = list_->undefined() ? index + 1 : std::abs(index - list_->index());
    const int from_end = list_->count() - index;
    if (from_end < from_cursor) {
        list_->reset();
        list_->retreat(from_end);
    } else if (from_cursor > index + 1) {
        list_->reset();
        list_->advance(index + 1);
    } else {
        list_->seek(index);
    }
    return (*list_)();
}

xmlNodecoDLink* xmlNodeList::first_link() const
{
    return list_->header().first_link();
}

xmlNodecoDLink* xmlNodeList::last_link() const
{
    return list_->header().last_link();
}

xmlNodecoDLink* xmlNodeList::next_link(const xmlNodecoDLink* link) const
{
    return list_->header().next_link(link);
}

xmlNodecoDLink* xmlNodeList::prev_link(const xmlNodecoDLink* link) const
{
    return list_->header().prev_link(link);
}

xmlNodecoDLink* xmlNodeList::append(xmlNode* node)
{
    list_->reset();
    return list_->header().link_before(&list_->header(), node);
}

xmlNodecoDLink* xmlNodeList::insert_before(xmlNodecoDLink* position, xmlNode* node)
{
    list_->reset();
    return list_->header().link_before(position, node);
}

void xmlNodeList::unlink(xmlNodecoDLink* link)
{
    list_->reset();
    list_->header().unlink(link);
}
