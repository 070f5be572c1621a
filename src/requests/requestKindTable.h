/*
 * The request kinds, one row each: everything that tells one kind from
 * another. Plain C without includes, so that the library, its tests and the
 * programs around it expand the same rows:
 *
 *   ROW(class, query, request, root, program, (parameter, ...))
 *
 *   class       the exported request class; the library declares it from
 *               the row (qliRequestKinds.h)
 *   query       the exported function of qellink.h that asks this kind
 *   request     the file names: R_<request>.xml written, A_<request>.xml read
 *   root        the root element of the request file
 *   program     the technology program's file in the exchange directory
 *   parameters  the request file's elements, in file order: each carries the
 *               host's parameter of that name, empty when it was never set
 *
 * qel_installed looks for the programs in row order. A new kind is a row
 * here, its query in qellink.h and queries.cpp, and their tests.
 */
#ifndef QEL_REQUESTS_REQUESTKINDTABLE_H
#define QEL_REQUESTS_REQUESTKINDTABLE_H

/* ROW(..., QEL_UNWRAP parameters) passes the names on as separate arguments. */
#define QEL_UNWRAP(...) __VA_ARGS__

/*
 * The electrode-material program spells its dielectric "TypeOfDialectric",
 * the other two spell it "TypeOfDielectric": two parameters, on purpose.
 */
#define QEL_REQUEST_KINDS(ROW)                                                                   \
    /* Which electrode materials suit a part material. */                                       \
    ROW(qliElectrodeMaterialRequest, electrode_materials, "ElectrodeMat",                        \
        "RequestElectrodeMaterial", "ElectrodeMaterial.exe",                                     \
        ("ImportStudyPath", "MachineName", "MachineSoftwareVersion", "TypeOfDialectric",         \
         "PartMaterial"))                                                                        \
    /* Which surface finishes a part and electrode material pair can reach. */                  \
    ROW(qliSurfaceFinishRequest, surface_finishes, "SurfaceFinish", "RequestSurfaceFinish",      \
        "SurfaceFinish.exe",                                                                     \
        ("ImportStudyPath", "MachineName", "MachineSoftwareVersion", "TypeOfDielectric",         \
         "PartMaterial", "ElectrodeMaterial", "ApplicationType", "WearSpeedPriority"))           \
    /* Which optimum electrode undersizes apply to a cavity. */                                 \
    ROW(qliOptimumUndersizesRequest, optimum_undersizes, "OptimumUndersize",                     \
        "RequestOptimumUndersize", "OptimumUndersize.exe",                                       \
        ("ImportStudyPath", "MachineName", "MachineSoftwareVersion", "TypeOfDielectric",         \
         "PartMaterial", "ElectrodeMaterial", "CavityStyle", "MachiningDepth",                   \
         "AttackFrontalSurface", "CavityAngle", "ContactSurface", "SurfaceFinish",               \
         "ApplicationType", "MachiningCycle", "WearSpeedPriority", "CHSpeedPriority",            \
         "TotalLengthOfElectrode"))

#endif
