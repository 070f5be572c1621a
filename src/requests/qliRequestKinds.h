// The three questions, one request kind each.
#ifndef QEL_REQUESTS_QLIREQUESTKINDS_H
#define QEL_REQUESTS_QLIREQUESTKINDS_H

#include "requests/qliRequestKind.h"

// Which electrode materials suit a part material.
class QEL_EXPORT qliElectrodeMaterialRequest : public qliRequestKind<5> {
public:
    explicit qliElectrodeMaterialRequest(qliParameterMap const& parameters);
    ~qliElectrodeMaterialRequest() override;
    static apString executable_name();
};

// Which surface finishes a part and electrode material pair can reach.
class QEL_EXPORT qliSurfaceFinishRequest : public qliRequestKind<8> {
public:
    explicit qliSurfaceFinishRequest(qliParameterMap const& parameters);
    ~qliSurfaceFinishRequest() override;
    static apString executable_name();
};

// Which optimum electrode undersizes apply to a cavity.
class QEL_EXPORT qliOptimumUndersizesRequest : public qliRequestKind<17> {
public:
    explicit qliOptimumUndersizesRequest(qliParameterMap const& parameters);
    ~qliOptimumUndersizesRequest() override;
    static apString executable_name();
};

#endif
