// apPath: a file path as normalised text with "/" separators, its 8-bit
// form made once at construction, and the two services that give it meaning
// on a machine (neither owned: both outlive every path built with them).
//
// Everything but the file-type queries works without a file system.
#ifndef QEL_FILES_APPATH_H
#define QEL_FILES_APPATH_H

#include "core/apString.h"
#include "core/utString.h"
#include "files/apFileName.h"

class apIFileOperations;
class apIStringEncoding;

class apPath {
public:
    // Selects the constructor that keeps the text exactly as given.
    struct keep_text_t {
        explicit keep_text_t() = default;
    };
    static constexpr keep_text_t keep_text{};

    // Null text with the default services; no 8-bit form is made.
    apPath();
    // Normalised text. Null services are replaced by the process-wide ones.
    explicit apPath(const apString& text, apIFileOperations* operations = nullptr,
                    apIStringEncoding* encoding = nullptr);
    apPath(keep_text_t, const apString& text, apIFileOperations* operations = nullptr,
           apIStringEncoding* encoding = nullptr);

    static apString normalize(const apString& text);
    // 3 for a drive root ("?:/"), 2 for "//", 1 for "/", else 0.
    static int root_length(const apString& text) noexcept;

    apString string() const { return text_; }
    const apString& text() const noexcept { return text_; }
    int is_null() const noexcept { return text_.is_null() ? 1 : 0; }
    utString narrow() const { return narrow_text_; }
    int narrow_failed() const noexcept { return narrow_ok_ ? 0 : 1; }

    int root_length() const noexcept { return root_length(text_); }
    int is_relative() const noexcept { return root_length() == 0 ? 1 : 0; }
    int is_root() const noexcept;
    apString parent() const;

    apPath join(const apFileName& name) const;
    apPath join(const apString& relative) const;
    // 8-bit text, decoded by this path's encoding.
    apPath join(const utString& relative) const;
    // Text the program itself spells, in UTF-8.
    apPath join(const char* relative) const { return join(apString(relative)); }
    apPath with_string(const apString& text) const;

    int is_file() const;
    int is_directory() const;
    int exists() const;
    // 1 when there is no regular file here (nothing is touched), else the
    // answer of the operations' remove_file.
    int remove() const;

    apIFileOperations* operations() const noexcept { return operations_; }
    apIStringEncoding* encoding() const noexcept { return encoding_; }

private:
    void make_narrow();

    apString text_;
    int narrow_ok_;
    utString narrow_text_;
    apIStringEncoding* encoding_;
    apIFileOperations* operations_;
};

#endif
