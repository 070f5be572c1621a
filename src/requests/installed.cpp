// The installation check: the three programs are regular files in the
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
        const apString programs[] = {
            qliElectrodeMaterialRequest::executable_name(),
            qliSurfaceFinishRequest::executable_name(),
            qliOptimumUndersizesRequest::executable_name(),
        };
        for (const apString& program : programs)
            if (!directory.join(program).is_file())
                return false;
        return true;
    });
}
