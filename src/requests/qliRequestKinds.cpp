#include "requests/qliRequestKinds.h"

namespace {

// The request file carries one element per name, in this order. The
// electrode-material program spells its dielectric "TypeOfDialectric"; the
// other two spell it "TypeOfDielectric". They are two parameters.
const qliRequestKind<5>::Names kElectrodeMaterialNames = {
    "ImportStudyPath", "MachineName", "MachineSoftwareVersion", "TypeOfDialectric", "PartMaterial",
};

const qliRequestKind<8>::Names kSurfaceFinishNames = {
    "ImportStudyPath", "MachineName",       "MachineSoftwareVersion", "TypeOfDielectric",
    "PartMaterial",    "ElectrodeMaterial", "ApplicationType",        "WearSpeedPriority",
};

const qliRequestKind<17>::Names kOptimumUndersizeNames = {
    "ImportStudyPath",   "MachineName",    "MachineSoftwareVersion", "TypeOfDielectric",
    "PartMaterial",      "ElectrodeMaterial", "CavityStyle",         "MachiningDepth",
    "AttackFrontalSurface", "CavityAngle", "ContactSurface",         "SurfaceFinish",
    "ApplicationType",   "MachiningCycle", "WearSpeedPriority",      "CHSpeedPriority",
    "TotalLengthOfElectrode",
};

} // namespace

qliElectrodeMaterialRequest::qliElectrodeMaterialRequest(qliParameterMap const& parameters)
    : qliRequestKind(parameters, kElectrodeMaterialNames, "ElectrodeMat", "RequestElectrodeMaterial",
                     executable_name())
{
}

qliElectrodeMaterialRequest::~qliElectrodeMaterialRequest() = default;

apString qliElectrodeMaterialRequest::executable_name()
{
    return "ElectrodeMaterial.exe";
}

qliSurfaceFinishRequest::qliSurfaceFinishRequest(qliParameterMap const& parameters)
    : qliRequestKind(parameters, kSurfaceFinishNames, "SurfaceFinish", "RequestSurfaceFinish",
                     executable_name())
{
}

qliSurfaceFinishRequest::~qliSurfaceFinishRequest() = default;

apString qliSurfaceFinishRequest::executable_name()
{
    return "SurfaceFinish.exe";
}

qliOptimumUndersizesRequest::qliOptimumUndersizesRequest(qliParameterMap const& parameters)
    : qliRequestKind(parameters, kOptimumUndersizeNames, "OptimumUndersize",
                     "RequestOptimumUndersize", executable_name())
{
}

qliOptimumUndersizesRequest::~qliOptimumUndersizesRequest() = default;

apString qliOptimumUndersizesRequest::executable_name()
{
    return "OptimumUndersize.exe";
}
