// File operations that inherit every operation the interface implements
// itself, and take the rest from the platform's operations.
#ifndef QEL_TEST_FILES_INTERFACEOPERATIONS_H
#define QEL_TEST_FILES_INTERFACEOPERATIONS_H

#include "files/apIFileOperations.h"

class InterfaceOperations : public apIFileOperations {
public:
    int kind(const apPath& p) override { return base_->kind(p); }
    int remove_file(const apPath& p) override { return base_->remove_file(p); }
    int make_directory(const apPath& p) override { return base_->make_directory(p); }
    int remove_directory(const apPath& p) override { return base_->remove_directory(p); }
    std::shared_ptr<apIFileIterator> list_directory(const apPath& p) override
    {
        return base_->list_directory(p);
    }
    apIFileMode* read_mode() override { return base_->read_mode(); }
    apIFileMode* rw_mode() override { return base_->rw_mode(); }
    apIFileMode* write_mode() override { return base_->write_mode(); }
    int is_valid(const apPath& p) override { return base_->is_valid(p); }
    apString native(const apPath& p) override { return base_->native(p); }
    apStatus rename(const apPath& from, const apPath& to) override { return base_->rename(from, to); }

private:
    apIFileOperations* base_ = default_file_operations();
};

#endif
