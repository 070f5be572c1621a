// Platform vocabulary for POSIX builds: the UTF-16 code unit and the
// attribute that exports a symbol from the shared library.
#ifndef QEL_PLATFORM_H
#define QEL_PLATFORM_H

using apWchar = char16_t;

#define QEL_EXPORT __attribute__((visibility("default")))

// Declares a template instance that the library exports and makes once (in
// requests/exportedTemplates.cpp), so that no other object file makes a copy
// of its inline members: such a copy is hidden, and the linker would keep
// the hidden visibility and drop the export.
#define QEL_EXPORTED_INSTANCE(instance) extern template class QEL_EXPORT instance

#endif
