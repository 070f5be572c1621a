#include "boundary/qliParameter.h"

qliParameter::qliParameter(apString const& name, apString const& value) : name_(name), value_(value) {}

qliParameter::qliParameter(const qliParameter& other) = default;

qliParameter& qliParameter::operator=(const qliParameter& other)
{
    name_ = other.name_;
    value_ = other.value_;
    return *this;
}

qliParameter::~qliParameter() = default;

apString qliParameter::value() const
{
    return value_;
}
