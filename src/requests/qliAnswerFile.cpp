#include "requests/qliAnswerFile.h"

#include <memory>

#include "requests/qliAnswerRules.h"
#include "xml/xmlDocument.h"
#include "xml/xmlParser.h"

qliAnswerFile::qliAnswerFile(std::istream& in) : invalid_(false)
{
    xmlParser parser;
    std::unique_ptr<xmlDocument> document(parser.load_document(in));
    if (!document) {
        invalid_ = true;
        return;
    }
    invalid_ = check_answer(*document, values_).rule != qliAnswerRule::kept;
}

qliAnswerFile::~qliAnswerFile() = default;

bool qliAnswerFile::invalid() const
{
    return invalid_;
}

itIterator<apString> qliAnswerFile::answer_values() const
{
    return itIterator<apString>(values_);
}

void qliAnswerFile::answer_values(coiFiller<apString> filler) const
{
    for (const apString& value : values_)
        filler.add(value);
}
