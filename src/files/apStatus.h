// The outcome of a file operation that answers more than yes or no.
#ifndef QEL_FILES_APSTATUS_H
#define QEL_FILES_APSTATUS_H

class apStatus {
public:
    explicit apStatus(int ok = 0, int code = 0) noexcept : ok_(ok), code_(code) {}
    virtual ~apStatus() = default;

    static apStatus success() noexcept { return apStatus(1); }
    static apStatus failure() noexcept { return apStatus(0); }
    static apStatus of(bool ok) noexcept { return apStatus(ok ? 1 : 0); }

    int ok() const noexcept { return ok_; }
    int code() const noexcept { return code_; }

private:
    int ok_;
    int code_;
};

#endif
