// Fillers: value sinks that a consumer hands to a producer. A coiFiller
// passes every value to a shared worker, which appends it to a container or
// gives it to a callback; copies of a coiFiller share their worker, which
// dies with the last copy.
#ifndef QEL_CORE_COIFILLER_H
#define QEL_CORE_COIFILLER_H

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "qel_platform.h"

template <class T>
class QEL_EXPORT coiAbsFiller {
public:
    virtual void add(T value) = 0;
    virtual ~coiAbsFiller() = default;
};

template <class T>
class coiFillerImpl : public coiAbsFiller<T> {
public:
    explicit coiFillerImpl(std::function<void(T)> f) : f_(std::move(f)) {}
    // An empty callback throws std::bad_function_call.
    void add(T value) override { f_(std::move(value)); }

private:
    std::function<void(T)> f_;
};

template <class T>
class QEL_EXPORT coiFiller : public coiAbsFiller<T> {
public:
    explicit coiFiller(std::shared_ptr<coiAbsFiller<T>> worker) : worker_(std::move(worker)) {}
    coiFiller(const coiFiller&) = default;
    coiFiller& operator=(const coiFiller&) = default;
    ~coiFiller() override = default;

    // Without a worker the value is dropped.
    void add(T value) override
    {
        if (worker_)
            worker_->add(std::move(value));
    }

private:
    std::shared_ptr<coiAbsFiller<T>> worker_;
};

class coiFillers {
public:
    template <class T>
    static coiFiller<T> make_filler(std::function<void(T)> f)
    {
        return coiFiller<T>(std::make_shared<coiFillerImpl<T>>(std::move(f)));
    }
    // Appends to v, which must outlive every copy of the filler.
    template <class T>
    static coiFiller<T> make_filler(std::vector<T>& v)
    {
        return make_filler<T>(std::function<void(T)>([&v](T value) { v.push_back(std::move(value)); }));
    }
};

// The instances the library exports (see qel_platform.h).
class apString;
QEL_EXPORTED_INSTANCE(coiAbsFiller<apString>);
QEL_EXPORTED_INSTANCE(coiFiller<apString>);

#endif
