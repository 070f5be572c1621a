// The installation check: every kind's program is a regular file in the
// exchange directory. It starts nothing and reads nothing.
#include "qellink.h"

#include "boundary/hostGuard.h"
#include "boundary/qliParameterMap.h"
#include "files/apPath.h"
#include "requests/qliRequestKinds.h"

bool qel_installed(void)
{
    return boundary::guarded(false, [] {
        apString study = process_parameters().parameter("ImportStudyPath").value();
        apPath directory(study); // empty gives ".": the host's current directory
        if (directory.is_null())
            return false;
#define QEL_PROGRAM(Class, query, request, root, program, names) Class::executable_name(),
        const apString programs[] = {QEL_REQUEST_KINDS(QEL_PROGRAM)};
#undef QEL_PROGRAM
        for (const apString& program : programs)
            if (!directory.join(program).is_file())
                return false;
        return true;
    });
}
