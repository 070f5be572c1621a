// The three exported queries: copy the host's parameters, add the query's
// own arguments for this query only, run the request.
#include "qellink.h"

#include "boundary/hostGuard.h"
#include "boundary/qliParameterMap.h"
#include "core/apStringFormatter.h"
#include "requests/qliRequestKinds.h"
#include "requests/qliUtils.h"

namespace {

// Converts a UTF-8 argument; false (status 2) when it is malformed.
bool take_argument(const char* utf8, apString& out, int* status)
{
    int error = 0;
    out = apString(utf8, &error);
    if (error)
        *status = 2;
    return error == 0;
}

// Adds "PartMaterial" and "ElectrodeMaterial", converted in that order;
// false (status 2) at the first malformed one.
bool add_materials(qliParameterMap& parameters, const char* part_material,
                   const char* electrode_material, int* status)
{
    apString part, electrode;
    if (!take_argument(part_material, part, status) ||
        !take_argument(electrode_material, electrode, status))
        return false;
    parameters.add_parameter("PartMaterial", part);
    parameters.add_parameter("ElectrodeMaterial", electrode);
    return true;
}

apString fixed(double value)
{
    return apStringFormatter::format("%f", value);
}

} // namespace

const char* electrode_materials(const char* part_material, int* status)
{
    return boundary::guarded_query(status, [&](int* status) -> const char* {
        qliParameterMap parameters(process_parameters());
        apString part;
        if (!take_argument(part_material, part, status))
            return nullptr;
        parameters.add_parameter("PartMaterial", part);
        return qliUtils::make_request<qliElectrodeMaterialRequest>(parameters, *status);
    });
}

const char* surface_finishes(const char* part_material, const char* electrode_material, int* status)
{
    return boundary::guarded_query(status, [&](int* status) -> const char* {
        qliParameterMap parameters(process_parameters());
        if (!add_materials(parameters, part_material, electrode_material, status))
            return nullptr;
        return qliUtils::make_request<qliSurfaceFinishRequest>(parameters, *status);
    });
}

const char* optimum_undersizes(const char* part_material, const char* electrode_material,
                               double machining_depth, double attack_frontal_surface,
                               double surface_finish, double total_length_of_electrode, int* status)
{
    return boundary::guarded_query(status, [&](int* status) -> const char* {
        qliParameterMap parameters(process_parameters());
        if (!add_materials(parameters, part_material, electrode_material, status))
            return nullptr;
        parameters.add_parameter("MachiningDepth", fixed(machining_depth));
        parameters.add_parameter("AttackFrontalSurface", fixed(attack_frontal_surface / 100.0));
        parameters.add_parameter("SurfaceFinish", fixed(surface_finish));
        parameters.add_parameter("TotalLengthOfElectrode", fixed(total_length_of_electrode / 1000.0));
        return qliUtils::make_request<qliOptimumUndersizesRequest>(parameters, *status);
    });
}
