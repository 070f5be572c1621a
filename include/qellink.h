/*
 * qellink — process values for die-sinking EDM from external technology
 * programs.
 *
 * The host sets named parameters (above all "ImportStudyPath", the exchange
 * directory that holds the three technology programs), then asks one of the
 * three queries. Every string the library returns is a new zero-terminated
 * UTF-8 block owned by the host, released with delete_string().
 *
 * Status codes written through `int* status`:
 *   0  success
 *   2  a text argument is not valid UTF-8, or ImportStudyPath is empty
 *   3  the request or answer file path names an existing directory
 *   4  writing the request failed, or the program failed to start or did
 *      not end within 60 seconds
 *   5  the program ended without leaving an answer file
 *   6  the answer file could not be read or is not a valid answer
 * Whenever the status is not 0, a query returns a null pointer.
 */
#ifndef QELLINK_H
#define QELLINK_H

#include <stdbool.h>

#if defined(_WIN32)
#  if defined(QEL_BUILDING_LIBRARY)
#    define QEL_API __declspec(dllexport)
#  else
#    define QEL_API __declspec(dllimport)
#  endif
#else
#  define QEL_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A new copy of "1.0". */
QEL_API const char* api_version(void);

/* Stores (or replaces) a named parameter; status 0, or 2 for bad UTF-8. */
QEL_API void set_parameter_value(const char* name, const char* value, int* status);

/* Releases a string returned by this library; null is accepted. */
QEL_API void delete_string(void* text);

/* The C runtime's hypotenuse of x and y. */
QEL_API double hypot(double x, double y);

/* Electrode materials that suit the part material. */
QEL_API const char* electrode_materials(const char* part_material, int* status);

/* Surface finishes that the part and electrode material pair can reach. */
QEL_API const char* surface_finishes(const char* part_material,
                                     const char* electrode_material, int* status);

/* Optimum electrode undersizes for a cavity. */
QEL_API const char* optimum_undersizes(const char* part_material,
                                       const char* electrode_material,
                                       double machining_depth,
                                       double attack_frontal_surface,
                                       double surface_finish,
                                       double total_length_of_electrode,
                                       int* status);

/* True when the three technology programs are present in ImportStudyPath. */
QEL_API bool qel_installed(void);

#ifdef __cplusplus
}
#endif

#endif
