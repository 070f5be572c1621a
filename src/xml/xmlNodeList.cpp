#include "xml/xmlNodeList.h"

#include <cstdlib>

xmlNode* xmlNodeList::item(int index) const
{
    if (index < 0 || index >= length())
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

void xmlNodeList::append(xmlNodecoDLink* link)
{
    list_->reset();
    list_->header().link_given_before(&list_->header(), link);
}

void xmlNodeList::insert_before(xmlNodecoDLink* position, xmlNodecoDLink* link)
{
    list_->reset();
    list_->header().link_given_before(position, link);
}

void xmlNodeList::unlink(xmlNodecoDLink* link)
{
    list_->reset();
    list_->header().detach(link);
}
