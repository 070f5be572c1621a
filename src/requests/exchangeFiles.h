// The request and answer files as streams: the one place where the request
// layer opens files in the exchange directory.
#ifndef QEL_REQUESTS_EXCHANGEFILES_H
#define QEL_REQUESTS_EXCHANGEFILES_H

#include <istream>
#include <memory>
#include <ostream>

#include "files/apPath.h"

namespace exchange {

// A new request file for writing, in text mode. The stale one has been
// removed before: on POSIX, where any program can leave a link or a pipe
// in the directory, whatever took its name since is neither followed nor
// overwritten. The stream has failed when the file could not be made.
std::unique_ptr<std::ostream> create_request(const apPath& file);

// The answer file for reading, in binary mode; the stream has failed when
// it cannot be opened. On POSIX only a regular file is opened, without
// waiting: a named pipe, socket or device (or a link to one) fails at once.
std::unique_ptr<std::istream> open_answer(const apPath& file);

} // namespace exchange

#endif
