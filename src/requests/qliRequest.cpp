#include "requests/qliRequest.h"

#include <new>
#include <vector>

#include "core/coiFiller.h"
#include "files/apPath.h"
#include "requests/exchangeFiles.h"
#include "requests/process.h"
#include "requests/qliAnswerFile.h"
#include "requests/qliRequestFile.h"

namespace {

std::unique_ptr<qliRequestResult> outcome(qliResult result)
{
    return std::unique_ptr<qliRequestResult>(new qliRequestResult(result));
}

std::unique_ptr<qliRequestResult> read_answer(apPath const& answer_path)
{
    // The answer is the program's, not ours: whatever it holds, and whatever
    // its stream throws, ends as an invalid answer. Allocation failure
    // propagates as everywhere else.
    try {
        std::unique_ptr<std::istream> in = exchange::open_answer(answer_path);
        if (!in->good())
            return outcome(invalid_answer);
        qliAnswerFile answer(*in);
        if (answer.invalid())
            return outcome(invalid_answer);
        std::vector<apString> values;
        answer.answer_values(coiFillers::make_filler(values));
        return std::unique_ptr<qliRequestResult>(new qliRequestResult(ok, itIterator<apString>(values)));
    } catch (const std::bad_alloc&) {
        throw;
    } catch (...) {
        return outcome(invalid_answer);
    }
}

} // namespace

qliRequest::qliRequest(apString const& name, apString const& request_element_name,
                       apString const& executable_name)
    : name_(name), request_element_name_(request_element_name), executable_name_(executable_name)
{
}

qliRequest::~qliRequest() = default;

std::unique_ptr<qliRequestResult> qliRequest::make_request(apPath const& directory) const
{
    apPath request_path = directory.join(apString("R_") + name_ + apString(".xml"));
    if (request_path.is_directory())
        return outcome(path_is_directory);
    if (request_path.is_file())
        request_path.remove(); // stale; a file that stays makes the write fail
    if (!write_request(request_path))
        return outcome(execution_failed);

    apPath answer_path = directory.join(apString("A_") + name_ + apString(".xml"));
    if (answer_path.is_directory())
        return outcome(path_is_directory);
    if (answer_path.is_file())
        answer_path.remove();
    if (!call_exe(directory))
        return outcome(execution_failed);
    if (!answer_path.is_file())
        return outcome(no_answer);

    return read_answer(answer_path);
}

int qliRequest::write_request(apPath const& request_file) const
{
    qliRequestFile file(request_element_name_, parameters());
    return file.write(request_file) ? 1 : 0;
}

int qliRequest::call_exe(apPath const& directory) const
{
    apPath program = directory.join(executable_name_);
    return process::start_and_wait(program.string(), process::program_time_limit_ms);
}
